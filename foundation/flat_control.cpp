#include "foundation/flat_control.h"

#include <uxtheme.h>

#include <algorithm>

#include "foundation/core/color_blend.h"
#include "foundation/handles.h"
#include "foundation/ole_color.h"

namespace foundation {

namespace {

// The hover poll. An id of its own, so the control's own timers (list boxes
// and edit fields run some) are neither killed by ours nor mistaken for it.
constexpr UINT_PTR kHoverTimerId = 0x464C4154;  // "FLAT"
constexpr UINT kHoverPollMs = 10;
// Height of a single-line text box, in twips.
constexpr int kTextBoxTwips = 260;
// The combo notification for a list that closed up.
constexpr WORD kComboCloseUp = CBN_CLOSEUP;

COLORREF Ole(std::uint32_t color) { return OleColorToRgb(color, static_cast<COLORREF>(-1)); }

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

LONG_PTR Style(HWND hwnd) { return ::GetWindowLongPtrW(hwnd, GWL_STYLE); }

// Rectangle as left, top, right, bottom with right and bottom exclusive: the
// top-left colour on the left and top edges, the bottom-right colour on the
// right and bottom edges.
void Draw3DRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight) {
  {
    UniquePen pen(::CreatePen(PS_SOLID, 1, topLeft));
    SelectionGuard use(dc, pen.get());
    ::MoveToEx(dc, rc.left, rc.bottom - 1, nullptr);
    ::LineTo(dc, rc.left, rc.top);
    ::LineTo(dc, rc.right - 1, rc.top);
  }
  if (rc.left == rc.right) return;
  UniquePen pen(::CreatePen(PS_SOLID, 1, bottomRight));
  SelectionGuard use(dc, pen.get());
  ::MoveToEx(dc, rc.right - 1, rc.top, nullptr);
  ::LineTo(dc, rc.right - 1, rc.bottom - 1);
  ::LineTo(dc, rc.left, rc.bottom - 1);
}

void FillColor(HDC dc, const RECT& rc, COLORREF color) {
  UniqueBrush brush(::CreateSolidBrush(color));
  if (brush) ::FillRect(dc, &rc, brush.get());
}

void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF color) {
  UniquePen pen(::CreatePen(PS_SOLID, 1, color));
  SelectionGuard use(dc, pen.get());
  ::MoveToEx(dc, x, top, nullptr);
  ::LineTo(dc, x, bottom);
}

// A downward triangle 5, 3 and 1 pixels wide around the button's centre.
void DrawDropArrow(HDC dc, const RECT& rc, COLORREF color) {
  const int x = rc.left + (rc.right - rc.left) / 2;
  const int y = rc.top + (rc.bottom - rc.top) / 2;
  UniquePen pen(::CreatePen(PS_SOLID, 1, color));
  SelectionGuard use(dc, pen.get());
  ::MoveToEx(dc, x - 2, y - 1, nullptr);
  ::LineTo(dc, x + 3, y - 1);
  ::MoveToEx(dc, x - 1, y, nullptr);
  ::LineTo(dc, x + 2, y);
  ::MoveToEx(dc, x, y + 1, nullptr);
  ::LineTo(dc, x + 1, y + 1);
}

// Button on the left for right-to-left reading or a left scroll bar.
bool HasWindowStyle(HWND hwnd) {
  return (::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & (WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR)) != 0;
}

// Visual styles off, so the frame we draw is not fought by a themed one.
void DisableTheme(HWND hwnd) { ::SetWindowTheme(hwnd, L" ", L" "); }

void Shrink2(HWND hwnd) {
  HWND parent = ::GetParent(hwnd);
  RECT rc{};
  if (!parent || !::GetWindowRect(hwnd, &rc)) return;
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  ::SetWindowPos(hwnd, nullptr, rc.left + 2, rc.top + 2, rc.right - rc.left - 4, rc.bottom - rc.top - 4,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's combo boxes, text boxes and list boxes among all its
// descendants, depth first in z-order. Such a control counts as one: a combo's
// edit field and list are parts of it, not controls of the form.
void CollectControls(HWND parent, std::vector<HWND>& controls) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring cls = ClassOf(child);
    if (cls == L"Edit" || cls == L"ListBox" || cls == L"ComboBox") controls.push_back(child);
    else CollectControls(child, controls);
  }
}

}  // namespace

