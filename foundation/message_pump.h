#pragma once

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

}  // namespace foundation
