#include "controls/drawing.h"

#include "controls/core/units.h"

namespace controls {

foundation::UniqueFont CreateGdiFont(const FontSpec& font, HDC dc) {
  LOGFONTW lf{};
  const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
  lf.lfHeight = -RoundHalfEven(font.size * dpi / 72.0);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikethrough;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  return foundation::UniqueFont(::CreateFontIndirectW(&lf));
}

SIZE MeasureText(HDC dc, HFONT font, const std::wstring& text) {
  SIZE size{0, 0};
  if (!dc) return size;
  foundation::SelectionGuard select(dc, font);
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (text.empty()) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    size.cy = tm.tmHeight;
  }
  return size;
}

void DrawTextAt(HDC dc, HFONT font, const std::wstring& text, int x, int y, COLORREF color) {
  if (!dc || text.empty()) return;
  foundation::SelectionGuard select(dc, font);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, color);
  const UINT oldAlign = ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  ::SetTextAlign(dc, oldAlign);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

void DrawPenLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width) {
  if (!dc) return;
  foundation::UniquePen pen(::CreatePen(PS_SOLID, width, color));
  if (!pen) return;
  foundation::SelectionGuard select(dc, pen.get());
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

}  // namespace controls
