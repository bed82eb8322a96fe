#include "foundation/path_fields.h"

#include "foundation/text_compare.h"

namespace foundation {

std::wstring GetFileName(std::wstring_view path) {
  size_t pos = path.rfind(L'\\');
  return std::wstring(pos == std::wstring_view::npos ? path : path.substr(pos + 1));
}

std::wstring GetExtension(std::wstring_view name) {
  size_t pos = name.rfind(L'.');
  return std::wstring(pos == std::wstring_view::npos ? name : name.substr(pos + 1));
}

std::wstring GetExeNameFromPath(std::wstring_view path) {
  // Remove every "\??\" (compared as text, so case never matters here).
  std::wstring s(path);
  constexpr std::wstring_view kDosPrefix = L"\\??\\";
  for (int pos; (pos = FindTextPos(s, kDosPrefix)) >= 1;) s.erase(static_cast<size_t>(pos - 1), kDosPrefix.size());
  constexpr std::wstring_view kSystemRoot = L"\\SYSTEMROOT\\";
  if (s.size() >= kSystemRoot.size() && TextEquals(std::wstring_view(s).substr(0, kSystemRoot.size()), kSystemRoot)) {
    s.erase(0, kSystemRoot.size() - 1);
  }
  return GetFileName(s);
}

std::wstring NormalizeSeparators(std::wstring_view line) {
  std::wstring out(line);
  for (wchar_t& c : out) {
    if (c == L'\t' || c == L'\n' || c == L'\r' || c == 0x00A0) c = L'|';
  }
  return out;
}

std::wstring GetField(std::wstring_view line, int index) {
  if (index < 1) return {};
  const std::wstring s = NormalizeSeparators(line);
  size_t p = 0;
  for (int n = 1;; ++n) {
    while (p < s.size() && s[p] == L'|') ++p;
    size_t next = s.find(L'|', p);
    if (n == index) return s.substr(p, next == std::wstring::npos ? std::wstring::npos : next - p);
    if (next == std::wstring::npos) return {};
    p = next + 1;
  }
}

std::wstring WithTrailingBackslash(std::wstring_view path) {
  std::wstring s(path);
  if (s.empty() || s.back() != L'\\') s.push_back(L'\\');
  return s;
}

}  // namespace foundation
