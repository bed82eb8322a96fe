#include "controls/xp_vscrollbar.h"

#include "controls/drawing.h"
#include "controls/mouse_over.h"
#include "controls/skin_art.h"
#include "foundation/app_path.h"
#include "foundation/message_box.h"
#include "foundation/ole_color.h"

namespace controls {

void XpVScrollBar::ReadProperties(const PropertyBag& bag) {
  ScrollBarState::StoredSettings s;
  s.enabled = bag.ReadBool(L"Enabled", true);
  s.largeChange = bag.ReadLong(L"LargeChange", 10);
  s.max = bag.ReadLong(L"Max", 255);
  s.min = bag.ReadLong(L"Min", 0);
  s.smallChange = bag.ReadLong(L"SmallChange", 1);
  s.value = bag.ReadLong(L"Value", 0);
  s.colorScheme = bag.ReadLong(L"ColorScheme", 0);
  state_.ApplyStored(s);
}

void XpVScrollBar::WriteProperties(PropertyBag& bag) const {
  const ScrollBarState::StoredSettings s = state_.Settings();
  bag.Write(L"Enabled", s.enabled, true);
  bag.Write(L"LargeChange", s.largeChange, int32_t{10});
  bag.Write(L"Min", s.min, int32_t{0});
  bag.Write(L"Max", s.max, int32_t{255});
  bag.Write(L"SmallChange", s.smallChange, int32_t{1});
  bag.Write(L"Value", s.value, int32_t{0});
  bag.Write(L"ColorScheme", s.colorScheme, int32_t{0});
}

void XpVScrollBar::OnMouseDown(int16_t button, int16_t, int, int y) { state_.MouseDown(button, static_cast<float>(y)); }

void XpVScrollBar::OnMouseUp(int16_t, int16_t, int, int) { state_.MouseUp(); }

void XpVScrollBar::OnMouseMove(int16_t buttons, int16_t shift, int x, int y) {
  state_.MouseMove(buttons, shift, static_cast<float>(x), static_cast<float>(y));
}

void XpVScrollBar::OnTimer(UINT_PTR id) {
  if (id == kRepeatTimerId) state_.RepeatTick();
  if (id == kHoverTimerId) state_.HoverPollTick();
}

void XpVScrollBar::SetControlSize(int width, int height) {
  if (width != ScaleWidth() || height != ScaleHeight()) Resize(width, height);
}

void XpVScrollBar::EndDraw() {
  if (drawDepth_ > 0 && --drawDepth_ == 0) Present();
}

void XpVScrollBar::DrawSkin(int id, int x, int y, int width, int height) {
  // Skins are drawn once by the skin cache, never on every draw.
  if (PictureRef picture = ScrollBarSkin(id)) DrawWholePicture(surface().dc(), x, y, width, height, *picture);
}

void XpVScrollBar::DrawLine(int x1, int y1, int x2, int y2, uint32_t oleColor) {
  DrawPenLine(surface().dc(), x1, y1, x2, y2, foundation::OleColorToRgb(oleColor));
}

bool XpVScrollBar::CursorOverControl() const { return IsMouseOver(hwnd()); }

void XpVScrollBar::ReportInvalidPropertyValue() {
  // The program's default title: its executable name.
  foundation::ShowMessage(hwnd(), L"Invalid property value", foundation::ExeName(), MB_ICONERROR | MB_OK);
}

}  // namespace controls
