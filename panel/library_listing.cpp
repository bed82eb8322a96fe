#include "panel/library_listing.h"

#include <windows.h>

#include <algorithm>

#include "foundation/app_path.h"
#include "foundation/handles.h"
#include "foundation/path_fields.h"
#include "foundation/text_compare.h"

namespace panel {
namespace {

// Both listings sort by name the way the system's file lists do: without
// regard to case, under the user's locale.
void SortByName(std::vector<std::wstring>& names) {
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                            static_cast<int>(b.size())) == CSTR_LESS_THAN;
  });
}

template <class Keep>
std::vector<std::wstring> List(const std::wstring& folder, Keep keep) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  foundation::UniqueFind find(::FindFirstFileW((foundation::WithTrailingBackslash(folder) + L"*").c_str(), &fd));
  if (!find) return names;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (keep(fd)) names.push_back(name);
  } while (::FindNextFileW(find.get(), &fd));
  SortByName(names);
  return names;
}

}  // namespace

std::wstring LibraryRoot() { return foundation::AppPath() + kLibraryFolder; }

std::wstring CategoryFolder(const std::wstring& category) { return LibraryRoot() + L"\\" + category; }

std::vector<std::wstring> ListSubfolders(const std::wstring& folder) {
  return List(folder, [](const WIN32_FIND_DATAW& fd) { return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; });
}

std::vector<std::wstring> ListCategories(const std::wstring& root) {
  std::vector<std::wstring> out{kDefaultCategory};
  for (const std::wstring& name : ListSubfolders(root)) {
    if (name != kDefaultCategory) out.push_back(name);
  }
  return out;
}

std::vector<std::wstring> ListFilesWithExtensions(const std::wstring& folder,
                                                  std::initializer_list<const wchar_t*> extensions) {
  return List(folder, [&](const WIN32_FIND_DATAW& fd) {
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
  return ListFilesWithExtensions(folder, {L"gif", L"jpg", L"bmp", L"png"});
}

std::vector<std::wstring> ListImportFiles(const std::wstring& folder) {
  return ListFilesWithExtensions(folder, {L"gif", L"bmp", L"jpg"});
}

}  // namespace panel
