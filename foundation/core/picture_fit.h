// Where a picture goes when it is fitted into a box: the arithmetic shared by
// the thumbnail builder, the cell drawing and the hover preview. No windows here.
#pragma once
#include <cstdint>

#include "foundation/core/rounding.h"

namespace foundation {


struct FitResult {
  int32_t reducedWidth = 0;   // the box less the reduction, as written back to the caller
  int32_t reducedHeight = 0;
  int32_t x = 0, y = 0;       // offsets against the box as passed
  int32_t width = 0, height = 0;
};

// The cell and preview fitting rule: the box W x H is reduced by `reduction`
// on each axis; a picture that fits the reduced box keeps its size, otherwise
// its orientation picks the side that is pinned to the reduced box (so in a
// box that is not square the other side may overflow). Offsets centre the
// picture in the unreduced box.
FitResult FitPicture(int32_t boxWidth, int32_t boxHeight, int32_t reduction, int32_t pictureWidth,
                     int32_t pictureHeight);

struct BestFit {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// The thumbnail fitting rule: shrink sw x sh proportionally into bw x bh (or
// also enlarge when stretch is set), each side at least 1, centred with
// truncating division. False (and an all-zero result) when sw or sh is not
// positive or bw/bh is negative: nothing can be fitted.
bool GetBestFitInfo(int32_t sw, int32_t sh, int32_t bw, int32_t bh, bool stretch, BestFit& out);

}  // namespace foundation
