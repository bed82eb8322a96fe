// The programs' rounding: to the nearest integer, halves to the even neighbour
// (16.5 -> 16, 17.5 -> 18, -2.5 -> -2), the rule of every numeric conversion of
// the original design.
#pragma once
#include <cmath>
#include <cstdint>

namespace foundation {

// Values beyond the range of int64_t saturate; NaN gives 0.
inline int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  const double floorValue = std::floor(value);
  const double diff = value - floorValue;
  const int64_t n = static_cast<int64_t>(floorValue);
  if (diff > 0.5) return n + 1;
  if (diff < 0.5) return n;
  return (n % 2 == 0) ? n : n + 1;
}

// The same, saturated to the range of a signed 32-bit integer.
inline int32_t RoundHalfEvenToInt32(double value) {
  const int64_t r = RoundHalfEven(value);
  if (r > INT32_MAX) return INT32_MAX;
  if (r < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(r);
}

}  // namespace foundation
