// Where the panel may stand on a desktop of one or more monitors, given as
// their rectangles in virtual-screen pixels. A monitor can lie above or left
// of the primary one (negative coordinates), and one the panel was last seen
// on can be gone.
#pragma once
#include <span>

#include "foundation/core/int_rect.h"

namespace panel {

// The top edge that puts a window of that height just above the highest
// monitor, so that it shows on none of them. Above the primary one alone
// would leave it in view on a monitor standing above the primary.
int TopAboveDesktop(std::span<const foundation::IntRect> monitors, int height);

// Whether some part of the window lies on one of the monitors. With no
// monitors known, nothing can be said against it: true.
bool LiesOnAMonitor(const foundation::IntRect& window, std::span<const foundation::IntRect> monitors);

}  // namespace panel
