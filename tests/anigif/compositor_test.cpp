#include <gtest/gtest.h>

#include "anigif/core/canvas_rows.h"
#include "anigif/core/frame_strip.h"
#include "anigif/core/reference_compositor.h"
#include "anigif/gif_builder.h"

namespace anigif {
namespace {
using anigif_test::GifBuilder;
using anigif_test::Image;

Image Solid(int left, int top, int w, int h, uint8_t index) {
  Image im;
  im.left = left, im.top = top, im.width = w, im.height = h;
  im.pixels.assign(static_cast<std::size_t>(w) * h, index);
  im.minCodeSize = 2;
  return im;
}

struct Loaded {
  std::vector<uint8_t> file;
  GifStream gif;
  StripPlan plan;
  std::vector<uint8_t> bits;
  IndexSurface strip;
  explicit Loaded(std::vector<uint8_t> f) : file(std::move(f)) {
    EXPECT_GT(ParseGifStream(file.data(), file.size(), gif), 0);
    EXPECT_TRUE(PlanStrip(gif, false, plan));
    bits.assign(static_cast<std::size_t>(plan.width) * plan.height, 0);
    strip = IndexSurface{bits.data(), plan.width, plan.width, plan.height};
    LzwDecoder dec;
    BuildStripFrames(file.data(), file.size(), gif, plan, strip, 0, gif.FrameCount(), dec);
  }
};

const std::vector<uint32_t> kTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr uint32_t kBehind = 0x123456;

TEST(ReferenceCompositor, DisposalTwoClearsToWhatLiesBehind) {
  GifBuilder b(4, 4, kTable);
  b.Control(0, 1).Add(Solid(0, 0, 4, 4, 1)).Control(2, 1).Add(Solid(1, 1, 2, 2, 2)).Control(0, 1, 0).Add(Solid(0, 0, 1, 1, 0));
  Loaded l(b.Finish());
  const CanvasPlan plan = PlanCanvas(l.gif, false);
  ASSERT_TRUE(plan.canvas);
  ASSERT_TRUE(plan.mask);
  ReferenceCompositor c(l.gif, l.strip, plan);
  RgbImage out(4, 4, kBehind);
  c.Paint(0, out);
  EXPECT_EQ(0xFF0000u, out.at(1, 1));
  out = RgbImage(4, 4, kBehind);
  c.Paint(1, out);
  EXPECT_EQ(0x00FF00u, out.at(1, 1));
  // After display the rectangle is black in the canvas and uncovered.
  EXPECT_EQ(0u, c.canvas().at(2, 2));
  EXPECT_TRUE(c.uncovered(2, 2));
  out = RgbImage(4, 4, kBehind);
  c.Paint(2, out);
  EXPECT_EQ(kBehind, out.at(1, 1));
  EXPECT_EQ(0xFF0000u, out.at(3, 3));
}

TEST(ReferenceCompositor, DisposalThreeRestoresTheRowsUnderIt) {
  GifBuilder b(4, 4, kTable);
  b.Control(0, 1).Add(Solid(0, 0, 4, 4, 1)).Control(3, 1).Add(Solid(2, 0, 2, 4, 3)).Control(1, 1, 0).Add(Solid(0, 0, 1, 1, 0));
  Loaded l(b.Finish());
  ReferenceCompositor c(l.gif, l.strip, PlanCanvas(l.gif, false));
  RgbImage out(4, 4, kBehind);
  c.Paint(0, out);
  const RgbImage before = c.canvas();
  c.Paint(1, out);
  EXPECT_EQ(0x0000FFu, out.at(3, 0));
  EXPECT_EQ(before.px, c.canvas().px);
  c.Paint(2, out);
  EXPECT_EQ(0xFF0000u, out.at(3, 0));
}

TEST(ReferenceCompositor, TransparentFrameWithoutCanvasKeepsTheBackground) {
  Image im = Solid(0, 0, 2, 1, 2);
  im.pixels[0] = 3;
  GifBuilder b(2, 1, kTable);
  b.Control(0, 1, 3).Add(im);
  Loaded l(b.Finish());
  const CanvasPlan plan = PlanCanvas(l.gif, false);
  EXPECT_FALSE(plan.canvas);
  ReferenceCompositor c(l.gif, l.strip, plan);
  RgbImage out(2, 1, kBehind);
  c.Paint(0, out);
  EXPECT_EQ(kBehind, out.at(0, 0));
  EXPECT_EQ(0x00FF00u, out.at(1, 0));
  RgbImage filled(3, 1, kBehind);
  c.Paint(0, filled, 0, 0, true, 0xABCDEF);
  EXPECT_EQ(0xABCDEFu, filled.at(0, 0));
  EXPECT_EQ(kBehind, filled.at(2, 0));  // the fill covers the canvas area only
}

TEST(ReferenceCompositor, IndexesPastTheTableShowBlack) {
  Image im = Solid(0, 0, 2, 1, 6);  // a 4-entry local table, index 6
  im.localTable = {0x111111, 0x222222, 0x333333, 0x444444};
  im.minCodeSize = 3;
  GifBuilder b(2, 1, anigif_test::Ramp(8));
  b.Add(im);
  Loaded l(b.Finish());
  ReferenceCompositor c(l.gif, l.strip, PlanCanvas(l.gif, false));
  RgbImage out(2, 1, kBehind);
  c.Paint(0, out);
  EXPECT_EQ(0u, out.at(0, 0));
}

TEST(CanvasRows, SaveAndRestoreNearTheRightEdgeStayInsideTheRows) {
  // A 37-pixel canvas: 24-bit rows of 112 bytes, mask rows of 8 bytes, with
  // guard bytes after the last row to catch any overrun.
  const int w = 37, h = 3;
  const int cs = ScanlineBytes(24, w), ms = ScanlineBytes(1, w);
  std::vector<uint8_t> canvas(cs * h + 16, 0x11), mask(ms * h + 16, 0xA5);
  for (int i = 0; i < 16; ++i) canvas[cs * h + i] = mask[ms * h + i] = 0x77;
  BitsSurface c{canvas.data() + cs * (h - 1), -cs, w, h};  // bottom-up like a DIB
  BitsSurface m{mask.data() + ms * (h - 1), -ms, w, h};
  SavedRows saved;
  SaveRows(c, m, 7, 0, 32, 3, saved);  // the frame runs to the right edge
  std::fill(canvas.begin(), canvas.begin() + cs * h, 0);
  std::fill(mask.begin(), mask.begin() + ms * h, 0);
  RestoreRows(c, m, 7, 0, 32, 3, saved);
  for (int y = 0; y < h; ++y) {
    for (int x = 7; x < 37; ++x)
      ASSERT_EQ(0x11, c.Row(y)[x * 3]) << x;
    // Every mask bit of the rectangle is back, including those past bit 31.
    for (int x = 7; x < 37; ++x) ASSERT_EQ((0xA5 >> (7 - x % 8)) & 1, (m.Row(y)[x / 8] >> (7 - x % 8)) & 1) << x;
    EXPECT_EQ(0xA5, m.Row(y)[4]);
  }
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(0x77, canvas[cs * h + i]);
    EXPECT_EQ(0x77, mask[ms * h + i]);
  }
  // Bigger than the canvas: clipped.
  SaveRows(c, m, 30, 1, 100, 100, saved);
  RestoreRows(c, m, 30, 1, 100, 100, saved);
  EXPECT_EQ(0x77, canvas[cs * h]);
  ClearCanvas(c, m);
  EXPECT_EQ(0, canvas[0]);
  EXPECT_EQ(0xFF, mask[0]);
  EXPECT_EQ(0x77, mask[ms * h]);
}

}  // namespace
}  // namespace anigif
