#include "foundation/ole_color.h"

namespace foundation {

std::optional<COLORREF> TranslateOleColor(uint32_t oleColor) {
  if (oleColor <= 0x00FFFFFFu) return static_cast<COLORREF>(oleColor);
  if ((oleColor & 0xFF000000u) == kSystemColorFlag) {
    const uint32_t index = oleColor & 0x00FFFFFFu;
    // COLOR_MENUBAR (30) is the last system colour index.
    if (index > COLOR_MENUBAR) return std::nullopt;
    return ::GetSysColor(static_cast<int>(index));
  }
  return std::nullopt;
}

COLORREF OleColorToRgb(uint32_t oleColor, COLORREF fallback) { return TranslateOleColor(oleColor).value_or(fallback); }

}  // namespace foundation
