#include "foundation/core/rar_entry_name.h"

namespace foundation {
namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
}  // namespace

bool IsSafeEntryName(std::wstring_view name) {
  if (name.empty() || IsSeparator(name.front())) return false;
  if (name.find(L':') != std::wstring_view::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const std::wstring_view part = name.substr(start, end - start);
    // An empty part can only be a trailing separator (a folder entry); doubled
    // separators and dot components are refused.
    if (part.empty() && end != name.size()) return false;
    if (part == L"." || part == L"..") return false;
    // Windows drops trailing dots and blanks: "..." or ".. " would resolve to "..".
    if (!part.empty() && part.find_first_not_of(L". ") == std::wstring_view::npos) return false;
    if (end == name.size()) break;
    start = end + 1;
  }
  for (wchar_t c : name) {
    if (c < 0x20) return false;  // control characters never name a file
  }
  return true;
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
