// Where a start's time goes: each piece of the panel's start measured on its
// own in this process, on the panel's own files (Config.ini, Thumbs.mdb and
// the library's first category).
#pragma once
#include <string>

namespace bench {

// Prints one line per piece. folder holds Tarnwick.exe, Thumbs.mdb and Face\.
void PrintStartupSplit(const std::wstring& folder);

}  // namespace bench
