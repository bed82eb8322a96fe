// libFuzzer target over parse, decode into the strip, composition, and
// encode-then-decode of every built frame.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anigif/core/animation.h"
#include "anigif/core/frame_strip.h"
#include "anigif/core/gif_encoder.h"
#include "anigif/core/layout.h"
#include "anigif/core/reference_compositor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  anigif::GifStream g;
  if (anigif::ParseGifStream(data, size, g) == 0) return 0;
  anigif::StripPlan plan;
  if (!anigif::PlanStrip(g, false, plan)) return 0;
  // Keep single inputs fast: the caps themselves are tested elsewhere.
  if (static_cast<uint64_t>(plan.width) * plan.height > (4u << 20)) return 0;
  const int stride = anigif::ScanlineBytes(8, plan.width);
  std::vector<uint8_t> bits(static_cast<std::size_t>(stride) * plan.height, 0);
  anigif::IndexSurface strip{bits.data() + static_cast<std::ptrdiff_t>(stride) * (plan.height - 1), -stride,
                             plan.width, plan.height};
  anigif::LzwDecoder dec;
  anigif::BuildStripFrames(data, size, g, plan, strip, 0, g.FrameCount(), dec);

  if (static_cast<uint64_t>(g.CanvasWidth) * g.CanvasHeight <= (1u << 18)) {
    anigif::ReferenceCompositor comp(g, strip, anigif::PlanCanvas(g, false));
    anigif::RgbImage out(g.CanvasWidth, g.CanvasHeight, 0x123456);
    for (int i = 0; i < g.FrameCount() && i < 32; ++i) comp.Paint(i, out, 1, -1, i & 1, 0xFFFFFF);
  }
  anigif::MirrorStripFrames(g, strip, 0, 3, false);
  anigif::Layout l{37, 23};
  anigif::ComputeLayout(1, g.CanvasWidth, g.CanvasHeight, l);

  for (int i = 0; i < g.FrameCount() && i < 8; ++i) {
    const auto& f = g.Frames[i];
    if (f.Width <= 0 || f.Height <= 0) continue;
    const int32_t h = std::min(f.Height, plan.height);
    const uint8_t* top = strip.Row(0) + f.DataStart;
    const auto file = anigif::EncodeFrameGif(top, strip.stride, f.Width, h,
                                             g.Colors.Tables[static_cast<std::size_t>(f.ColorTableIndex)], -1);
    anigif::GifStream back;
    if (anigif::ParseGifStream(file.data(), file.size(), back) != 1) std::abort();
    std::vector<uint8_t> px(static_cast<std::size_t>(f.Width) * h, 0);
    anigif::IndexSurface s{px.data(), f.Width, f.Width, h};
    if (dec.DecodeFrame(file.data(), file.size(), back.Spans[0], back.Frames[0], s, 0) !=
        anigif::DecodeResult::Complete)
      std::abort();
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < f.Width; ++x)
        if (px[static_cast<std::size_t>(y) * f.Width + x] != strip.Row(y)[f.DataStart + x]) std::abort();
  }
  return 0;
}
