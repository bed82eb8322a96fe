// OLE colours: 0 to 0xFFFFFF is RGB with red in the low byte; 0x80000000 + n is
// system colour n. Every drawing call takes the translated RGB value.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

namespace foundation {

inline constexpr uint32_t kSystemColorFlag = 0x80000000u;
// The window background (&H80000005). Not &H80000009: that is the title bar's
// text colour, white only on some colour schemes.
inline constexpr uint32_t kOleWindowColor = kSystemColorFlag | COLOR_WINDOW;

// The RGB value of an OLE colour, or nullopt for a value that names no colour
// (an unknown system colour index, palette forms, other high bytes).
std::optional<COLORREF> TranslateOleColor(uint32_t oleColor);

// As above, with fallback for a value that names no colour.
COLORREF OleColorToRgb(uint32_t oleColor, COLORREF fallback = RGB(0, 0, 0));

}  // namespace foundation
