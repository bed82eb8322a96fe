#include "controls/box.h"

#include "controls/core/layout.h"
#include "foundation/ole_color.h"

namespace controls {

void Box::InitProperties() { Draw(); }

void Box::ReadProperties(const PropertyBag& bag) {
  SetWindowEnabledState(bag.ReadBool(L"Enabled", true));
  backColor_ = bag.ReadColor(L"BackColor", 0xFFFFFFu);
  // Without a stored colour the lines take the host's background, so the
  // border disappears into the host.
  for (uint32_t& line : lineColors_) line = bag.ReadColor(L"LineColor", ambient().backColor);
  Draw();
}

void Box::WriteProperties(PropertyBag& bag) const {
  bag.Write(L"Enabled", GetEnabled(), true);
  bag.Write(L"BackColor", ColorToLong(backColor_));
  bag.Write(L"LineColor", ColorToLong(lineColors_[0]));
}

void Box::SetBackColor(uint32_t oleColor) {
  backColor_ = oleColor;
  MarkChanged(L"BackColor");
  Draw();
}

void Box::SetLineColor(uint32_t oleColor) {
  for (uint32_t& line : lineColors_) line = oleColor;
  MarkChanged(L"LineColor");
  Draw();
}

void Box::Draw() {
  BackSurface& s = surface();
  if (s.empty()) return;
  s.Fill(foundation::OleColorToRgb(backColor_));
  const BoxLines lines = BoxLinePixels(s.width(), s.height());
  const PixelRect* rects[4] = {&lines.left, &lines.bottom, &lines.right, &lines.top};
  for (int i = 0; i < 4; ++i) {
    s.FillRect(rects[i]->x, rects[i]->y, rects[i]->width, rects[i]->height,
               foundation::OleColorToRgb(lineColors_[i]));
  }
  Present();
  // Children draw themselves over the fresh background.
  if (hwnd()) ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT Box::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    // A container: what its children tell their parent goes on to the host.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (HWND parent = ::GetParent(hwnd())) return ::SendMessageW(parent, msg, wParam, lParam);
      break;
    default:
      break;
  }
  return ControlWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace controls
