#include "foundation/core/rar_entry_name.h"

#include "foundation/core/category_name.h"

namespace foundation {
namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
}  // namespace

bool IsSafeEntryName(std::wstring_view name) {
  if (name.empty()) return false;
  for (size_t start = 0;;) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const std::wstring_view part = name.substr(start, end - start);
    // A name the library can't create as given it writes under another one
    // ("min?.gif" as "min_.gif"), which could be a file already there.
    if (end == name.size()) return part.empty() ? start > 0 : IsPlainName(part);
    if (!IsPlainName(part)) return false;
    start = end + 1;
  }
}

bool IsRarArchiveName(std::wstring_view path) {
  constexpr std::wstring_view kExt = L".rar";
  if (path.size() < kExt.size()) return false;
  const std::wstring_view tail = path.substr(path.size() - kExt.size());
  for (size_t i = 0; i < kExt.size(); ++i) {
    if (AsciiLower(tail[i]) != kExt[i]) return false;
  }
  return true;
}

std::wstring EntryLeafName(std::wstring_view name) {
  const size_t pos = name.find_last_of(L"\\/");
  return std::wstring(pos == std::wstring_view::npos ? name : name.substr(pos + 1));
}

}  // namespace foundation
