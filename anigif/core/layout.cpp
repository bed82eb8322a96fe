#include "anigif/core/layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "foundation/core/rounding.h"

namespace anigif {

int32_t RoundHalfEven(double v) { return foundation::RoundHalfEvenToInt32(v); }

void ComputeLayout(int32_t stretch, int32_t canvasWidth, int32_t canvasHeight, Layout& layout) {
  if (canvasWidth <= 0 || canvasHeight <= 0) return;
  if (stretch == kStretchClip) {
    layout.scaleX = layout.scaleY = 1.0f;
    layout.width = std::min(layout.width, canvasWidth);
    layout.height = std::min(layout.height, canvasHeight);
    return;
  }
  if (stretch == kStretchActual) {
    layout.width = canvasWidth;
    layout.height = canvasHeight;
    layout.scaleX = layout.scaleY = 1.0f;
    return;
  }
  float sx = static_cast<float>(layout.width) / static_cast<float>(canvasWidth);
  float sy = static_cast<float>(layout.height) / static_cast<float>(canvasHeight);
  if (stretch == kStretchFill) {
    layout.scaleX = sx;
    layout.scaleY = sy;
    return;
  }
  if (stretch == kStretchShrink && sx > 1.0f && sy > 1.0f) {
    sx = sy = 1.0f;
  } else {
    sx = sy = std::min(sx, sy);
  }
  layout.scaleX = sx;
  layout.scaleY = sy;
  layout.width = RoundHalfEven(static_cast<double>(sx) * canvasWidth);
  layout.height = RoundHalfEven(static_cast<double>(sy) * canvasHeight);
}

void FlipIndexes(const IndexSurface& s, int32_t x, int32_t w, int32_t h, int32_t change) {
  h = std::min(h, s.height);
  if (x < 0 || w <= 0 || h <= 0 || x + w > s.width) return;
  if (change & kMirrorHorizontal) {
    for (int32_t y = 0; y < h; ++y) std::reverse(s.Row(y) + x, s.Row(y) + x + w);
  }
  if (change & kMirrorVertical) {
    for (int32_t a = 0, b = h - 1; a < b; ++a, --b) std::swap_ranges(s.Row(a) + x, s.Row(a) + x + w, s.Row(b) + x);
  }
}

void FlipPixels(uint8_t* top, std::ptrdiff_t stride, int bpp, int32_t width, int32_t height, int32_t change) {
  if (top == nullptr || width <= 0 || height <= 0) return;
  if (change & kMirrorHorizontal) {
    for (int32_t y = 0; y < height; ++y) {
      uint8_t* row = top + stride * y;
      if (bpp == 8) {
        std::reverse(row, row + width);
      } else if (bpp == 24) {
        for (int32_t a = 0, b = width - 1; a < b; ++a, --b) std::swap_ranges(row + 3 * a, row + 3 * a + 3, row + 3 * b);
      } else if (bpp == 1) {
        for (int32_t a = 0, b = width - 1; a < b; ++a, --b) {
          const bool ba = (row[a >> 3] >> (7 - (a & 7))) & 1;
          const bool bb = (row[b >> 3] >> (7 - (b & 7))) & 1;
          if (ba != bb) {
            row[a >> 3] ^= static_cast<uint8_t>(0x80 >> (a & 7));
            row[b >> 3] ^= static_cast<uint8_t>(0x80 >> (b & 7));
          }
        }
      }
    }
  }
  if (change & kMirrorVertical) {
    const std::size_t rowBytes = static_cast<std::size_t>(ScanlineBytes(bpp, width));
    for (int32_t a = 0, b = height - 1; a < b; ++a, --b) {
      std::swap_ranges(top + stride * a, top + stride * a + rowBytes, top + stride * b);
    }
  }
}

int32_t MirrorStripFrames(GifStream& gif, const IndexSurface& strip, int32_t oldValue, int32_t mirrored,
                          bool onlyFirst) {
  int first = 0;
  if (mirrored & kMirrorFirstDone) {
    mirrored &= ~kMirrorFirstDone;
    first = 1;
  }
  const int32_t change = (oldValue ^ mirrored) & (kMirrorHorizontal | kMirrorVertical);
  if (change == 0) return mirrored;
  const int last = onlyFirst ? std::min(1, gif.FrameCount()) : gif.FrameCount();
  for (int i = first; i < last; ++i) {
    GifFrameInfo& f = gif.Frames[i];
    FlipIndexes(strip, f.DataStart, f.Width, f.Height, change);
    if (change & kMirrorHorizontal) f.Left = gif.CanvasWidth - (f.Left + f.Width);
    if (change & kMirrorVertical) f.Top = gif.CanvasHeight - (f.Top + f.Height);
  }
  return mirrored;
}

}  // namespace anigif
