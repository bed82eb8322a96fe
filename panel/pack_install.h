// One pack from the pack server into the library: its category folder (made
// when missing), the archive downloaded into it, checked to be a RAR archive,
// unpacked there and deleted. A pack that fails in any step leaves nothing
// of itself behind: the archive goes, and so does a folder this install made
// (with whatever was unpacked into it); a folder that was there before keeps
// what it had.
#pragma once
#include <string>

#include "panel/file_download.h"

namespace panel {

struct PackInstall {
  std::wstring url;          // the pack's address
  std::wstring libraryRoot;  // the Face folder, with a trailing "\"
  std::wstring archiveName;  // checked by IsPackArchiveName
};

// True when the pack was downloaded and unpacked. The RAR library's own
// message boxes show as they do for any archive.
bool InstallPack(CFileDownload& downloader, const PackInstall& pack);

}  // namespace panel
