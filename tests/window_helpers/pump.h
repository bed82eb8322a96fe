// Message pumping for the window-helper tests.
#pragma once
#include <windows.h>

namespace window_helpers_test {

// Dispatches this thread's messages for about ms milliseconds (timers and
// posted messages included).
inline void PumpFor(DWORD ms) {
  const DWORD end = ::GetTickCount() + ms;
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

inline RECT WindowRect(HWND hwnd) {
  RECT rc{};
  ::GetWindowRect(hwnd, &rc);
  return rc;
}

}  // namespace window_helpers_test
