// The GDI painter (colour-table swaps, masks, blits) against the reference
// compositor on the same frames.
#include <gtest/gtest.h>

#include "anigif/core/reference_compositor.h"
#include "anigif/frame_set.h"
#include "anigif/gif_builder.h"
#include "controls/back_surface.h"

namespace anigif {
namespace {
using anigif_test::GifBuilder;
using anigif_test::Image;
using anigif_test::MakeImage;
using anigif_test::Ramp;

constexpr uint32_t kBehind = 0x123456;

COLORREF ToColorref(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

struct Loaded {
  std::vector<uint8_t> file;
  FrameSet set;
  explicit Loaded(std::vector<uint8_t> f, bool design = false) : file(std::move(f)) {
    EXPECT_GT(ParseGifStream(file.data(), file.size(), set.gif), 0);
    EXPECT_TRUE(set.Prepare(design));
    set.Build(file.data(), file.size(), 0, set.gif.FrameCount());
  }
};

// Paints every frame in order on a surface cleared to kBehind and compares
// each result with the reference compositor's.
void ExpectSameAsReference(Loaded& l, const char* what, bool solid = false) {
  ::GdiFlush();
  const GifStream& g = l.set.gif;
  ReferenceCompositor ref(g, l.set.strip().Indexes(), PlanCanvas(g, false));
  EXPECT_EQ(PlanCanvas(g, false).canvas, l.set.HasCanvas()) << what;
  const int w = g.CanvasWidth + 3, h = g.CanvasHeight + 2;
  controls::BackSurface surface;
  ASSERT_TRUE(surface.Resize(w, h));
  PaintParams p;
  p.targetWidth = g.CanvasWidth;
  p.targetHeight = g.CanvasHeight;
  p.solidFill = solid;
  p.solidColour = RGB(0xAB, 0xCD, 0xEF);
  for (int i = 0; i < g.FrameCount(); ++i) {
    surface.Fill(ToColorref(kBehind));
    ASSERT_TRUE(l.set.PaintFrame(i + 1, surface.dc(), p));
    RgbImage expected(w, h, kBehind);
    ref.Paint(i, expected, 0, 0, solid, 0xABCDEF);
    ::GdiFlush();
    int bad = 0;
    for (int y = 0; y < h && bad < 5; ++y) {
      for (int x = 0; x < w && bad < 5; ++x) {
        if (surface.Pixel(x, y) != ToColorref(expected.at(x, y))) {
          ADD_FAILURE() << what << " frame " << i + 1 << " at " << x << "," << y << ": got " << std::hex
                        << surface.Pixel(x, y) << " expected " << ToColorref(expected.at(x, y));
          ++bad;
        }
      }
    }
  }
}

Image Frame(int left, int top, int w, int h, int colours, uint32_t seed) { return MakeImage(left, top, w, h, colours, seed); }

TEST(Painter, OpaqueFramesOnACanvasWithoutMask) {
  GifBuilder b(20, 12, Ramp(16));
  b.Control(0, 5).Add(Frame(0, 0, 20, 12, 16, 1)).Control(1, 5).Add(Frame(3, 2, 7, 5, 16, 2));
  Loaded l(b.Finish());
  EXPECT_TRUE(l.set.HasCanvas());
  EXPECT_FALSE(l.set.HasMask());
  ExpectSameAsReference(l, "opaque");
}

TEST(Painter, EveryDisposalWithTransparencyAndLocalTables) {
  GifBuilder b(33, 17, Ramp(8));
  Image a = Frame(0, 0, 30, 15, 8, 11);
  b.Control(0, 5, 3).Add(a);
  Image c = Frame(5, 3, 12, 9, 4, 12);
  c.localTable = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
  b.Control(2, 5, 1).Add(c);
  b.Control(3, 5).Add(Frame(25, 1, 8, 16, 8, 13));  // disposal 3 at the right edge
  b.Control(1, 5, 0).Add(Frame(1, 1, 31, 14, 8, 14));
  b.Control(0, 5).Add(Frame(9, 9, 3, 3, 8, 15));
  Loaded l(b.Finish());
  EXPECT_TRUE(l.set.HasMask());
  ExpectSameAsReference(l, "disposals");
}

TEST(Painter, SolidBackgroundFillUnderTransparentFrames) {
  GifBuilder b(10, 10, Ramp(4));
  b.Control(0, 5, 0).Add(Frame(0, 0, 10, 10, 4, 1)).Control(0, 5, 2).Add(Frame(2, 2, 5, 5, 4, 2));
  Loaded l(b.Finish());
  ExpectSameAsReference(l, "solid fill", true);
}

TEST(Painter, WithoutCanvasFramesGoStraightFromTheStrip) {
  GifBuilder b(12, 12, Ramp(4));
  b.Control(2, 5, 1).Add(Frame(0, 0, 12, 12, 4, 1)).Control(2, 5, 2).Add(Frame(4, 4, 6, 6, 4, 2));
  Loaded l(b.Finish());
  EXPECT_FALSE(l.set.HasCanvas());
  ExpectSameAsReference(l, "every frame disposal 2");
  // One transparent frame alone.
  Loaded one(GifBuilder(9, 5, Ramp(4)).Control(0, 0, 3).Add(Frame(0, 0, 9, 5, 4, 7)).Finish());
  EXPECT_FALSE(one.set.HasCanvas());
  ExpectSameAsReference(one, "single transparent frame");
}

TEST(Painter, OpaqueFrameAfterTransparentOneShowsTheTransparentIndexInColour) {
  Image t;
  t.width = 2, t.height = 1, t.pixels = {1, 2}, t.minCodeSize = 2;
  GifBuilder b(2, 1, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
  b.Control(2, 5, 1).Add(t).Control(2, 5).Add(t);
  Loaded l(b.Finish());
  controls::BackSurface s;
  ASSERT_TRUE(s.Resize(2, 1));
  s.Fill(ToColorref(kBehind));
  PaintParams p;
  l.set.PaintFrame(1, s.dc(), p);
  EXPECT_EQ(ToColorref(kBehind), s.Pixel(0, 0));
  s.Fill(ToColorref(kBehind));
  l.set.PaintFrame(2, s.dc(), p);
  EXPECT_EQ(RGB(255, 0, 0), s.Pixel(0, 0));
  EXPECT_EQ(RGB(0, 255, 0), s.Pixel(1, 0));
}

TEST(Painter, IndexesPastTheTableNeverShowAnotherTablesColours) {
  Image big = Frame(0, 0, 4, 1, 1, 1);
  big.pixels = {5, 5, 5, 5};
  big.minCodeSize = 3;
  big.localTable = Ramp(8);
  Image small = big;
  small.localTable = {0x111111, 0x222222};  // index 5 lies past its 2 entries
  GifBuilder b(4, 1, Ramp(2));
  b.Add(big).Add(small);
  Loaded l(b.Finish());
  controls::BackSurface s;
  ASSERT_TRUE(s.Resize(4, 1));
  PaintParams p;
  p.targetWidth = 4, p.targetHeight = 1;
  l.set.PaintFrame(1, s.dc(), p);
  l.set.PaintFrame(2, s.dc(), p);
  EXPECT_EQ(RGB(0, 0, 0), s.Pixel(0, 0));
}

TEST(Painter, ScaledDrawingFillsTheTarget) {
  GifBuilder b(4, 4, {0x000000, 0xFF0000});
  Image im;
  im.width = 4, im.height = 4, im.pixels.assign(16, 1), im.minCodeSize = 2;
  b.Add(im);
  Loaded l(b.Finish());
  controls::BackSurface s;
  ASSERT_TRUE(s.Resize(10, 10));
  s.Fill(ToColorref(kBehind));
  PaintParams p;
  p.scaleX = p.scaleY = 2.0f;
  l.set.PaintFrame(1, s.dc(), p);
  EXPECT_EQ(RGB(255, 0, 0), s.Pixel(7, 7));
  EXPECT_EQ(ToColorref(kBehind), s.Pixel(8, 8));
  EXPECT_FALSE(l.set.PaintFrame(0, s.dc(), p));
}

TEST(Painter, MirroringFlipsStripAndPositions) {
  GifBuilder b(10, 4, Ramp(16));
  b.Add(Frame(0, 0, 10, 4, 16, 1)).Add(Frame(2, 1, 3, 2, 16, 2));
  Loaded l(b.Finish());
  ::GdiFlush();
  const uint8_t topLeft = l.set.strip().Indexes().Row(0)[0];
  EXPECT_EQ(3, l.set.Mirror(0, 3, false, true));
  ::GdiFlush();
  EXPECT_EQ(topLeft, l.set.strip().Indexes().Row(3)[9]);
  EXPECT_EQ(5, l.set.gif.Frames[1].Left);
  EXPECT_EQ(1, l.set.gif.Frames[1].Top);
  ExpectSameAsReference(l, "mirrored");
}

}  // namespace
}  // namespace anigif
