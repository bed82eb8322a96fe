#include "panel/win32_docking_desktop.h"

#include "foundation/process_name.h"
#include "panel/core/desktop_layout.h"
#include "panel/desktop_monitors.h"

namespace panel {

WindowId Win32DockingDesktop::Foreground() {
  readOf_ = nullptr;  // a new tick reads afresh
  return Id(::GetForegroundWindow());
}

Win32DockingDesktop::InFront& Win32DockingDesktop::Remembered(HWND hwnd) {
  // A handle names one window until it is destroyed, and a new window does not
  // get the handle value of one destroyed moments before.
  if (inFront_.hwnd != hwnd) inFront_ = InFront{hwnd, foundation::ReadWindowClassName(hwnd)};
  return inFront_;
}

void Win32DockingDesktop::RefreshChatWindowList() {
  // The set is read before the enumeration: a window that appears meanwhile
  // makes the next comparison differ, so it is enumerated then.
  foundation::ListTopLevelWindows(&refreshed_);
  everRefreshed_ = true;
  foundation::EnumChatWindows(list_);
  foundation::PruneChatWindowList(list_);
}

bool Win32DockingDesktop::TopLevelWindowsChanged() {
  if (!everRefreshed_) return true;
  foundation::ListTopLevelWindows(&current_);
  return current_ != refreshed_;
}

bool Win32DockingDesktop::IsListed(WindowId w) { return foundation::IsChatWindowListed(list_, Handle(w)) != 0; }

bool Win32DockingDesktop::EntersList(WindowId w) { return foundation::WouldBeListed(Handle(w)); }

bool Win32DockingDesktop::CheckQQWin(WindowId w) {
  if (standAlone_()) return false;
  HWND hwnd = Handle(w);
  if (!hwnd) return false;
  readOf_ = hwnd;
  return foundation::CheckQQWinOfClass(hwnd, Remembered(hwnd).className, &reading_);
}

std::wstring Win32DockingDesktop::ExeName(WindowId w) {
  InFront& known = Remembered(Handle(w));
  if (!known.exeKnown) {
    known.exeName = foundation::GetWindowExeName(known.hwnd);
    // "" also for a window gone meanwhile: asked again next time.
    known.exeKnown = !known.exeName.empty();
  }
  return known.exeName;
}

bool Win32DockingDesktop::WindowRect(WindowId w, ScreenRect& r) {
  HWND hwnd = Handle(w);
  if (hwnd == readOf_ && reading_.rectRead) {
    const foundation::WindowFacts& f = reading_.facts;
    r = {f.left, f.top, f.right, f.bottom};
    return true;
  }
  RECT rc;
  if (!::GetWindowRect(hwnd, &rc)) return false;
  r = {rc.left, rc.top, rc.right, rc.bottom};
  return true;
}

WindowId Win32DockingDesktop::ChatWindow() { return Id(foundation::ChatWindowHandle); }

void Win32DockingDesktop::SetChatWindow(WindowId w) { foundation::ChatWindowHandle = Handle(w); }

void Win32DockingDesktop::Hide() {
  RECT r;
  if (!::GetWindowRect(panel_, &r)) return;
  const int height = r.bottom - r.top;
  if (!monitors_) monitors_ = MonitorRects();
  MoveWindowIfChanged(panel_, r.left, TopAboveDesktop(*monitors_, height), r.right - r.left, height);
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
