// cTile: one GDI brush made from a picture (pattern), a hatch style or a plain
// colour, used to fill rectangles. Colours are OLE colours (ole_color.h).
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/handles.h"

namespace foundation {

// The packed 24-bit DIB (header then rows, no colour table) a pattern brush is
// made from; nullopt when a size overflows or a side is not positive.
struct PackedDibLayout {
  int32_t rowBytes;
  int32_t imageSize;
  size_t bufferBytes;
};
std::optional<PackedDibLayout> PackedDib24Layout(int32_t width, int32_t height);

class cTile {
 public:
  cTile() = default;
  cTile(const cTile&) = delete;
  cTile& operator=(const cTile&) = delete;
  ~cTile() { DestroyPattern(); }

  // Only a bitmap is used; anything else keeps the current brush. True when a brush is held afterwards.
  bool CreatePatternFromStdPicture(HBITMAP picture);
  bool CreatePatternFromHatchBrush(int hatchStyle, uint32_t oleColor);
  bool CreatePatternFromSolidColor(uint32_t oleColor);
  // Fills (x, y, width, height); align starts the pattern at (x, y) instead of the DC origin.
  // False when nothing was filled (no brush, or the rectangle's corner overflows).
  bool Tile(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, bool align);
  void DestroyPattern() { brush_.reset(); }
  HBRUSH brush() const { return brush_.get(); }

 private:
  UniqueBrush brush_;
};

}  // namespace foundation
