#include "panel/library_listing.h"

#include <windows.h>

#include "foundation/app_path.h"
#include "foundation/core/literal_path.h"
#include "foundation/file_ops.h"
#include "foundation/folder_listing.h"
#include "foundation/path_fields.h"
#include "foundation/text_compare.h"

namespace panel {

std::wstring LibraryRoot() { return foundation::AppPath() + kLibraryFolder; }

std::wstring CategoryFolder(const std::wstring& category) {
  return foundation::LiteralPath(LibraryRoot() + L"\\" + category);
}

std::vector<std::wstring> ListCategories(const std::wstring& root) {
  std::vector<std::wstring> out{kDefaultCategory};
  for (const std::wstring& name : foundation::ListSubfolders(root)) {
    if (name != kDefaultCategory) out.push_back(name);
  }
  return out;
}

std::vector<std::wstring> ListFilesWithExtensions(const std::wstring& folder,
                                                  std::initializer_list<const wchar_t*> extensions) {
  return foundation::ListFolderEntries(folder, [&](const WIN32_FIND_DATAW& fd) {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    const std::wstring name = fd.cFileName;
    if (name.find(L'.') == std::wstring::npos) return false;
    const std::wstring ext = foundation::GetExtension(name);
    for (const wchar_t* e : extensions) {
      if (foundation::TextEquals(ext, e)) return true;
    }
    return false;
  });
}

std::vector<std::wstring> ListEmoticonFiles(const std::wstring& folder) {
  // A category that is a link shows nothing: the library never walks out of Face.
  if (foundation::IsLink(folder)) return {};
  return ListFilesWithExtensions(folder, {L"gif", L"jpg", L"bmp", L"png"});
}

std::vector<std::wstring> ListImportFiles(const std::wstring& folder) {
  return ListFilesWithExtensions(folder, {L"gif", L"bmp", L"jpg"});
}

}  // namespace panel
