// Message pumping for tests: for a while, or until the awaited event.
#pragma once
#include <windows.h>

namespace testing_support {

// Pumps this thread's messages for about ms milliseconds.
void PumpMessages(DWORD ms);

// Pumps this thread's messages until pred() holds; false when it still does
// not after about timeoutMs.
template <class Pred>
bool PumpUntil(Pred pred, DWORD timeoutMs = 5000) {
  const DWORD start = ::GetTickCount();
  while (!pred()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    PumpMessages(10);
  }
  return true;
}

}  // namespace testing_support
