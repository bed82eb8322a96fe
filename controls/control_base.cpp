#include "controls/control_base.h"

#include <windowsx.h>

#include <cwctype>

namespace controls {

namespace {

int16_t ShiftFromKeyFlags(WPARAM flags) {
  int16_t shift = 0;
  if (flags & MK_SHIFT) shift |= kShiftMask;
  if (flags & MK_CONTROL) shift |= kCtrlMask;
  if (::GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

int16_t ButtonsFromKeyFlags(WPARAM flags) {
  int16_t buttons = 0;
  if (flags & MK_LBUTTON) buttons |= kLeftButton;
  if (flags & MK_RBUTTON) buttons |= kRightButton;
  if (flags & MK_MBUTTON) buttons |= kMiddleButton;
  return buttons;
}

}  // namespace

int16_t CurrentShiftMask() {
  int16_t shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (::GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

bool ControlWindow::Create(HWND parent, int id, int x, int y, int width, int height, const PropertyBag* bag,
                           const AmbientProperties& ambient) {
  ambient_ = ambient;
  foundation::WindowClassInfo cls{ClassName()};
  cls.style = CS_DBLCLKS;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (!CreateWindowObject(cls, 0, style, ambient.displayName.c_str(), x, y, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)))) {
    return false;
  }
  SyncSurfaceSize();
  if (bag) {
    ReadProperties(*bag);
  } else {
    InitProperties();
  }
  propertiesLoaded_ = true;
  return hwnd() != nullptr;
}

void ControlWindow::SetAmbientProperties(const AmbientProperties& ambient) {
  ambient_ = ambient;
  OnAmbientChanged();
}

void ControlWindow::Move(int x, int y, int width, int height) {
  if (hwnd()) ::MoveWindow(hwnd(), x, y, width, height, TRUE);
}

void ControlWindow::Resize(int width, int height) {
  if (hwnd()) ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ControlWindow::IsWindowEnabledState() const noexcept { return hwnd() && ::IsWindowEnabled(hwnd()); }

void ControlWindow::SetWindowEnabledState(bool enabled) {
  if (hwnd()) ::EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

void ControlWindow::PressAccessKey(wchar_t key) {
  if (IsWindowEnabledState()) OnAccessKey(key);
}

namespace {

struct AccessKeySearch {
  wchar_t key;
  ControlWindow* found = nullptr;
};

}  // namespace

BOOL CALLBACK ControlWindow::FindAccessKeyOwner(HWND child, LPARAM param) {
  auto* s = reinterpret_cast<AccessKeySearch*>(param);
  auto* control = dynamic_cast<ControlWindow*>(WindowBase::FromHandle(child));
  if (!control || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) return TRUE;
  for (wchar_t c : control->AccessKeys()) {
    if (static_cast<wchar_t>(std::towupper(c)) == s->key) {
      s->found = control;
      return FALSE;
    }
  }
  return TRUE;
}

bool ControlWindow::DispatchAccessKey(HWND root, wchar_t key) {
  AccessKeySearch search{static_cast<wchar_t>(std::towupper(key))};
  ::EnumChildWindows(root, FindAccessKeyOwner, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  search.found->OnAccessKey(search.key);
  return true;
}

void ControlWindow::Present() {
  if (!hwnd()) return;
  foundation::WindowDc dc(hwnd());
  surface_.PresentTo(dc.get());
}

void ControlWindow::MarkChanged(const wchar_t* propertyName) { Raise(PropertyChanged, propertyName); }

void ControlWindow::StartTimer(UINT_PTR id, UINT intervalMs) {
  if (hwnd()) ::SetTimer(hwnd(), id, intervalMs, nullptr);
}

void ControlWindow::StopTimer(UINT_PTR id) {
  if (hwnd()) ::KillTimer(hwnd(), id);
}

void ControlWindow::SyncSurfaceSize() {
  RECT rc{};
  if (!hwnd() || !::GetClientRect(hwnd(), &rc)) return;
  if (rc.right != surface_.width() || rc.bottom != surface_.height()) surface_.Resize(rc.right, rc.bottom);
}

LRESULT ControlWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Coordinates are signed: with the mouse captured they go negative left of
  // and above the control.
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the back surface covers everything
    case WM_PAINT: {
      foundation::PaintDc dc(hwnd());
      surface_.PresentTo(dc.get());
      return 0;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        SyncSurfaceSize();
        if (propertiesLoaded_) OnResize();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      // Held buttons keep the mouse: the release reaches the control even outside it.
      if (::GetCapture() != hwnd()) ::SetCapture(hwnd());
      if (TakesFocusOnPress() && ::GetFocus() != hwnd()) ::SetFocus(hwnd());
      const int16_t button = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)   ? kLeftButton
                             : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? kRightButton
                                                                                  : kMiddleButton;
      // Only the left button double-clicks; a quick second right or middle
      // press is an ordinary press.
      const bool dbl = msg == WM_LBUTTONDBLCLK;
      if (dbl) {
        OnDoubleClick(button, ShiftFromKeyFlags(wParam), x, y);
      } else {
        OnMouseDown(button, ShiftFromKeyFlags(wParam), x, y);
      }
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int16_t button = msg == WM_LBUTTONUP ? kLeftButton : msg == WM_RBUTTONUP ? kRightButton : kMiddleButton;
      if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && ::GetCapture() == hwnd()) ::ReleaseCapture();
      OnMouseUp(button, ShiftFromKeyFlags(wParam), x, y);
      return 0;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(ButtonsFromKeyFlags(wParam), ShiftFromKeyFlags(wParam), x, y);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(wParam), CurrentShiftMask());
      return 0;
    case WM_KEYUP:
      OnKeyUp(static_cast<int>(wParam), CurrentShiftMask());
      return 0;
    case WM_CHAR:
      OnKeyPress(static_cast<int>(wParam));
      return 0;
    case WM_SYSCHAR:
      // Alt+letter: the access key of whichever control of the window has it.
      if (DispatchAccessKey(::GetAncestor(hwnd(), GA_ROOT), static_cast<wchar_t>(wParam))) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_SETFOCUS:
      OnFocusChanged(true);
      return 0;
    case WM_KILLFOCUS:
      OnFocusChanged(false);
      return 0;
    default:
      break;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

}  // namespace controls
