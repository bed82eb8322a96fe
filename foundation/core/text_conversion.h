// The two conversions of typed text and their random picks. Pure functions
// over the tables; the module state that feeds them lives in input_hook.h.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "foundation/core/random_source.h"

namespace foundation {

// Character for character: a typed character found in source (case-insensitive,
// first position) becomes the character at the same position of target; "*"
// there keeps it, a position beyond target's end drops it; other characters stay.
std::wstring ConvertToTraditional(std::wstring_view text, std::wstring_view source, std::wstring_view target);

struct MarsTables {
  std::wstring_view sourceChars;
  // Line p - 1 holds the comma-separated alternatives of source character p.
  const std::vector<std::wstring>* alternatives = nullptr;
  std::wstring_view decorationChars;
  bool decorationsOn = false;
  std::wstring_view randomPercent;  // decimal text, chance of a decoration per character
};

std::wstring ConvertToMarsText(std::wstring_view text, const MarsTables& tables, RandomSource& random);

// The list unchanged when it holds no ",", else one of its comma-separated
// pieces (empty pieces kept, none trimmed); the end pieces are half as likely
// as each inner one. Draws once, without re-seeding.
std::wstring PickRandomAlternative(std::wstring_view list, RandomSource& random);

// Re-seeds, draws, and answers "0" to "100".
std::wstring RandomNumberText(RandomSource& random);

// A decoration when the leading number of randomPercent is above a fresh
// RandomNumberText, else "".
std::wstring PickDecoration(std::wstring_view randomPercent, std::wstring_view decorationChars, RandomSource& random);

// Re-seeds, draws, and answers the character at position r * L + 1 (rounded,
// from 1) of decorationChars; position L + 1, and an empty text, give "".
std::wstring RandomDecoration(std::wstring_view decorationChars, RandomSource& random);

// The number at the start of text after leading blanks (sign, digits, one
// decimal point, exponent); 0 when there is none.
double LeadingNumber(std::wstring_view text);

}  // namespace foundation
