// The monitors of the desktop as they are now, for the placement rules of
// core/desktop_layout.h.
#pragma once
#include <vector>

#include "foundation/core/int_rect.h"

namespace panel {

// Each monitor's rectangle in virtual-screen pixels; none when they can't be listed.
std::vector<foundation::IntRect> MonitorRects();

// Where the top edge of a window of that height goes to be out of sight.
int HiddenTop(int height);

}  // namespace panel
