// The pointer shape a control shows while the mouse is over it, by the
// number hosts use for it: 0 the window's default, 1 arrow, 2 cross, 3 text
// beam, 4 and 5 the four-way size pointer, 6 to 9 the diagonal, vertical and
// horizontal size pointers, 10 up arrow, 11 hourglass, 12 no entry, 13 arrow
// with hourglass, 14 arrow with question mark, 15 size all, 99 the control's
// own MouseIcon.
#pragma once
#include <windows.h>

#include <cstdint>

#include "controls/picture.h"

namespace controls {

inline constexpr int16_t kPointerDefault = 0;
inline constexpr int16_t kPointerCustom = 99;

// The cursor for that number; nullptr means "leave the pointer to the
// window's default handling" (0, unknown numbers, and 99 without an icon).
HCURSOR CursorForPointer(int16_t pointer, const PictureRef& mouseIcon);

}  // namespace controls
