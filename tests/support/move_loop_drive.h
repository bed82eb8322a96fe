// Drives the system's modal move loop from inside it: a thread timer moves
// the mouse once, then lets the button go, which ends the loop.
#pragma once
#include <windows.h>

#include <functional>

namespace testing_support {

inline void SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  ::SendInput(1, &in, sizeof(in));
}

namespace detail {
struct MoveLoopDrive {
  static inline int step = 0;
  static inline POINT by{};
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ++step;
    if (step == 1) {
      POINT p;
      ::GetCursorPos(&p);
      ::SetCursorPos(p.x + by.x, p.y + by.y);
      SendMouse(MOUSEEVENTF_MOVE);
    } else if (step >= 3) {
      SendMouse(MOUSEEVENTF_LEFTUP);
    }
  }
};
}  // namespace detail

// With the left button already down, runs enterLoop (which starts the move
// loop and returns when it ends) while the mouse moves by `by`; releases the
// button afterwards in any case. Returns the timer steps seen (3 or more when
// the loop ran until the button went up).
inline int DriveMoveLoop(POINT by, const std::function<void()>& enterLoop) {
  detail::MoveLoopDrive::step = 0;
  detail::MoveLoopDrive::by = by;
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &detail::MoveLoopDrive::Tick);
  enterLoop();
  ::KillTimer(nullptr, timer);
  SendMouse(MOUSEEVENTF_LEFTUP);
  return detail::MoveLoopDrive::step;
}

}  // namespace testing_support
