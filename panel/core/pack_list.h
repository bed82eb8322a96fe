// The emoticon-pack list FaceList.txt as the pack download window reads it,
// and the checks that keep what the network sends inside the library.
//
// A line holding "|" is one pack: archive name, size text, title, date text,
// read with GetField (so tabs, CR, LF and no-break spaces separate fields too,
// and runs of separators count as one); other lines (blank, headings) are
// ignored, as is any field after the fourth. The archive name comes from the
// network: a row is kept only when it is a plain file name ending in ".rar"
// whose name without the extension is a valid category (so nothing is ever
// made or written outside the library), and only the first of several rows
// naming one archive (in any letter case) is kept.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panel {

struct PackListEntry {
  std::wstring archiveName;
  std::wstring sizeText;
  std::wstring title;
  std::wstring dateText;
  friend bool operator==(const PackListEntry&, const PackListEntry&) = default;
};

// The server paths of the list and of the packs.
inline constexpr wchar_t kPackFolderPath[] = L"tolvery/";
inline constexpr wchar_t kPackListFile[] = L"FaceList.txt";

// Lines end in CR LF; a lone LF ends a line as well. At most kMaxPackRows
// rows are read.
inline constexpr size_t kMaxPackRows = 5000;
std::vector<PackListEntry> ParsePackList(std::wstring_view text);

// A plain file name ending in ".rar" (any letter case), not starting with a
// blank, whose category part CheckCategoryName takes as a new folder of its
// own (no separator, drive or refused character, not "." or "..", not
// ending in a dot or blank, not a device name).
inline constexpr size_t kMaxArchiveNameLength = 120;
bool IsPackArchiveName(std::wstring_view archiveName);

// The category folder a pack goes to: the archive name less its last four
// characters ("cats.rar" -> "cats").
std::wstring PackCategory(std::wstring_view archiveName);

// The path part of an address for a name: every byte of its UTF-8 form that
// is not a letter, digit or one of "-._~" is written %XX.
std::wstring EscapeUrlPathSegment(std::wstring_view name);

// Whole percent of a download: 0 without a total, else progress / total * 100
// rounded down, kept within 0..100.
int32_t DownloadPercent(uint64_t progress, uint64_t total);

// Whether a file starts the way a RAR archive (version 1.5 to 4, or 5) does.
bool HasRarSignature(std::string_view firstBytes);

}  // namespace panel
