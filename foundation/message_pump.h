#pragma once
#include <windows.h>

#include <functional>
#include <span>

namespace foundation {

// Processes every pending message of this thread, so windows repaint and take
// input while a long operation or a fixed wait runs on the UI thread. A quit
// request is put back for the thread's own message loop.
void PumpPendingMessages();

// The same, but the mouse's and the keyboard's input stays queued, in its
// order, for the thread's own loop once the caller is done: timers, paints,
// sent and posted messages go on meanwhile, while a click cannot start
// something new inside the wait (nor activate a window through it).
void PumpPendingMessagesButInput();

// Which messages go on during a pumped wait.
enum class InputWhileWaiting {
  kProcessed,    // all of them, as PumpPendingMessages
  kKeptQueued,   // all but the mouse's and the keyboard's input, as PumpPendingMessagesButInput
};

enum class PumpedWaitEnd {
  kSignalled,  // one of the handles
  kTimedOut,
  kStopped,    // stopWhen held after a round of messages
  kQuit,       // a quit request came; it is put back for the thread's loop
  kFailed,     // the handles can't be waited for
};

// Waits up to timeoutMs (INFINITE: no bound) for one of handles (at most
// MAXIMUM_WAIT_OBJECTS - 1 of them) while this thread's windows go on
// working. stopWhen, when given, is asked after each round of messages: a
// handler that gives the operation up ends the wait at once. On kSignalled,
// *signalled (when given) is the index of the handle.
PumpedWaitEnd WaitPumping(std::span<const HANDLE> handles, DWORD timeoutMs, InputWhileWaiting input,
                          const std::function<bool()>& stopWhen = {}, size_t* signalled = nullptr);

}  // namespace foundation
