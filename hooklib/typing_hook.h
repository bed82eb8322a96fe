// The session-wide message hook that catches typed characters in the QQ
// client's processes and puts the panel's conversion in their place.
//
// A WH_GETMESSAGE hook sees each WM_CHAR (and each WM_IME_CHAR an input
// method posts) as the thread takes it from its queue, before the window
// does. The character goes to the panel through the shared block; the answer
// rewrites the message in place, and any characters before its last one are
// sent to the window first. Sent messages never pass this hook, so text the
// library delivers is not caught again; a WM_IME_CHAR is always rewritten to
// WM_CHAR, because the default handling of WM_IME_CHAR posts a WM_CHAR of the
// same character, which would otherwise be converted a second time.
#pragma once
#include <windows.h>

namespace hooklib {

// Installs the hook from library for every thread of the session; true when
// it is (or already was) in place.
bool InstallTypingHook(HMODULE library);
void RemoveTypingHook();

}  // namespace hooklib
