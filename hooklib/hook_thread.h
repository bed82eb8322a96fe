// The library's own thread in a panel's process. It installs the typing
// hooks on the QQ client's threads and services what comes back to the
// installer, and does nothing but that and pumping its messages, so no
// program's input ever waits on the panel's window thread (which sleeps in
// the send road's waits and decodes pictures at start).
//
// With two panels running, one holds the session's hook lock and the hooks;
// the other's thread waits for the lock, and takes over when the holder
// stops or its process ends (its lock is then abandoned). So each QQ thread
// carries one panel's hooks at most, and a character is never converted twice.
//
// The QQ threads are found when the thread takes over (every top-level
// window's thread whose process is QQ's) and whenever a top-level window
// appears: an out-of-context WinEvent hook for EVENT_OBJECT_CREATE, which
// Wine delivers across processes too (it delivers no EVENT_OBJECT_SHOW), and
// which costs nothing while no window is made.
#pragma once
#include <windows.h>

#include "hooklib/shared_state.h"

namespace hooklib {

// Starts the thread for the panel's window, unless it runs; true once it
// holds the hooks (the QQ windows of the moment hooked) or waits for them.
// Call from one thread of the panel.
bool StartHookThread(HMODULE library, HWND panel, SharedState& state);
// Ends the thread: its hooks go, and if it held them a waiting panel takes over.
void StopHookThread();

}  // namespace hooklib
