#include "support/mouse_input.h"

#include "support/pump.h"

namespace testing_support {

void ClickAt(POINT screen, bool right) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
}

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
