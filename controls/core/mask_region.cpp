#include "controls/core/mask_region.h"

namespace controls {

std::vector<foundation::IntRect> OpaqueRuns(const uint32_t* pixels, int width, int height, uint32_t maskRgb) {
  std::vector<foundation::IntRect> runs;
  if (!pixels || width <= 0 || height <= 0) return runs;
  // The DIB keeps blue in the low byte: turn the mask colour round once.
  const uint32_t mask = ((maskRgb & 0xFF) << 16) | (maskRgb & 0xFF00) | ((maskRgb >> 16) & 0xFF);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
    int x = 0;
    while (x < width) {
      while (x < width && (row[x] & 0xFFFFFF) == mask) ++x;
      const int start = x;
      while (x < width && (row[x] & 0xFFFFFF) != mask) ++x;
      if (x > start) runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

}  // namespace controls
