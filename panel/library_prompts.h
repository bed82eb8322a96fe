// The two choices the library maintenance asks of the user besides message
// boxes: a picture file and a folder. The panel uses the system's dialogs;
// tests put their own answers in.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace panel {

struct LibraryPrompts {
  // The chosen picture's full path, or "" when cancelled.
  std::function<std::wstring(HWND owner)> pickPicture;
  // The chosen folder without a trailing "\", or "" when cancelled.
  std::function<std::wstring(HWND owner, const std::wstring& title)> pickFolder;
};

// The open-file dialog ("添加表情", the picture filter) and the folder dialog.
LibraryPrompts SystemPrompts();

}  // namespace panel
