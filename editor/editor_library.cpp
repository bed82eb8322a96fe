#include "editor/editor_library.h"

#include <windows.h>

#include "editor/core/editor_texts.h"
#include "editor/core/picture_names.h"
#include "foundation/app_path.h"
#include "foundation/core/literal_path.h"
#include "foundation/file_ops.h"
#include "foundation/folder_listing.h"

namespace editor {

std::wstring LibraryRoot() { return foundation::AppPath() + kLibraryFolderName; }

std::wstring CategoryFolder(const std::wstring& category) {
  return foundation::LiteralPath(LibraryRoot() + L"\\" + category);
}

std::vector<std::wstring> ListCategories() { return foundation::ListSubfolders(LibraryRoot()); }

std::vector<std::wstring> ListFolders(const std::wstring& folder) {
  return foundation::ListFolderEntries(folder, [](const WIN32_FIND_DATAW& fd) {
    return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !foundation::IsLinkEntry(fd);
  });
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, std::span<const std::wstring_view> extensions) {
  constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return foundation::ListFolderEntries(folder, [extensions](const WIN32_FIND_DATAW& fd) {
    return (fd.dwFileAttributes & kSkipped) == 0 && HasExtension(fd.cFileName, extensions);
  });
}

}  // namespace editor
