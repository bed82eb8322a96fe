// Message pumping for the window-helper tests.
#pragma once
#include <windows.h>

#include "support/pump.h"

namespace window_helpers_test {

// Dispatches this thread's messages for about ms milliseconds (timers and
// posted messages included).
inline void PumpFor(DWORD ms) { testing_support::PumpMessages(ms); }

inline RECT WindowRect(HWND hwnd) {
  RECT rc{};
  ::GetWindowRect(hwnd, &rc);
  return rc;
}

}  // namespace window_helpers_test
