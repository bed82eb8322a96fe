#include "foundation/text_compare.h"

#include <windows.h>

namespace foundation {

bool TextEquals(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  // String sort: word sort would let a hyphen or an apostrophe match nothing.
  return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

int FindTextPos(std::wstring_view text, std::wstring_view part) {
  if (part.size() > text.size()) return -1;
  const size_t last = text.size() - part.size();
  for (size_t i = 0; i <= last; ++i) {
    if (TextEquals(text.substr(i, part.size()), part)) return static_cast<int>(i) + 1;
  }
  return -1;
}

bool ContainsText(std::wstring_view text, std::wstring_view part) { return FindTextPos(text, part) >= 1; }

}  // namespace foundation
