#include "foundation/message_pump.h"

namespace foundation {
namespace {

// Hardware input is its own queue (QS_INPUT); leaving it out of the filter
// leaves it there.
constexpr UINT kAllButInputFilter = PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE;
constexpr DWORD kAllButInputWake = QS_POSTMESSAGE | QS_HOTKEY | QS_TIMER | QS_PAINT | QS_SENDMESSAGE;

// True when a quit request came (and was put back).
bool Pump(UINT filter) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | filter)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return true;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return false;
}

}  // namespace

void PumpPendingMessages() { Pump(0); }

void PumpPendingMessagesButInput() { Pump(kAllButInputFilter); }

PumpedWaitEnd WaitPumping(std::span<const HANDLE> handles, DWORD timeoutMs, InputWhileWaiting input,
                          const std::function<bool()>& stopWhen, size_t* signalled) {
  if (handles.size() >= MAXIMUM_WAIT_OBJECTS) return PumpedWaitEnd::kFailed;
  const bool keepInput = input == InputWhileWaiting::kKeptQueued;
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  const DWORD count = static_cast<DWORD>(handles.size());
  for (;;) {
    if (Pump(keepInput ? kAllButInputFilter : 0)) return PumpedWaitEnd::kQuit;
    if (stopWhen && stopWhen()) return PumpedWaitEnd::kStopped;
    DWORD left = INFINITE;
    if (timeoutMs != INFINITE) {
      const ULONGLONG now = ::GetTickCount64();
      left = now >= end ? 0 : static_cast<DWORD>(end - now);
    }
    // Wakes for messages that came after the pump above, not for the input
    // left queued on purpose.
    const DWORD r =
        ::MsgWaitForMultipleObjectsEx(count, handles.data(), left, keepInput ? kAllButInputWake : QS_ALLINPUT, 0);
    if (r < WAIT_OBJECT_0 + count) {
      if (signalled) *signalled = r - WAIT_OBJECT_0;
      return PumpedWaitEnd::kSignalled;
    }
    if (r == WAIT_TIMEOUT) return PumpedWaitEnd::kTimedOut;
    if (r != WAIT_OBJECT_0 + count) return PumpedWaitEnd::kFailed;
  }
}

}  // namespace foundation
