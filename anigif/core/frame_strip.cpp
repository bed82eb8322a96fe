#include "anigif/core/frame_strip.h"

#include <algorithm>

namespace anigif {

bool PlanStrip(const GifStream& gif, bool firstFrameOnly, StripPlan& plan) {
  plan = StripPlan{};
  const int n = firstFrameOnly ? std::min(gif.FrameCount(), 1) : gif.FrameCount();
  int64_t width = 0;
  int32_t height = 0;
  for (int i = 0; i < n; ++i) {
    plan.startColumn.push_back(static_cast<int32_t>(width));
    width += gif.Frames[i].Width;
    height = std::max(height, gif.Frames[i].Height);
  }
  // A strip of zero area still needs one pixel to exist as a bitmap.
  width = std::max<int64_t>(width, 1);
  height = std::max(height, 1);
  if (static_cast<uint64_t>(ScanlineBytes(8, static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX / 8)))) *
          static_cast<uint64_t>(height) > kMaxBitmapBytes ||
      width > INT32_MAX / 8) {
    plan = StripPlan{};
    return false;
  }
  plan.width = static_cast<int32_t>(width);
  plan.height = height;
  return true;
}

CanvasPlan PlanCanvas(const GifStream& gif, bool designMode) {
  CanvasPlan plan;
  bool anyTransparency = false;
  bool allDisposal2 = true;
  bool needsMask = false;
  for (const GifFrameInfo& f : gif.Frames) {
    if (f.HasTransparency) anyTransparency = true;
    if (f.Disposal != 2) allDisposal2 = false;
    if (f.Disposal == 2 || f.Disposal == 3) needsMask = true;
  }
  if (!designMode && gif.FrameCount() > 1 && !allDisposal2) {
    const GifFrameInfo& first = gif.Frames[0];
    if (first.HasTransparency ||
        (anyTransparency && (first.Height != gif.CanvasHeight || first.Width != gif.CanvasWidth))) {
      needsMask = true;
    }
    plan.canvas = true;
    plan.mask = needsMask;
  }
  plan.scratchTable = anyTransparency || needsMask;
  return plan;
}

void BuildStripFrames(const uint8_t* file, std::size_t fileSize, GifStream& gif, const StripPlan& plan,
                      const IndexSurface& strip, int first, int last, LzwDecoder& decoder) {
  last = std::min<int>(last, static_cast<int>(plan.startColumn.size()));
  for (int i = std::max(first, 0); i < last; ++i) {
    GifFrameInfo& f = gif.Frames[i];
    if (f.Width > 0 && f.Height > 0) decoder.DecodeFrame(file, fileSize, gif.Spans[i], f, strip, plan.startColumn[i]);
    f.DataStart = plan.startColumn[i];
  }
}

}  // namespace anigif
