// A grid cell as the fit-and-draw routine left it: the cell's size and
// background and the rectangle of pixels that differ from that background.
// Kept (in memory and as a blob in Thumbs.mdb) so that a cell is drawn again
// without decoding its picture file. Blobs read back are untrusted:
// DecodeFittedCell accepts only what EncodeFittedCell could have written.
// No windows here.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/core/int_rect.h"

namespace foundation {

// Cells are grid cells, far below this on either side.
inline constexpr int32_t kFittedCellMaxSide = 1024;

struct FittedCell {
  int32_t width = 0, height = 0;  // the whole cell
  uint32_t background = 0;        // 0x00RRGGBB
  IntRect drawn;                  // inside the cell; empty when nothing was drawn
  std::vector<uint32_t> pixels;   // drawn.Width() x drawn.Height(), 0x00RRGGBB, rows top-down

  // The pixel at (x, y) of the whole cell.
  uint32_t At(int32_t x, int32_t y) const;
};

// The cell of width x height pixels (0x00RRGGBB, rows top-down, stride pixels
// a row) reduced to the rectangle around every pixel that is not background.
FittedCell CropFittedCell(const uint32_t* cell, int32_t stride, int32_t width, int32_t height, uint32_t background);

std::vector<uint8_t> EncodeFittedCell(const FittedCell& cell);
std::optional<FittedCell> DecodeFittedCell(const uint8_t* data, size_t size);
inline std::optional<FittedCell> DecodeFittedCell(const std::vector<uint8_t>& blob) {
  return DecodeFittedCell(blob.data(), blob.size());
}

}  // namespace foundation
