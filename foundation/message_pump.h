#pragma once

namespace foundation {

// Processes every pending message of this thread, so windows repaint and take
// input while a long operation or a fixed wait runs on the UI thread. A quit
// request is put back for the thread's own message loop.
void PumpPendingMessages();

}  // namespace foundation
