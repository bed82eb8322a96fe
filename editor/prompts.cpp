#include "editor/prompts.h"

#include <commdlg.h>

#include <algorithm>

#include "foundation/browse_folder.h"

namespace editor {
namespace {

OpenFileChooser& CurrentOpenFileChooser() {
  static OpenFileChooser chooser;
  return chooser;
}

FolderChooser& CurrentFolderChooser() {
  static FolderChooser chooser;
  return chooser;
}

std::wstring SystemOpenFile(HWND owner, const std::wstring& title, const std::wstring& filter) {
  // The dialog wants the pieces separated by NULs and the list ended by two.
  std::wstring pieces = filter;
  std::replace(pieces.begin(), pieces.end(), L'|', L'\0');
  pieces.push_back(L'\0');
  std::wstring file(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = pieces.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.c_str();
  // Every library path is built from the program folder, but the current
  // folder is left alone all the same.
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn)) return {};
  file.resize(::wcslen(file.c_str()));
  return file;
}

}  // namespace

std::wstring ChooseOpenFile(HWND owner, const std::wstring& title, const std::wstring& filter) {
  if (const OpenFileChooser& c = CurrentOpenFileChooser()) return c(owner, title, filter);
  return SystemOpenFile(owner, title, filter);
}

std::wstring ChooseFolder(HWND owner, const std::wstring& title) {
  if (const FolderChooser& c = CurrentFolderChooser()) return c(owner, title);
  return foundation::BrowseForFolder(owner, title);
}

void SetOpenFileChooser(OpenFileChooser chooser) { CurrentOpenFileChooser() = std::move(chooser); }
void SetFolderChooser(FolderChooser chooser) { CurrentFolderChooser() = std::move(chooser); }

}  // namespace editor
