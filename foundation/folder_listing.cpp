#include "foundation/folder_listing.h"

#include <algorithm>

#include "foundation/handles.h"
#include "foundation/path_fields.h"

namespace foundation {

void SortByName(std::vector<std::wstring>& names) {
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                            static_cast<int>(b.size())) == CSTR_LESS_THAN;
  });
}

std::vector<std::wstring> ListFolderEntries(const std::wstring& folder,
                                            const std::function<bool(const WIN32_FIND_DATAW&)>& keep) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  UniqueFind find(::FindFirstFileW((WithTrailingBackslash(folder) + L"*").c_str(), &fd));
  if (!find) return names;
  do {
    const std::wstring name = fd.cFileName;
    if (name != L"." && name != L".." && keep(fd)) names.push_back(name);
  } while (::FindNextFileW(find.get(), &fd));
  SortByName(names);
  return names;
}

std::vector<std::wstring> ListSubfolders(const std::wstring& folder) {
  return ListFolderEntries(
      folder, [](const WIN32_FIND_DATAW& fd) { return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; });
}

}  // namespace foundation
