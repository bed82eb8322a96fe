// Drawing scale and target size for the stretch modes, and mirroring of the
// built frames.
#pragma once
#include <cstdint>

#include "anigif/core/gif_stream.h"
#include "anigif/core/lzw_decoder.h"

namespace anigif {

enum StretchMode : int32_t { kStretchClip = 0, kStretchFit = 1, kStretchFill = 2, kStretchShrink = 3, kStretchActual = 4 };

// Whole number nearest to v, halves to even.
int32_t RoundHalfEven(double v);

struct Layout {
  int32_t width = 0;  // in: the box in pixels; out: the target size
  int32_t height = 0;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
};

// The canvas of canvasWidth x canvasHeight laid out in the box held by
// layout.width x layout.height.
void ComputeLayout(int32_t stretch, int32_t canvasWidth, int32_t canvasHeight, Layout& layout);

inline constexpr int32_t kMirrorHorizontal = 1;
inline constexpr int32_t kMirrorVertical = 2;
inline constexpr int32_t kMirrorFirstDone = 0x20;  // frame 1 already carries the setting

// Flips a w x h block of an 8-bit surface in place.
void FlipIndexes(const IndexSurface& surface, int32_t x, int32_t w, int32_t h, int32_t change);
// Flips a whole surface of the given bits per pixel (1, 8 or 24), rows top-down
// from `top` with `stride` between them.
void FlipPixels(uint8_t* top, std::ptrdiff_t stride, int bitsPerPixel, int32_t width, int32_t height, int32_t change);

// Applies the change between oldValue and mirrored (which may carry
// kMirrorFirstDone, then cleared) to frames 1..n of the strip (1 alone when
// onlyFirst) and to their positions on the canvas. Returns the new mirrored
// value.
int32_t MirrorStripFrames(GifStream& gif, const IndexSurface& strip, int32_t oldValue, int32_t mirrored,
                          bool onlyFirst);

}  // namespace anigif
