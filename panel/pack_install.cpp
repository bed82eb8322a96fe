#include "panel/pack_install.h"

#include <windows.h>

#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/rar_archive.h"
#include "foundation/temp_files.h"
#include "panel/core/pack_list.h"

namespace panel {

namespace {

constexpr DWORD kSignatureBytes = 8;
// The downloaded archives in the temporary folder: "Tarnwick-<process id>-<n>.rar".
constexpr wchar_t kPackDownloadPrefix[] = L"Tarnwick-";

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

bool InstallPack(CFileDownload& downloader, const PackInstall& pack) {
  if (!IsPackArchiveName(pack.archiveName)) return false;
  // Never a path in the library: a file there named like the pack is the user's.
  const std::wstring archive = foundation::MakeFreshFile(foundation::GetTempDir(), kPackDownloadPrefix, L".rar");
  bool ok = !archive.empty() && downloader.StartDownloading(pack.url, archive) && StartsAsRarArchive(archive);
  // The category only now: a panel ended during the download would leave an
  // empty one, which the pack list takes for the pack already downloaded.
  const std::wstring folder = pack.libraryRoot + PackCategory(pack.archiveName);
  const bool madeFolder = ok && !foundation::FolderExists(folder);
  if (madeFolder) foundation::CreateFolder(folder);
  if (ok) {
    ok = foundation::ProcessRarArchive(foundation::kRarOperationExtract, archive, folder + L"\\", L"") == 0;
  }
  if (!archive.empty()) ::DeleteFileW(archive.c_str());
  // Removed only while empty: anything put there meanwhile keeps it.
  if (!ok && madeFolder) ::RemoveDirectoryW(folder.c_str());
  return ok;
}

}  // namespace panel
