#include "foundation/core/fitted_cell.h"

#include "foundation/core/little_endian.h"

namespace foundation {
namespace {

// "FC", format 1, then the cell's width and height, its background, the drawn
// rectangle (left, top, width, height), all 16 or 32 bits little-endian, then
// the drawn pixels as blue, green, red bytes, rows top-down.
constexpr uint8_t kMagic0 = 'F', kMagic1 = 'C', kFormat = 1;
constexpr size_t kHeaderBytes = 4 + 2 * 2 + 4 + 4 * 2;

bool ValidSide(int32_t v) { return v >= 1 && v <= kFittedCellMaxSide; }

}  // namespace

uint32_t FittedCell::At(int32_t x, int32_t y) const {
  if (!drawn.Contains({x, y})) return background;
  return pixels[static_cast<size_t>(y - drawn.top) * static_cast<size_t>(drawn.Width()) +
                static_cast<size_t>(x - drawn.left)];
}

FittedCell CropFittedCell(const uint32_t* cell, int32_t stride, int32_t width, int32_t height, uint32_t background) {
  FittedCell out;
  out.width = width;
  out.height = height;
  out.background = background & 0xFFFFFFu;
  IntRect box{width, height, 0, 0};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if ((cell[static_cast<size_t>(y) * stride + x] & 0xFFFFFFu) == out.background) continue;
      if (x < box.left) box.left = x;
      if (y < box.top) box.top = y;
      if (x >= box.right) box.right = x + 1;
      if (y >= box.bottom) box.bottom = y + 1;
    }
  }
  if (box.Empty()) return out;
  out.drawn = box;
  out.pixels.reserve(static_cast<size_t>(box.Width()) * static_cast<size_t>(box.Height()));
  for (int32_t y = box.top; y < box.bottom; ++y) {
    for (int32_t x = box.left; x < box.right; ++x) out.pixels.push_back(cell[static_cast<size_t>(y) * stride + x] & 0xFFFFFFu);
  }
  return out;
}

std::vector<uint8_t> EncodeFittedCell(const FittedCell& cell) {
  const IntRect& d = cell.drawn;
  const bool empty = d.Empty();
  if (!ValidSide(cell.width) || !ValidSide(cell.height)) return {};
  if (!empty && (d.left < 0 || d.top < 0 || d.right > cell.width || d.bottom > cell.height)) return {};
  const size_t count = empty ? 0 : static_cast<size_t>(d.Width()) * static_cast<size_t>(d.Height());
  if (cell.pixels.size() != count) return {};
  std::vector<uint8_t> blob(kHeaderBytes + count * 3, 0);
  uint8_t* h = blob.data();
  h[0] = kMagic0;
  h[1] = kMagic1;
  h[2] = kFormat;
  PutLe16(h + 4, static_cast<uint16_t>(cell.width));
  PutLe16(h + 6, static_cast<uint16_t>(cell.height));
  PutLe32(h + 8, cell.background & 0xFFFFFFu);
  if (!empty) {
    PutLe16(h + 12, static_cast<uint16_t>(d.left));
    PutLe16(h + 14, static_cast<uint16_t>(d.top));
    PutLe16(h + 16, static_cast<uint16_t>(d.Width()));
    PutLe16(h + 18, static_cast<uint16_t>(d.Height()));
  }
  uint8_t* p = h + kHeaderBytes;
  for (uint32_t v : cell.pixels) {
    *p++ = static_cast<uint8_t>(v);
    *p++ = static_cast<uint8_t>(v >> 8);
    *p++ = static_cast<uint8_t>(v >> 16);
  }
  return blob;
}

std::optional<FittedCell> DecodeFittedCell(const uint8_t* data, size_t size) {
  if (!data || size < kHeaderBytes) return std::nullopt;
  if (data[0] != kMagic0 || data[1] != kMagic1 || data[2] != kFormat || data[3] != 0) return std::nullopt;
  FittedCell cell;
  cell.width = GetLe16(data + 4);
  cell.height = GetLe16(data + 6);
  cell.background = GetLe32(data + 8);
  const int32_t left = GetLe16(data + 12), top = GetLe16(data + 14);
  const int32_t w = GetLe16(data + 16), h = GetLe16(data + 18);
  if (!ValidSide(cell.width) || !ValidSide(cell.height) || cell.background > 0xFFFFFFu) return std::nullopt;
  if (w == 0 || h == 0) {
    if (left || top || w || h || size != kHeaderBytes) return std::nullopt;
    return cell;
  }
  if (left + w > cell.width || top + h > cell.height) return std::nullopt;
  const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (size != kHeaderBytes + count * 3) return std::nullopt;
  cell.drawn = {left, top, left + w, top + h};
  cell.pixels.resize(count);
  const uint8_t* p = data + kHeaderBytes;
  for (uint32_t& v : cell.pixels) {
    v = p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
    p += 3;
  }
  return cell;
}

}  // namespace foundation
