#include "support/mouse_input.h"

#include "support/pump.h"

namespace testing_support {

namespace {

void PressAndRelease(POINT screen, bool right, int times) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT in[4]{};
  for (int i = 0; i < 2 * times; ++i) {
    in[i].type = INPUT_MOUSE;
    const bool down = i % 2 == 0;
    in[i].mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                             : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  }
  ::SendInput(2 * times, in, sizeof(INPUT));
}

}  // namespace

void ClickAt(POINT screen, bool right) { PressAndRelease(screen, right, 1); }

void DoubleClickAt(POINT screen) { PressAndRelease(screen, false, 2); }

bool PointAt(POINT screen, const std::function<bool()>& settled, DWORD timeoutMs) {
  ::SetCursorPos(screen.x, screen.y);
  return PumpUntil(
      [&] {
        PumpMessages(50);  // the program under the pointer answers its moves meanwhile
        if (settled()) return true;
        ::SetCursorPos(screen.x + 1, screen.y);
        ::SetCursorPos(screen.x, screen.y);
        return false;
      },
      timeoutMs);
}

void ParkPointer() { ::SetCursorPos(5, ::GetSystemMetrics(SM_CYSCREEN) - 5); }

POINT ScreenPointOf(HWND window, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(window, &p);
  return p;
}

}  // namespace testing_support
