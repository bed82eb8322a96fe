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
// A DWORD of milliseconds: the next click of the send button holds the
// window's thread that long, as a hung chat window would.
inline constexpr ULONG_PTR kHangSendTag = 0x48414E47;  // "HANG"

}  // namespace qq_double
