// Row-level work on the composition canvas (24-bit) and its 1-bit mask that
// does not go through blits: the clear before frame 1 and the save and
// restore around a disposal-3 frame.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace anigif {

// Rows top-down from `top`, `stride` apart (negative for a bottom-up DIB).
struct BitsSurface {
  uint8_t* top = nullptr;
  std::ptrdiff_t stride = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t* Row(int32_t y) const { return top + stride * y; }
};

// Canvas all black, mask all set (nothing covered yet). mask may be empty.
void ClearCanvas(const BitsSurface& canvas, const BitsSurface& mask);

struct SavedRows {
  std::vector<uint8_t> colour;
  std::vector<uint8_t> mask;
};

// The rectangle is clipped to the canvas. Mask rows are saved as the whole
// bytes the rectangle touches, never past the end of a mask row.
void SaveRows(const BitsSurface& canvas, const BitsSurface& mask, int32_t left, int32_t top, int32_t width,
              int32_t height, SavedRows& saved);
void RestoreRows(const BitsSurface& canvas, const BitsSurface& mask, int32_t left, int32_t top, int32_t width,
                 int32_t height, const SavedRows& saved);

}  // namespace anigif
