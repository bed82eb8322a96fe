// How the panel reads the numbers of Config.ini: a value is numeric when the
// whole text, blanks around it allowed, reads as one decimal number (sign,
// decimal point and exponent allowed). Missing or non-numeric values act as
// their defaults.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panel {

std::optional<double> ParseConfigNumber(std::wstring_view text);

// DB and RndValue: below 0 gives "0", above 100 gives "100", otherwise the text
// as read (blanks included); not numeric gives "50".
std::wstring ClampPercentText(std::wstring_view text);

// Input: the conversion mode 0 to 2, rounded halves to even; not numeric gives 2.
int ClampInputMode(std::wstring_view text);

// DefX / DefY: the number rounded halves to even, in twips; not numeric, or a
// number outside 32 bits, gives fallback.
int32_t ConfigPosition(std::wstring_view text, int32_t fallback);

}  // namespace panel
