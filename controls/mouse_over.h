// Whether the cursor is over a window: the window under the cursor must be
// exactly that window (a child of it, or another window covering the point,
// gives false). The hover polls of the buttons and the scroll bar use it.
#pragma once
#include <windows.h>

namespace controls {

bool IsMouseOver(HWND hwnd);

}  // namespace controls
