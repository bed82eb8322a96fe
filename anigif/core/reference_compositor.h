// A plain-RGB model of how the control shows each frame: the composition
// canvas with its coverage, the disposals, transparency, and drawing straight
// from the strip when there is no canvas. The painter is tested against it.
#pragma once
#include <cstdint>
#include <vector>

#include "anigif/core/frame_strip.h"
#include "anigif/core/gif_stream.h"
#include "anigif/core/lzw_decoder.h"

namespace anigif {

struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> px;  // 0xRRGGBB, rows top-down
  RgbImage() = default;
  RgbImage(int32_t w, int32_t h, uint32_t fill = 0) : width(w), height(h), px(static_cast<std::size_t>(w) * h, fill) {}
  uint32_t& at(int32_t x, int32_t y) { return px[static_cast<std::size_t>(y) * width + x]; }
  uint32_t at(int32_t x, int32_t y) const { return px[static_cast<std::size_t>(y) * width + x]; }
};

// The colour an index shows with a table: past the table's count it is black.
inline uint32_t TableColour(const ColorTable& t, uint8_t index) { return index < t[256] ? t[index] : 0; }

class ReferenceCompositor {
 public:
  // strip holds every built frame at its DataStart column.
  ReferenceCompositor(const GifStream& gif, const IndexSurface& strip, const CanvasPlan& plan);

  // Shows frame i (0-based) on dest, which holds what lies behind the control,
  // unscaled, at the given offsets. Frames must be shown in order from 0.
  void Paint(int i, RgbImage& dest, int32_t offsetX = 0, int32_t offsetY = 0, bool solidFill = false,
             uint32_t solidColour = 0);

  const RgbImage& canvas() const { return canvas_; }
  bool uncovered(int32_t x, int32_t y) const { return uncovered_[static_cast<std::size_t>(y) * canvas_.width + x] != 0; }

 private:
  template <typename Fn>
  void ForEachPixel(int i, Fn fn) const;

  const GifStream& gif_;
  IndexSurface strip_;
  CanvasPlan plan_;
  RgbImage canvas_;
  std::vector<uint8_t> uncovered_;
};

}  // namespace anigif
