#include "anigif/core/canvas_rows.h"

#include <algorithm>
#include <cstring>

#include "anigif/core/gif_stream.h"

namespace anigif {
namespace {

struct Clip {
  int32_t x0, y0, x1, y1;
  bool empty() const { return x1 <= x0 || y1 <= y0; }
};

Clip ClipTo(const BitsSurface& s, int32_t left, int32_t top, int32_t width, int32_t height) {
  Clip c{std::max(left, 0), std::max(top, 0), static_cast<int32_t>(std::min<int64_t>(int64_t{left} + width, s.width)),
         static_cast<int32_t>(std::min<int64_t>(int64_t{top} + height, s.height))};
  return c;
}

template <bool kSave>
void CopyRows(const BitsSurface& canvas, const BitsSurface& mask, int32_t left, int32_t top, int32_t width,
              int32_t height, SavedRows& saved) {
  const Clip c = ClipTo(canvas, left, top, width, height);
  if (c.empty() || canvas.top == nullptr) {
    if (kSave) saved.colour.clear(), saved.mask.clear();
    return;
  }
  const std::size_t colourBytes = static_cast<std::size_t>(c.x1 - c.x0) * 3;
  const std::size_t rows = static_cast<std::size_t>(c.y1 - c.y0);
  if (kSave) saved.colour.resize(colourBytes * rows);
  if (saved.colour.size() < colourBytes * rows) return;
  for (std::size_t k = 0; k < rows; ++k) {
    uint8_t* row = canvas.Row(c.y0 + static_cast<int32_t>(k)) + static_cast<std::size_t>(c.x0) * 3;
    uint8_t* keep = saved.colour.data() + k * colourBytes;
    kSave ? std::memcpy(keep, row, colourBytes) : std::memcpy(row, keep, colourBytes);
  }
  if (mask.top == nullptr) return;
  // Whole bytes from the one holding the first bit to the one holding the last.
  const std::size_t firstByte = static_cast<std::size_t>(c.x0) / 8;
  const std::size_t lastByte = static_cast<std::size_t>(c.x1 - 1) / 8;
  const std::size_t rowBytes = static_cast<std::size_t>(ScanlineBytes(1, mask.width));
  const std::size_t maskBytes = std::min(lastByte + 1, rowBytes) - firstByte;
  if (kSave) saved.mask.resize(maskBytes * rows);
  if (saved.mask.size() < maskBytes * rows) return;
  for (std::size_t k = 0; k < rows && c.y0 + static_cast<int32_t>(k) < mask.height; ++k) {
    uint8_t* row = mask.Row(c.y0 + static_cast<int32_t>(k)) + firstByte;
    uint8_t* keep = saved.mask.data() + k * maskBytes;
    kSave ? std::memcpy(keep, row, maskBytes) : std::memcpy(row, keep, maskBytes);
  }
}

}  // namespace

void ClearCanvas(const BitsSurface& canvas, const BitsSurface& mask) {
  if (canvas.top != nullptr) {
    const std::size_t bytes = static_cast<std::size_t>(ScanlineBytes(24, canvas.width));
    for (int32_t y = 0; y < canvas.height; ++y) std::memset(canvas.Row(y), 0, bytes);
  }
  if (mask.top != nullptr) {
    const std::size_t bytes = static_cast<std::size_t>(ScanlineBytes(1, mask.width));
    for (int32_t y = 0; y < mask.height; ++y) std::memset(mask.Row(y), 0xFF, bytes);
  }
}

void SaveRows(const BitsSurface& canvas, const BitsSurface& mask, int32_t left, int32_t top, int32_t width,
              int32_t height, SavedRows& saved) {
  CopyRows<true>(canvas, mask, left, top, width, height, saved);
}

void RestoreRows(const BitsSurface& canvas, const BitsSurface& mask, int32_t left, int32_t top, int32_t width,
                 int32_t height, const SavedRows& saved) {
  CopyRows<false>(canvas, mask, left, top, width, height, const_cast<SavedRows&>(saved));
}

}  // namespace anigif