COLORREF BlendColor(std::uint32_t a, std::uint32_t b, int alpha) { return BlendRgb(Ole(a), Ole(b), alpha); }
COLORREF HotButtonColor() { return BlendColor(kFlatHotColor, kOleWindowColor, 70); }
COLORREF PressedButtonColor() { return BlendColor(kFlatHotColor, HotButtonColor(), 70); }

cFlatControl::~cFlatControl() { Detach(); }

bool cFlatControl::Attach(HWND control) {
  Detach();
  if (!control || !::IsWindow(control)) {
    lastError_ = kFlatAttachError;
    lastErrorText_ = kFlatAttachErrorText;
    return false;
  }
  isCombo_ = false;
  isEdit_ = false;
  HWND window = control;
  const std::wstring cls = ClassOf(control);
  if (cls == L"ComboBoxEx32") {
    notifyWindow_ = control;
    window = ::FindWindowExW(control, nullptr, L"ComboBox", nullptr);
    isCombo_ = true;
  } else if (cls == L"ComboBox") {
    notifyWindow_ = ::GetParent(control);
    isCombo_ = true;
  } else if (cls == L"ListBox") {
    notifyWindow_ = control;
    isEdit_ = true;
  } else if (cls == L"Edit") {
    isEdit_ = true;
    Shrink2(control);
  } else if (Style(control) & CBS_DROPDOWN) {
    notifyWindow_ = ::GetParent(control);
    isCombo_ = true;
  } else {
    Shrink2(control);
  }
  AttachMessages(window);
  return true;
}

void cFlatControl::AttachMessages(HWND window) {
  window_ = window;
  if (!window) return;
  if (isCombo_) {
    // The edit field of a drop-down combo, as the combo reports it (a simple
    // list-style combo has none).
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(window, &info) && info.hwndItem && info.hwndItem != window)
      editWindow_ = info.hwndItem;
  }
  // The frame goes over what the control painted, so WM_PAINT is watched on
  // the way out; the rest on the way in, passing on to the control.
  windowLink_.AddBeforeMsgs({WM_MOUSEACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_MOUSEMOVE, WM_TIMER});
  windowLink_.AddAfterMsgs({WM_PAINT, WM_NCDESTROY});
  windowLink_.Subclass(window, this);
  if (editWindow_) {
    editLink_.AddBeforeMsgs({WM_MOUSEACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_MOUSEMOVE});
    editLink_.Subclass(editWindow_, this);
  }
  if (isCombo_) {
    notifyLink_.AddBeforeMsgs({WM_COMMAND});
    if (notifyWindow_) notifyLink_.Subclass(notifyWindow_, this);
    DisableTheme(window);
    if (editWindow_) ::RedrawWindow(editWindow_, nullptr, nullptr, RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
  }
}

void cFlatControl::Detach() {
  if (window_ && mouseOver_) ::KillTimer(window_, kHoverTimerId);
  windowLink_.Unsubclass();
  editLink_.Unsubclass();
  notifyLink_.Unsubclass();
  window_ = nullptr;
  editWindow_ = nullptr;
  notifyWindow_ = nullptr;
  mouseOver_ = false;
}

