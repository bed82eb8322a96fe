#include "panel/pack_install.h"

#include <windows.h>

#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/rar_archive.h"
#include "panel/core/pack_list.h"

namespace panel {

namespace {

constexpr DWORD kSignatureBytes = 8;

bool StartsAsRarArchive(const std::wstring& path) {
  foundation::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  char bytes[kSignatureBytes] = {};
  DWORD got = 0;
  if (!::ReadFile(file.get(), bytes, kSignatureBytes, &got, nullptr)) return false;
  return HasRarSignature(std::string_view(bytes, got));
}

}  // namespace

bool RemoveFolderTree(const std::wstring& folder) {
  bool ok = true;
  WIN32_FIND_DATAW data{};
  foundation::UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (find) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        ::SetFileAttributesW(path.c_str(), data.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
      }
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // The link itself, never what it points at.
        ok &= (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(path.c_str()) != 0
                                                                 : ::DeleteFileW(path.c_str()) != 0;
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ok &= RemoveFolderTree(path);
      } else {
        ok &= ::DeleteFileW(path.c_str()) != 0;
      }
    } while (::FindNextFileW(find.get(), &data));
  }
  find.reset();
  return ::RemoveDirectoryW(folder.c_str()) != 0 && ok;
}

bool InstallPack(CFileDownload& downloader, const PackInstall& pack) {
  if (!IsPackArchiveName(pack.archiveName)) return false;
  const std::wstring folder = pack.libraryRoot + PackCategory(pack.archiveName);
  const bool madeFolder = !foundation::FolderExists(folder);
  if (madeFolder) foundation::CreateFolder(folder);
  const std::wstring archive = folder + L"\\" + pack.archiveName;
  bool ok = downloader.StartDownloading(pack.url, archive) && StartsAsRarArchive(archive);
  if (ok) {
    ok = foundation::ProcessRarArchive(foundation::kRarOperationExtract, archive, folder + L"\\", L"") == 0;
  }
  ::DeleteFileW(archive.c_str());
  if (!ok && madeFolder) RemoveFolderTree(folder);
  return ok;
}

}  // namespace panel
