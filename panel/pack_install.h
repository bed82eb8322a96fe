// One pack from the pack server into the library: the archive downloaded
// into a fresh file of the program's own in the temporary folder and checked
// to be a RAR archive; only then its category folder (made when missing),
// into which it is unpacked from there, and the archive deleted. Until the
// archive has come whole nothing of the pack is in the library, whenever the
// program ends. Nothing already in the category is ever written over or
// taken away. A pack that fails in any step leaves nothing of itself behind:
// the archive goes, the extraction takes back what it wrote, and a folder
// this install made goes once it is empty again (whatever the user put there
// meanwhile stays, and the folder with it).
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
