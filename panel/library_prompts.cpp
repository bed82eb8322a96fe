#include "panel/library_prompts.h"

#include <commdlg.h>

#include "foundation/browse_folder.h"
#include "panel/core/library_texts.h"

namespace panel {
namespace {

// The filter as the dialog wants it: pairs of NUL-ended texts, a second NUL at the end.
std::wstring DialogFilter(const std::wstring& barred) {
  std::wstring filter = barred;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  return filter + L'\0';
}

std::wstring PickPicture(HWND owner) {
  const std::wstring filter = DialogFilter(kAddFaceDialogFilter);
  wchar_t file[MAX_PATH * 4] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = static_cast<DWORD>(std::size(file));
  ofn.lpstrTitle = kAddFaceDialogTitle;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!::GetOpenFileNameW(&ofn)) return {};
  return file;
}

}  // namespace

LibraryPrompts SystemPrompts() {
  LibraryPrompts prompts;
  prompts.pickPicture = PickPicture;
  prompts.pickFolder = [](HWND owner, const std::wstring& title) { return foundation::BrowseForFolder(owner, title); };
  return prompts;
}

}  // namespace panel