bool cFlatControl::DroppedDown() const {
  return isCombo_ && window_ && ::SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool cFlatControl::Focused() const {
  HWND focus = ::GetFocus();
  return focus && (focus == window_ || focus == editWindow_);
}

void cFlatControl::Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                          LPARAM& lParam) {
  if (!window_) return;
  switch (uMsg) {
    case WM_SETFOCUS:
      DrawFlat(true, false);
      CheckMouseLeave(false);
      break;
    case WM_KILLFOCUS:
      DrawFlat(false, false);
      break;
    case WM_COMMAND:
      if (hWnd == notifyWindow_ && reinterpret_cast<HWND>(lParam) == window_) {
        if (HIWORD(wParam) == kComboCloseUp) DrawFlat(Focused(), false);
        CheckMouseLeave(false);
      }
      break;
    case WM_TIMER:
      // Only our own poll is ours; it means nothing to the control.
      if (hWnd == window_ && wParam == kHoverTimerId) {
        CheckMouseLeave(true);
        if (!mouseOver_) DrawFlat(false, false);
        bHandled = true;
        lReturn = 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (!mouseOver_ && !Focused() && !DroppedDown()) {
        DrawFlat(true, false);
        mouseOver_ = true;
        ::SetTimer(window_, kHoverTimerId, kHoverPollMs, nullptr);
      }
      break;
    default:
      break;
  }
}

void cFlatControl::After(LRESULT&, HWND hWnd, UINT uMsg, WPARAM, LPARAM) {
  if (!window_ || hWnd != window_) return;
  if (uMsg == WM_PAINT) {
    // The pointer's look survives a repaint while it rests on the control
    // (a page coming up under it); focus and an open list end the hover poll.
    const bool dropped = DroppedDown();
    const bool held = Focused() || dropped;
    DrawFlat(held || mouseOver_, dropped);
    if (held) CheckMouseLeave(false);
  } else if (uMsg == WM_NCDESTROY) {
    // The host takes the control's links off with the window; the edit field
    // and the notify window's link go here.
    Detach();
    auto handler = onDestroyed_;
    if (handler) handler(this);  // may delete this object: nothing follows
  }
}

void cFlatControl::CheckMouseLeave(bool testCursor) {
  if (testCursor) {
    POINT pt{};
    RECT rc{};
    ::GetCursorPos(&pt);
    ::GetWindowRect(window_, &rc);
    if (::PtInRect(&rc, pt)) return;
  }
  ::KillTimer(window_, kHoverTimerId);
  mouseOver_ = false;
}

void cFlatControl::DrawFlat(bool hot, bool dropped) {
  const COLORREF hotColor = Ole(kFlatHotColor);
  const COLORREF idleColor = Ole(kFlatIdleColor);
  if (hot) DrawControl(dropped ? kStatePressed : kStateHot, hotColor, hotColor);
  else DrawControl(kStateIdle, idleColor, idleColor);
}

void cFlatControl::DrawControl(int state, COLORREF color1, COLORREF color2) {
  if (!window_) return;
  if (isCombo_) DrawComboButton(state, color1, color2);
  else DrawBorder(state, color1, color2);
}

void cFlatControl::DrawBorder(int, COLORREF color1, COLORREF color2) {
  HWND parent = ::GetParent(window_);
  RECT rc{};
  if (!parent || !::GetWindowRect(window_, &rc)) return;
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  ::InflateRect(&rc, 2, 2);
  WindowDc dc(parent);
  if (!dc) return;
  const COLORREF hot = Ole(kFlatHotColor);
  const COLORREF face = Ole(kOleButtonFace);
  if (color1 != hot) color1 = color2 = isEdit_ ? Ole(kFlatIdleColor) : face;
  Draw3DRect(dc.get(), rc, color1, color2);
  RECT inner = rc;
  ::InflateRect(&inner, -1, -1);
  const bool enabled = ::IsWindowEnabled(window_) != FALSE;
  const COLORREF innerColor = enabled && isEdit_ ? Ole(kOleWindowColor) : face;
  Draw3DRect(dc.get(), inner, innerColor, innerColor);
  if (!enabled) {
    const COLORREF shadow = Ole(kOleButtonShadow);
    Draw3DRect(dc.get(), rc, shadow, shadow);
  }
}

void cFlatControl::DrawComboButton(int state, COLORREF color1, COLORREF color2) {
  RECT rc{};
  ::GetClientRect(window_, &rc);
  WindowDc dc(window_);
  if (!dc) return;
  const COLORREF hot = Ole(kFlatHotColor);
  const COLORREF face = Ole(kOleButtonFace);
  const COLORREF windowColor = Ole(kOleWindowColor);
  const bool enabled = ::IsWindowEnabled(window_) != FALSE;
  if (enabled) {
    Draw3DRect(dc.get(), rc, color1, color2);
    ::InflateRect(&rc, -1, -1);
    Draw3DRect(dc.get(), rc, windowColor, windowColor);
  } else {
    const COLORREF shadow = Ole(kOleButtonShadow);
    Draw3DRect(dc.get(), rc, shadow, shadow);
    ::InflateRect(&rc, -1, -1);
    Draw3DRect(dc.get(), rc, face, face);
  }
  RECT button = rc;
  if (!enabled) ::InflateRect(&button, -1, -1);
  const bool left = HasWindowStyle(window_);
  const int thumb = ::GetSystemMetrics(SM_CXHTHUMB);
  if (left) button.right = thumb;
  else button.left = button.right - thumb;
  if (!enabled) {
    FillColor(dc.get(), button, face);
    DrawDropArrow(dc.get(), button, Ole(kOleButtonShadow));
    return;
  }
  COLORREF fill;
  if (state == kStateIdle && color1 != hot) fill = face;
  else fill = state == kStatePressed ? PressedButtonColor() : HotButtonColor();
  FillColor(dc.get(), button, fill);
  const COLORREF separator = (color1 == hot || state != kStateIdle) ? hot : Ole(kFlatIdleColor);
  const int edge = left ? button.right : button.left;
  VerticalLine(dc.get(), edge, button.top, button.bottom, separator);
  VerticalLine(dc.get(), left ? edge + 1 : edge - 1, button.top, button.bottom, windowColor);
  DrawDropArrow(dc.get(), button, Ole(kOleWindowText));
}

// ---- FlatControlList -------------------------------------------------------

cFlatControl* FlatControlList::Add(std::unique_ptr<cFlatControl> control) {
  cFlatControl* raw = control.get();
  if (!raw) return nullptr;
  raw->OnControlDestroyed([this](cFlatControl* gone) {
    auto it = std::find_if(items_.begin(), items_.end(), [gone](const auto& p) { return p.get() == gone; });
    if (it != items_.end()) items_.erase(it);
  });
  items_.push_back(std::move(control));
  return raw;
}

cFlatControl* FlatControlList::Find(HWND control) const {
  for (const auto& item : items_)
    if (item->hwnd() == control) return item.get();
  return nullptr;
}

void MakeControlsFlat(HWND form, FlatControlList& list) {
  // Listed before any is touched: making one flat restyles and moves it.
  std::vector<HWND> controls;
  CollectControls(form, controls);
  for (HWND child : controls) {
    const std::wstring cls = ClassOf(child);
    if (cls == L"Edit") {
      LONG_PTR style = Style(child);
      RECT rc{};
      ::GetWindowRect(child, &rc);
      int height = rc.bottom - rc.top;
      if (!(style & ES_MULTILINE)) {
        WindowDc screen(nullptr);
        height = ::MulDiv(kTextBoxTwips, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 1440);
      }
      // No border of its own: the frame is drawn around it.
      ::SetWindowLongPtrW(child, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER));
      ::SetWindowLongPtrW(child, GWL_EXSTYLE,
                          ::GetWindowLongPtrW(child, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
      ::SetWindowPos(child, nullptr, 0, 0, rc.right - rc.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else if (cls == L"ListBox") {
      // The flat appearance: a single line instead of the sunken edge.
      ::SetWindowLongPtrW(child, GWL_STYLE, Style(child) | WS_BORDER);
      ::SetWindowLongPtrW(child, GWL_EXSTYLE,
                          ::GetWindowLongPtrW(child, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
      ::SetWindowPos(child, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    auto control = std::make_unique<cFlatControl>();
    if (control->Attach(child)) list.Add(std::move(control));
  }
}

}  // namespace foundation
