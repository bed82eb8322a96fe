// Archive entry names come from whoever made the archive: before an entry is
// written anywhere its name must stay inside the destination and name the
// very file written there. No windows here.
#pragma once
#include <string>
#include <string_view>

namespace foundation {

// True for a relative name made of plain components, so that what is
// written is what was checked: not empty, not absolute (no leading
// separator), no drive or UNC prefix, no empty component between
// separators, and every component a name Windows holds as written
// (IsPlainName: no "." or "..", no < > : " | ? * or control characters, no
// dot or blank at the end, no device name such as "con.gif"). Only a folder
// entry's trailing separator may end the name. Both '\' and '/' count as
// separators.
bool IsSafeEntryName(std::wstring_view name);

// True when the path names a RAR archive: it ends in ".rar", in any letter case.
bool IsRarArchiveName(std::wstring_view path);

// The part of an entry name after its last separator (all of it when it has none).
std::wstring EntryLeafName(std::wstring_view name);

}  // namespace foundation
