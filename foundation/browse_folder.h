#pragma once
#include <windows.h>

#include <string>

namespace foundation {

// The platform's folder-choice dialog. The chosen folder without a trailing
// "\" ("C:" for a drive root), or "" when cancelled or not a file-system folder.
std::wstring BrowseForFolder(HWND owner, const std::wstring& title);

}  // namespace foundation
