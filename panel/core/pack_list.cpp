#include "panel/core/pack_list.h"

#include <algorithm>

#include "foundation/core/category_name.h"
#include "foundation/core/rar_entry_name.h"
#include "foundation/path_fields.h"
#include "foundation/text_compare.h"

namespace panel {

namespace {

constexpr size_t kRarExtensionLength = 4;  // ".rar"

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool IsPackArchiveName(std::wstring_view name) {
  if (name.size() <= kRarExtensionLength || name.size() > kMaxArchiveNameLength) return false;
  if (!foundation::IsRarArchiveName(name) || name.front() == L' ') return false;
  return foundation::CheckCategoryName(PackCategory(name), false) == foundation::CategoryNameVerdict::kOk;
}

std::wstring PackCategory(std::wstring_view archiveName) {
  if (archiveName.size() < kRarExtensionLength) return {};
  return std::wstring(archiveName.substr(0, archiveName.size() - kRarExtensionLength));
}

std::vector<PackListEntry> ParsePackList(std::wstring_view text) {
  std::vector<PackListEntry> rows;
  for (std::wstring_view line : SplitLines(text)) {
    if (rows.size() >= kMaxPackRows) break;
    if (line.find(L'|') == std::wstring_view::npos) continue;
    PackListEntry e{foundation::GetField(line, 1), foundation::GetField(line, 2), foundation::GetField(line, 3),
                    foundation::GetField(line, 4)};
    if (!IsPackArchiveName(e.archiveName)) continue;
    const bool seen = std::any_of(rows.begin(), rows.end(), [&](const PackListEntry& r) {
      return foundation::TextEquals(r.archiveName, e.archiveName);
    });
    if (!seen) rows.push_back(std::move(e));
  }
  return rows;
}

std::wstring EscapeUrlPathSegment(std::wstring_view name) {
  std::string utf8;
  for (size_t i = 0; i < name.size(); ++i) {
    uint32_t c = name[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (name[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // a lone surrogate
    }
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::wstring out;
  for (unsigned char b : utf8) {
    const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' ||
                       b == '.' || b == '_' || b == '~';
    if (plain) {
      out += static_cast<wchar_t>(b);
    } else {
      out += L'%';
      out += static_cast<wchar_t>(kHex[b >> 4]);
      out += static_cast<wchar_t>(kHex[b & 0xF]);
    }
  }
  return out;
}

int32_t DownloadPercent(uint64_t progress, uint64_t total) {
  if (total == 0) return 0;
  const double percent = static_cast<double>(progress) / static_cast<double>(total) * 100.0;
  return static_cast<int32_t>(std::clamp(percent, 0.0, 100.0));
}

bool HasRarSignature(std::string_view b) {
  constexpr std::string_view kRar4("Rar!\x1A\x07\x00", 7);
  constexpr std::string_view kRar5("Rar!\x1A\x07\x01\x00", 8);
  return b.substr(0, kRar4.size()) == kRar4 || b.substr(0, kRar5.size()) == kRar5;
}

}  // namespace panel
