// Units shared by every control of the kit: the window layer's twips and the
// rounding rule for computed positions, sizes and values. No <windows.h>.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

#include "foundation/core/rounding.h"

namespace controls {

// The fixed factor between the host's layout unit and pixels.
inline constexpr int kTwipsPerPixel = 15;

// Computed numbers become whole numbers by rounding to nearest, halves to
// even (2.5 -> 2, 3.5 -> 4). Out-of-range values saturate instead of being
// undefined; NaN gives 0.
inline int32_t RoundHalfEven(double v) noexcept {
  return foundation::RoundHalfEvenToInt32(v);
}

inline int32_t TwipsToPixels(double twips) noexcept { return RoundHalfEven(twips / kTwipsPerPixel); }
inline constexpr double PixelsToTwips(double pixels) noexcept { return pixels * kTwipsPerPixel; }

}  // namespace controls
