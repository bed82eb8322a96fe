// Timing for the thumbnail benchmarks: milliseconds of the performance
// counter, and the median of repeated runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double NowMs() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace bench
