// The outline of a picture less one colour, as the rectangles a window region
// is made of: per row, each run of pixels that do not have the mask colour.
// Pixels are 0x00RRGGBB (a 32-bit DIB row), the mask colour an RGB value with
// red in the low byte. No <windows.h>.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/core/int_rect.h"

namespace controls {

// Rows top-down, width pixels each; an empty result when every pixel has the
// mask colour (or the size is empty).
std::vector<foundation::IntRect> OpaqueRuns(const uint32_t* pixels, int width, int height, uint32_t maskRgb);

}  // namespace controls
