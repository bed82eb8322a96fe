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

void DrawRect(HDC dc, int left, int top, int right, int bottom, COLORREF color, bool filled) {
  if (!dc) return;
  foundation::UniqueBrush brush(::CreateSolidBrush(color));
  if (!brush) return;
  const RECT rc{left, top, right, bottom};
  if (filled) {
    ::FillRect(dc, &rc, brush.get());
  } else {
    ::FrameRect(dc, &rc, brush.get());
  }
}

namespace {

// A memory DC compatible with another, holding a bitmap until it goes.
struct ScratchDc {
  foundation::UniqueMemoryDc dc;
  foundation::UniqueBitmap bitmap;
  HGDIOBJ previous = nullptr;
  ScratchDc(HDC compatibleWith, foundation::UniqueBitmap b) : dc(::CreateCompatibleDC(compatibleWith)), bitmap(std::move(b)) {
    if (dc && bitmap) previous = ::SelectObject(dc.get(), bitmap.get());
  }
  ScratchDc(const ScratchDc&) = delete;
  ScratchDc& operator=(const ScratchDc&) = delete;
  ~ScratchDc() {
    if (previous) ::SelectObject(dc.get(), previous);
  }
  bool ok() const { return dc && bitmap && previous; }
  HDC get() const { return dc.get(); }
};

}  // namespace

void TransBlt(HDC destination, HDC background, HDC source, int sx1, int sy1, int sx2, int sy2, int dx, int dy,
              COLORREF transparent) {
  const int w = static_cast<int16_t>(sx2 - sx1);
  const int h = static_cast<int16_t>(sy2 - sy1);
  if (!destination || !background || !source || w <= 0 || h <= 0) return;
  ScratchDc mask(background, foundation::UniqueBitmap(::CreateBitmap(w, h, 1, 1, nullptr)));
  ScratchDc inverse(background, foundation::UniqueBitmap(::CreateBitmap(w, h, 1, 1, nullptr)));
  ScratchDc result(background, foundation::UniqueBitmap(::CreateCompatibleBitmap(background, w, h)));
  ScratchDc copy(background, foundation::UniqueBitmap(::CreateCompatibleBitmap(background, w, h)));
  if (!mask.ok() || !inverse.ok() || !result.ok() || !copy.ok()) return;
  // A colour-to-monochrome copy sets the bits whose pixel equals the
  // background colour: the mask is 1 where the source is transparent.
  const COLORREF oldBack = ::SetBkColor(source, transparent);
  ::BitBlt(mask.get(), 0, 0, w, h, source, sx1, sy1, SRCCOPY);
  ::SetBkColor(source, oldBack);
  ::BitBlt(inverse.get(), 0, 0, w, h, mask.get(), 0, 0, NOTSRCCOPY);
  // Monochrome-to-colour copies use the new DCs' black text and white
  // background colours: opaque pixels become black in the background copy,
  // transparent ones black in the source copy, and XOR joins the two.
  ::BitBlt(result.get(), 0, 0, w, h, background, dx, dy, SRCCOPY);
  ::BitBlt(result.get(), 0, 0, w, h, mask.get(), 0, 0, SRCAND);
  ::BitBlt(copy.get(), 0, 0, w, h, source, sx1, sy1, SRCCOPY);
  ::BitBlt(copy.get(), 0, 0, w, h, inverse.get(), 0, 0, SRCAND);
  ::BitBlt(result.get(), 0, 0, w, h, copy.get(), 0, 0, SRCINVERT);
  ::BitBlt(destination, dx, dy, w, h, result.get(), 0, 0, SRCCOPY);
}

}  // namespace controls
