// Commands a test sends the QQ double's window as WM_COPYDATA with one of
// these tags.
#pragma once
#include <windows.h>

namespace qq_double {

// UTF-16 text (no terminating NUL): the text becomes an input method's result
// in the focused input box.
inline constexpr ULONG_PTR kComposeTag = 0x434F4D50;  // "COMP"
// No data: from now on the chat window refuses to be activated, as a window
// kept from the front by the system would be.
inline constexpr ULONG_PTR kRefuseFrontTag = 0x52465553;  // "RFUS"
// No data: the window may be activated again.
inline constexpr ULONG_PTR kAllowFrontTag = 0x414C4F57;  // "ALOW"

}  // namespace qq_double
