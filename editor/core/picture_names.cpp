#include "editor/core/picture_names.h"

namespace editor {
namespace {

// The extensions compared are ASCII, so folding ASCII letters is enough: no
// other character can equal one of theirs.
wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

bool HasExtension(std::wstring_view name, std::span<const std::wstring_view> extensions) {
  const size_t dot = name.find_last_of(L'.');
  if (dot == std::wstring_view::npos) return false;
  const std::wstring_view extension = name.substr(dot + 1);
  for (std::wstring_view e : extensions) {
    if (EqualsIgnoringAsciiCase(extension, e)) return true;
  }
  return false;
}

}  // namespace editor
