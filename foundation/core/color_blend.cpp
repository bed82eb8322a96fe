#include "foundation/core/color_blend.h"

#include <algorithm>

#include "foundation/core/rounding.h"

namespace foundation {

std::uint32_t BlendRgb(std::uint32_t a, std::uint32_t b, int alpha) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double ca = (a >> shift) & 0xFF;
    const double cb = (b >> shift) & 0xFF;
    const double v = RoundHalfEven((113 - alpha) * cb / 113.0 + alpha * ca / 113.0);
    out |= static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0)) << shift;
  }
  return out;
}

}  // namespace foundation
