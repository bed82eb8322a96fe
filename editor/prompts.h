// The editor's file and folder choices go through replaceable choosers, as its
// message boxes go through foundation::ShowMessage: the windows use the
// system's dialogs, tests answer from a script (scripted_prompts.h).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace editor {

// filter: pairs of description and patterns, each followed by "|"
// ("图片文件(*.bmp)|*.bmp|").
using OpenFileChooser = std::function<std::wstring(HWND owner, const std::wstring& title, const std::wstring& filter)>;
using FolderChooser = std::function<std::wstring(HWND owner, const std::wstring& title)>;

// The chosen file's full path, or "" when the user cancelled.
std::wstring ChooseOpenFile(HWND owner, const std::wstring& title, const std::wstring& filter);
// The chosen folder without a trailing "\", or "" when the user cancelled.
std::wstring ChooseFolder(HWND owner, const std::wstring& title);

// Replace the choosers (an empty one restores the system's dialog).
void SetOpenFileChooser(OpenFileChooser chooser);
void SetFolderChooser(FolderChooser chooser);

}  // namespace editor
