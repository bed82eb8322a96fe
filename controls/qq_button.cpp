#include "controls/qq_button.h"

#include <cwctype>

#include "controls/core/layout.h"
#include "controls/core/units.h"
#include "controls/drawing.h"
#include "controls/skin_art.h"
#include "foundation/ole_color.h"

namespace controls {

namespace {

constexpr COLORREF kSurfaceBack = RGB(0xD7, 0xD7, 0xD7);

}  // namespace

void QQButton::InitProperties() {
  font_ = ambient().font;
  ApplyFont();
  PrintB(1);
}

void QQButton::ReadProperties(const PropertyBag& bag) {
  SetWindowEnabledState(bag.ReadBool(L"Enabled", true));
  caption_ = bag.ReadString(L"Caption", L"");
  font_ = bag.ReadFont(L"Font", ambient().font);
  ApplyFont();
  PrintB(1);
  if (PictureRef picture = bag.ReadPicture(L"Picture")) SetPicture(picture);
  foreColor_ = bag.ReadColor(L"ForeColor", 0x80000012u);
  keys_ = bag.ReadString(L"Keys", L"");
  PrintB(1);
}

void QQButton::WriteProperties(PropertyBag& bag) const {
  bag.Write(L"Picture", picture_, PictureRef{});
  bag.Write(L"Caption", caption_, std::wstring());
  bag.Write(L"Font", font_, ambient().font);
  bag.Write(L"ForeColor", ColorToLong(foreColor_), ColorToLong(0x80000012u));
  bag.Write(L"Enabled", GetEnabled(), true);
  bag.Write(L"Keys", keys_, std::wstring());
}

void QQButton::SetPicture(PictureRef picture) {
  picture_ = std::move(picture);
  PrintB(1);
  MarkChanged(L"Picture");
}

void QQButton::SetFont(const FontSpec& font) {
  font_ = font;
  ApplyFont();
  MarkChanged(L"Font");
  PrintB(1);
}

void QQButton::SetForeColor(uint32_t oleColor) {
  foreColor_ = oleColor;
  MarkChanged(L"ForeColor");
  PrintB(1);
}

void QQButton::SetEnabled(bool enabled) {
  SetWindowEnabledState(enabled);
  MarkChanged(L"Enabled");
  PrintB(1);
}

void QQButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  PrintB(1);
  MarkChanged(L"Caption");
}

void QQButton::SetKeys(const std::wstring& keys) {
  keys_ = keys.empty() ? std::wstring() : std::wstring(1, static_cast<wchar_t>(std::towupper(keys[0])));
}

void QQButton::ApplyFont() { gdiFont_ = CreateGdiFont(font_, surface().dc()); }

void QQButton::UserControl_Resize() { PrintB(1); }

void QQButton::PrintB(int state) {
  BackSurface& s = surface();
  if (s.empty()) return;
  s.Fill(kSurfaceBack);
  if (state == 1 && !GetEnabled()) state = 0;
  if (PictureRef skin = QQButtonSkin(state)) {
    for (const SlicePiece& p : NineSlicePieces(s.width(), s.height(), skin->width(), skin->height())) {
      DrawPicturePart(s.dc(), p.dest.x, p.dest.y, p.dest.width, p.dest.height, *skin, p.source.x, p.source.y,
                      p.source.width, p.source.height);
    }
  }
  drawnState_ = state;
  SetText(caption_, state);
  Present();
}

void QQButton::SetText(const std::wstring& caption, int state) {
  BackSurface& s = surface();
  if (s.empty() || state < 0 || state > 3) return;
  // Measured with the font it is drawn with, so the caption sits centred.
  const SIZE text = MeasureText(s.dc(), gdiFont_.get(), caption);
  const double shift = state == 3 ? 20.0 / kTwipsPerPixel : 0.0;  // pressed: 20 twips right and down
  const int x = RoundHalfEven((s.width() - text.cx) / 2.0 + shift);
  const int y = RoundHalfEven((s.height() - text.cy) / 2.0 + shift);
  DrawTextAt(s.dc(), gdiFont_.get(), caption, x, y, foundation::OleColorToRgb(foreColor_));
}

void QQButton::OnMouseDown(int16_t button, int16_t shift, int x, int y) {
  float X = PixelsToTwips(x), Y = PixelsToTwips(y);
  Raise(MouseDown, button, shift, X, Y);
  machine_.MouseDown(button);
}

void QQButton::OnMouseUp(int16_t button, int16_t shift, int x, int y) {
  float X = PixelsToTwips(x), Y = PixelsToTwips(y);
  Raise(MouseUp, button, shift, X, Y);
  const bool inside = x >= 0 && y >= 0 && x < ScaleWidth() && y < ScaleHeight();
  machine_.MouseUp(button, inside);
}

void QQButton::OnMouseMove(int16_t buttons, int16_t shift, int x, int y) {
  float X = PixelsToTwips(x), Y = PixelsToTwips(y);
  Raise(MouseMove, buttons, shift, X, Y);
  machine_.MouseMove(X, Y, static_cast<float>(PixelsToTwips(ScaleWidth())),
                     static_cast<float>(PixelsToTwips(ScaleHeight())));
}

void QQButton::OnDoubleClick(int16_t button, int16_t shift, int x, int y) {
  (void)shift, (void)x, (void)y;
  machine_.DoubleClick(button);  // no MouseDown for the second press
}

void QQButton::OnKeyDown(int keyCode, int16_t) { machine_.KeyDown(keyCode); }

void QQButton::CaptureMouse() {
  if (hwnd() && ::GetCapture() != hwnd()) ::SetCapture(hwnd());
}

void QQButton::ReleaseMouse() {
  if (hwnd() && ::GetCapture() == hwnd()) ::ReleaseCapture();
}

}  // namespace controls
