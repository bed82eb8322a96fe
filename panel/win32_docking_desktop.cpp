#include "panel/win32_docking_desktop.h"

#include "foundation/chat_windows.h"
#include "foundation/process_name.h"

namespace panel {

WindowId Win32DockingDesktop::Foreground() { return Id(::GetForegroundWindow()); }

void Win32DockingDesktop::RefreshChatWindowList() {
  foundation::EnumChatWindows(list_);
  foundation::PruneChatWindowList(list_);
}

bool Win32DockingDesktop::CheckQQWin(WindowId w) { return foundation::CheckQQWin(Handle(w), standAlone_()); }

bool Win32DockingDesktop::IsWindow(WindowId w) { return w != 0 && ::IsWindow(Handle(w)); }

std::wstring Win32DockingDesktop::ExeName(WindowId w) { return foundation::GetWindowExeName(Handle(w)); }

bool Win32DockingDesktop::WindowRect(WindowId w, ScreenRect& r) {
  RECT rc;
  if (!::GetWindowRect(Handle(w), &rc)) return false;
  r = {rc.left, rc.top, rc.right, rc.bottom};
  return true;
}

WindowId Win32DockingDesktop::ChatWindow() { return Id(foundation::ChatWindowHandle); }

void Win32DockingDesktop::SetChatWindow(WindowId w) { foundation::ChatWindowHandle = Handle(w); }

void Win32DockingDesktop::Hide() {
  RECT r;
  if (!::GetWindowRect(panel_, &r)) return;
  const int height = r.bottom - r.top;
  MoveWindowIfChanged(panel_, r.left, -height, r.right - r.left, height);
}

void Win32DockingDesktop::Place(int32_t leftTwips, int32_t topTwips, int32_t heightTwips) {
  RECT r;
  if (!::GetWindowRect(panel_, &r)) return;
  MoveWindowIfChanged(panel_, leftTwips / 15, topTwips / 15, r.right - r.left, heightTwips / 15);
}

void MoveWindowIfChanged(HWND hwnd, int left, int top, int width, int height) {
  RECT r;
  if (::GetWindowRect(hwnd, &r) && r.left == left && r.top == top && r.right - r.left == width &&
      r.bottom - r.top == height)
    return;
  ::SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace panel
