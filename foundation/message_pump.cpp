#include "foundation/message_pump.h"

#include <windows.h>

namespace foundation {
namespace {

void Pump(UINT filter) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | filter)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace

void PumpPendingMessages() { Pump(0); }

// Hardware input is its own queue (QS_INPUT); leaving it out of the filter
// leaves it there.
void PumpPendingMessagesButInput() { Pump(PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE); }

}  // namespace foundation
