// The QQ double's composition command: a WM_COPYDATA to its window with this
// tag and UTF-16 text (no terminating NUL) makes the text an input method's
// result in the focused input box.
#pragma once
#include <windows.h>

namespace qq_double {

inline constexpr ULONG_PTR kComposeTag = 0x434F4D50;  // "COMP"

}  // namespace qq_double
