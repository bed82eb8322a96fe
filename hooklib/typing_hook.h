// The hooks in a QQ client's thread that catch typed text and put the
// panel's conversion in its place.
//
// A WH_GETMESSAGE hook sees each WM_CHAR (and each WM_IME_CHAR an input
// method posts) as the thread takes it from its queue, before the window
// does. The character goes to the panel through the shared block; the answer
// rewrites the message in place, and any characters before its last one are
// sent to the window first. Sent messages never pass this hook, so text the
// library delivers is not caught again; a WM_IME_CHAR is always rewritten to
// WM_CHAR, because the default handling of WM_IME_CHAR posts a WM_CHAR of the
// same character, which would otherwise be converted a second time.
//
// An input method sends its result (WM_IME_COMPOSITION with GCS_RESULTSTR),
// which only a WH_CALLWNDPROC hook sees. A window that takes the result
// itself (a rich edit control reads it from its input context) never makes a
// WM_IME_CHAR of it. So the result is converted there: it is taken out of the
// context, and the conversion is sent to the window as WM_CHAR before the
// window handles the message; a window that leaves the message to
// DefWindowProc then gets no WM_IME_CHAR from it either.
#pragma once
#include <windows.h>

#include "foundation/handles.h"

namespace hooklib {

struct TypingHooks {
  foundation::UniqueHook takenMessages;  // WH_GETMESSAGE
  foundation::UniqueHook sentMessages;   // WH_CALLWNDPROC
  explicit operator bool() const { return takenMessages && sentMessages; }
};

// Puts both hooks, from library, on one thread of another process.
TypingHooks HookTyping(HMODULE library, DWORD threadId);

}  // namespace hooklib
