// Units shared by every control of the kit: the window layer's twips and the
// rounding rule for computed positions, sizes and values. No <windows.h>.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace controls {

// The fixed factor between the host's layout unit and pixels.
inline constexpr int kTwipsPerPixel = 15;

// Computed numbers become whole numbers by rounding to nearest, halves to
// even (2.5 -> 2, 3.5 -> 4). Out-of-range values saturate instead of being
// undefined; NaN gives 0.
inline int32_t RoundHalfEven(double v) noexcept {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  double r = std::floor(v);
  const double diff = v - r;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return static_cast<int32_t>(r);
}

inline int32_t TwipsToPixels(double twips) noexcept { return RoundHalfEven(twips / kTwipsPerPixel); }
inline constexpr double PixelsToTwips(double pixels) noexcept { return pixels * kTwipsPerPixel; }

}  // namespace controls
