// One pack from the pack server into the library: its category folder (made
// when missing), the archive downloaded into a fresh file of the program's own
// in the temporary folder, checked to be a RAR archive, unpacked from there
// into the category and deleted. Nothing already in the category is ever
// written over or taken away. A pack that fails in any step leaves nothing of
// itself behind: the archive goes, the extraction takes back what it wrote,
// and a folder this install made goes once it is empty again (whatever the
// user put there meanwhile stays, and the folder with it).
#pragma once
#include <string>

#include "panel/file_download.h"

namespace panel {

struct PackInstall {
  std::wstring url;          // the pack's address
  std::wstring libraryRoot;  // the Face folder, with a trailing "\"
  std::wstring archiveName;  // checked by IsPackArchiveName
};

// True when the pack was downloaded and unpacked whole. The RAR library's own
// message boxes show as they do for any archive.
bool InstallPack(CFileDownload& downloader, const PackInstall& pack);

}  // namespace panel
