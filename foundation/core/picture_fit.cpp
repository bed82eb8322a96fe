#include "foundation/core/picture_fit.h"

#include <cmath>
#include <limits>

namespace foundation {


FitResult FitPicture(int32_t boxWidth, int32_t boxHeight, int32_t reduction, int32_t w, int32_t h) {
  FitResult r;
  // 64-bit intermediates: the box comes from callers' variables, never trusted to be small.
  const int64_t bw = static_cast<int64_t>(boxWidth) - reduction;
  const int64_t bh = static_cast<int64_t>(boxHeight) - reduction;
  r.reducedWidth = static_cast<int32_t>(bw);
  r.reducedHeight = static_cast<int32_t>(bh);
  double nw, nh;
  if (w <= bw && h <= bh) {
    nw = w;
    nh = h;
  } else if (w <= h) {
    nh = static_cast<double>(bh);
    nw = h != 0 ? RoundHalfEvenToInt32(static_cast<double>(w) / h * nh) : 0;
  } else {
    nw = static_cast<double>(bw);
    nh = w != 0 ? RoundHalfEvenToInt32(static_cast<double>(h) / w * nw) : 0;
  }
  r.width = static_cast<int32_t>(nw);
  r.height = static_cast<int32_t>(nh);
  r.x = RoundHalfEvenToInt32((static_cast<double>(boxWidth) - nw) / 2);
  r.y = RoundHalfEvenToInt32((static_cast<double>(boxHeight) - nh) / 2);
  return r;
}

bool GetBestFitInfo(int32_t sw, int32_t sh, int32_t bw, int32_t bh, bool stretch, BestFit& out) {
  out = BestFit{};
  if (sw <= 0 || sh <= 0 || bw < 0 || bh < 0) return false;
  int64_t w, h;
  if (sw <= bw && sh <= bh && !stretch) {
    w = sw;
    h = sh;
  } else {
    // The ratios are kept in single precision and the product formed in
    // double: this decides which neighbour a near-half size rounds to.
    const float rw = static_cast<float>(static_cast<double>(bw) / sw);
    const float rh = static_cast<float>(static_cast<double>(bh) / sh);
    if (rw < rh) {
      w = bw;
      h = RoundHalfEvenToInt32(static_cast<double>(rw) * sh);
    } else {
      h = bh;
      w = RoundHalfEvenToInt32(static_cast<double>(rh) * sw);
    }
  }
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  out.width = static_cast<int32_t>(w);
  out.height = static_cast<int32_t>(h);
  out.x = static_cast<int32_t>((static_cast<int64_t>(bw) - w) / 2);
  out.y = static_cast<int32_t>((static_cast<int64_t>(bh) - h) / 2);
  return true;
}

}  // namespace foundation
