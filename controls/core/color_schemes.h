// Colour schemes of the vertical scroll bar's thumb: per draw state (0 normal,
// 1 hover, 2 pressed) the colour of each of the thumb body's 16 one-pixel
// columns, as OLE colours (&HBBGGRR). Schemes: 0 blue, 1 olive, any other
// number silver. No <windows.h>.
#pragma once
#include <array>
#include <cstdint>

namespace controls {

inline constexpr int kThumbColumns = 16;
inline constexpr int kDrawStates = 3;
using ColorSchemeTable = std::array<std::array<uint32_t, kThumbColumns>, kDrawStates>;

// Writes all 48 entries for the scheme. The scheme is compared by value, so
// 1.0 is the olive scheme like 1.
void FillColorSchemeTable(double scheme, ColorSchemeTable& table);

}  // namespace controls
