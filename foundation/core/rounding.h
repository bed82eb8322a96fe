// The programs' rounding: to the nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), the rule of every numeric conversion of
// the original design.
#pragma once
#include <cmath>

namespace foundation {

inline double RoundHalfEven(double v) {
  double r = std::nearbyint(v);  // the default floating-point mode rounds halves to even
  if (std::fabs(v - std::trunc(v)) == 0.5) {
    // Be explicit in case the rounding mode was changed by someone else.
    double f = std::floor(v);
    r = (std::fmod(f, 2.0) == 0.0) ? f : f + 1.0;
  }
  return r;
}

}  // namespace foundation
