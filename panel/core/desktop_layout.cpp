#include "panel/core/desktop_layout.h"

#include <algorithm>

namespace panel {

int TopAboveDesktop(std::span<const foundation::IntRect> monitors, int height) {
  int top = 0;  // the primary monitor's, which stands at the origin
  for (const foundation::IntRect& m : monitors) top = std::min(top, m.top);
  return top - height;
}

bool LiesOnAMonitor(const foundation::IntRect& window, std::span<const foundation::IntRect> monitors) {
  if (monitors.empty()) return true;
  return std::any_of(monitors.begin(), monitors.end(), [&](const foundation::IntRect& m) {
    return window.left < m.right && m.left < window.right && window.top < m.bottom && m.top < window.bottom;
  });
}

}  // namespace panel
