#include "foundation/browse_folder.h"

#include <ole2.h>
#include <shlobj.h>

namespace foundation {
namespace {

std::wstring Trim(const std::wstring& s) {
  size_t b = s.find_first_not_of(L' ');
  if (b == std::wstring::npos) return {};
  size_t e = s.find_last_not_of(L' ');
  return s.substr(b, e - b + 1);
}

}  // namespace

std::wstring BrowseForFolder(HWND owner, const std::wstring& title) {
  // The new dialog style needs OLE on this thread.
  const HRESULT ole = ::OleInitialize(nullptr);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.pszDisplayName = displayName;
  bi.lpszTitle = title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;  // 0x65
  PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&bi);

  std::wstring result;
  const std::wstring name = Trim(displayName);
  if (name.find(L'?') != std::wstring::npos) {
    result.clear();
  } else if (item) {
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(item, path)) {
      result = path;
      if (result.size() == 3) result.resize(2);  // "C:\" comes back as "C:"
    }
  } else {
    result = L"\\\\" + name;
    if (result == L"\\\\") result.clear();
  }
  if (item) ::CoTaskMemFree(item);
  if (SUCCEEDED(ole)) ::OleUninitialize();
  return result;
}

}  // namespace foundation
