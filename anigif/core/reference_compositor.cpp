#include "anigif/core/reference_compositor.h"

#include <algorithm>

namespace anigif {

ReferenceCompositor::ReferenceCompositor(const GifStream& gif, const IndexSurface& strip, const CanvasPlan& plan)
    : gif_(gif), strip_(strip), plan_(plan) {
  if (plan_.canvas) {
    canvas_ = RgbImage(gif.CanvasWidth, gif.CanvasHeight);
    uncovered_.assign(static_cast<std::size_t>(gif.CanvasWidth) * gif.CanvasHeight, 1);
  }
}

// fn(frame x, frame y, index) over the frame's pixels.
template <typename Fn>
void ReferenceCompositor::ForEachPixel(int i, Fn fn) const {
  const GifFrameInfo& f = gif_.Frames[i];
  const int32_t h = std::min(f.Height, strip_.height);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = strip_.Row(y) + f.DataStart;
    for (int32_t x = 0; x < f.Width && f.DataStart + x < strip_.width; ++x) fn(x, y, row[x]);
  }
}

void ReferenceCompositor::Paint(int i, RgbImage& dest, int32_t offsetX, int32_t offsetY, bool solidFill,
                                uint32_t solidColour) {
  const GifFrameInfo& f = gif_.Frames[i];
  const ColorTable& table = gif_.Colors.Tables[static_cast<std::size_t>(f.ColorTableIndex)];
  auto put = [&](RgbImage& img, int32_t x, int32_t y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < img.width && y < img.height) img.at(x, y) = c;
  };
  if (solidFill) {
    for (int32_t y = 0; y < std::min(dest.height, gif_.CanvasHeight); ++y)
      for (int32_t x = 0; x < std::min(dest.width, gif_.CanvasWidth); ++x) dest.at(x, y) = solidColour;
  }
  if (!plan_.canvas) {
    ForEachPixel(i, [&](int32_t x, int32_t y, uint8_t index) {
      if (f.HasTransparency && index == f.TransIndex) return;
      put(dest, f.Left + offsetX + x, f.Top + offsetY + y, TableColour(table, index));
    });
    return;
  }

  const int32_t cw = canvas_.width;
  if (i == 0) {
    std::fill(canvas_.px.begin(), canvas_.px.end(), 0u);
    std::fill(uncovered_.begin(), uncovered_.end(), uint8_t{1});
  }
  RgbImage savedColour = canvas_;
  std::vector<uint8_t> savedCover = uncovered_;
  ForEachPixel(i, [&](int32_t x, int32_t y, uint8_t index) {
    const int32_t cx = f.Left + x, cy = f.Top + y;
    if (cx >= cw || cy >= canvas_.height) return;
    const bool transparent = f.HasTransparency && index == f.TransIndex;
    if (plan_.mask && !transparent) uncovered_[static_cast<std::size_t>(cy) * cw + cx] = 0;
    if (!transparent) canvas_.at(cx, cy) = TableColour(table, index);
  });
  for (int32_t y = 0; y < canvas_.height; ++y) {
    for (int32_t x = 0; x < cw; ++x) {
      const bool showBehind = plan_.mask && uncovered_[static_cast<std::size_t>(y) * cw + x];
      const int32_t dx = x + offsetX, dy = y + offsetY;
      if (dx < 0 || dy < 0 || dx >= dest.width || dy >= dest.height) continue;
      dest.at(dx, dy) = showBehind ? (dest.at(dx, dy) | canvas_.at(x, y)) : canvas_.at(x, y);
    }
  }
  for (int32_t y = f.Top; y < std::min(f.Top + f.Height, canvas_.height); ++y) {
    for (int32_t x = f.Left; x < std::min(f.Left + f.Width, cw); ++x) {
      const std::size_t k = static_cast<std::size_t>(y) * cw + x;
      if (f.Disposal == 2) {
        canvas_.px[k] = 0;
        if (plan_.mask) uncovered_[k] = 1;
      } else if (f.Disposal == 3) {
        canvas_.px[k] = savedColour.px[k];
        uncovered_[k] = savedCover[k];
      }
    }
  }
}

}  // namespace anigif
