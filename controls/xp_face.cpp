#include "controls/xp_face.h"

#include "controls/core/xp_face_math.h"
#include "controls/drawing.h"
#include "foundation/handles.h"
#include "foundation/ole_color.h"

namespace controls {

namespace {

COLORREF Rgb(uint32_t oleColor) { return foundation::OleColorToRgb(oleColor); }

void DrawLines(HDC dc, const std::vector<FaceLine>& lines, uint32_t base) {
  for (const FaceLine& l : lines) DrawPenLine(dc, l.x1, l.y1, l.x2, l.y2, ShiftColor(base, l.amount));
}

void DrawRing(HDC dc, int w, int h, uint32_t base, const std::vector<FaceLine>& lines) {
  const foundation::IntRect f = RingFrame(w, h);
  DrawRect(dc, f.left, f.top, f.right, f.bottom, base, false);
  DrawLines(dc, lines, base);
}

void DrawCornerPixels(HDC dc, int w, int h) {
  const COLORREF c = Rgb(kFaceCornerOleColor);
  ::SetPixelV(dc, 1, 1, c);
  ::SetPixelV(dc, 1, h - 2, c);
  ::SetPixelV(dc, w - 2, 1, c);
  ::SetPixelV(dc, w - 2, h - 2, c);
}

void DrawXPFace(HDC dc, const XpFaceState& s, bool pressedLook, bool hover) {
  const int w = s.width, h = s.height;
  const uint32_t c = Rgb(s.backColor);
  const uint32_t t = ShiftColor(c, kFaceLighten);
  const uint32_t p = ShiftColor(t, kPressedDarken);
  if (!s.enabled) {
    for (int y = 1; y <= h - 1; ++y) DrawPenLine(dc, 0, y, w, y, ShiftColor(t, GradientAmount(kDisabledSpan, h, y)));
    DrawCornerPixels(dc, w, h);
    DrawLines(dc, EdgeLines(w, h), t);
    return;
  }
  if (pressedLook) {
    // Lightest at the bottom row, darkest at the top.
    for (int i = 1; i <= h; ++i) DrawPenLine(dc, 0, h - i, w, h - i, ShiftColor(p, GradientAmount(kPressedSpan, h, i)));
    DrawCornerPixels(dc, w, h);
    DrawLines(dc, PressedLines(w, h), p);
    return;
  }
  for (int y = 1; y <= h - 1; ++y) DrawPenLine(dc, 0, y, w, y, ShiftColor(t, GradientAmount(kNormalSpan, h, y)));
  DrawCornerPixels(dc, w, h);
  if (s.focus) {
    DrawRing(dc, w, h, Rgb(s.pressedColor), FocusRingLines(w, h));
  } else {
    DrawLines(dc, EdgeLines(w, h), t);
  }
  // The hover ring covers every pixel of the focus ring.
  if (hover) DrawRing(dc, w, h, Rgb(s.hoverColor), HoverRingLines(w, h));
}

}  // namespace

void DrawXPButton(HDC dc, const XpFaceState& s) {
  if (!dc || s.width < 1 || s.height < 1) return;
  if (s.pressed) {
    DrawXPFace(dc, s, true, false);
  } else {
    DrawXPFace(dc, s, false, s.hover);
  }
  DrawRect(dc, 0, 0, s.width, s.height, kFaceFrameColor, false);
}

void MakeRoundRegion(HWND hwnd, int w, int h) {
  if (!hwnd) return;
  foundation::UniqueRegion region(::CreateRectRgn(0, 0, w, h));
  if (!region) return;
  for (const foundation::IntPoint& cut : RoundRegionCuts(w, h)) {
    foundation::UniqueRegion pixel(::CreateRectRgn(cut.x, cut.y, cut.x + 1, cut.y + 1));
    if (pixel) ::CombineRgn(region.get(), region.get(), pixel.get(), RGN_DIFF);
  }
  if (::SetWindowRgn(hwnd, region.get(), TRUE)) region.release();  // the window owns it now
}

}  // namespace controls
