// The general-purpose module's text comparison: case-insensitive under the
// user's locale, for every equality test and search of paths, fields and the
// typed-text conversion.
#pragma once
#include <string_view>

namespace foundation {

bool TextEquals(std::wstring_view a, std::wstring_view b);

// First 1-based position at which part occurs in text, or -1. An empty part
// occurs at position 1 of every text, the empty text included.
int FindTextPos(std::wstring_view text, std::wstring_view part);

// True when part occurs in text (always for an empty part).
bool ContainsText(std::wstring_view text, std::wstring_view part);

}  // namespace foundation
