// The emoticon library as the editor sees it: the folder "Face" beside the
// program, one sub-folder per category, picture files inside.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// AppPath & "Face" (no trailing "\").
std::wstring LibraryRoot();
// AppPath & "Face\" & category (no trailing "\").
std::wstring CategoryFolder(const std::wstring& category);

// The sub-folders of a folder by name, in the order the system's folder
// lists show them (by name, without regard to case).
std::vector<std::wstring> ListFolders(const std::wstring& folder);

// The names of the files of a folder (no sub-folders, no hidden or system
// files) whose extension is one of these, in the same order.
std::vector<std::wstring> ListFiles(const std::wstring& folder, std::span<const std::wstring_view> extensions);

}  // namespace editor
