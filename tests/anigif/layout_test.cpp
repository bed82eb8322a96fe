#include "anigif/core/layout.h"

#include <gtest/gtest.h>

namespace anigif {
namespace {

Layout Box(int32_t stretch, int32_t cw, int32_t ch, int32_t w, int32_t h) {
  Layout l{w, h, 0.0f, 0.0f};
  ComputeLayout(stretch, cw, ch, l);
  return l;
}

TEST(Layout, StretchModes) {
  auto l = Box(kStretchShrink, 50, 50, 200, 100);
  EXPECT_EQ(50, l.width);
  EXPECT_EQ(50, l.height);
  EXPECT_FLOAT_EQ(1.0f, l.scaleX);
  l = Box(kStretchShrink, 50, 50, 40, 100);
  EXPECT_EQ(40, l.width);
  EXPECT_EQ(40, l.height);
  EXPECT_FLOAT_EQ(0.8f, l.scaleY);
  l = Box(kStretchClip, 50, 50, 30, 80);
  EXPECT_EQ(30, l.width);
  EXPECT_EQ(50, l.height);
  EXPECT_FLOAT_EQ(1.0f, l.scaleX);
  l = Box(kStretchActual, 50, 40, 7, 9);
  EXPECT_EQ(50, l.width);
  EXPECT_EQ(40, l.height);
  l = Box(kStretchFill, 50, 40, 100, 20);
  EXPECT_EQ(100, l.width);
  EXPECT_EQ(20, l.height);
  EXPECT_FLOAT_EQ(2.0f, l.scaleX);
  EXPECT_FLOAT_EQ(0.5f, l.scaleY);
  l = Box(kStretchFit, 50, 40, 100, 100);
  EXPECT_EQ(100, l.width);
  EXPECT_EQ(80, l.height);
  EXPECT_FLOAT_EQ(2.0f, l.scaleX);
  l = Box(7, 50, 40, 25, 100);  // other values fit like mode 1
  EXPECT_EQ(25, l.width);
  EXPECT_EQ(20, l.height);
}

TEST(Layout, RoundsHalfToEven) {
  EXPECT_EQ(2, RoundHalfEven(2.5));
  EXPECT_EQ(4, RoundHalfEven(3.5));
  EXPECT_EQ(3, RoundHalfEven(2.6));
  // 5 x 0.5 = 2.5 -> 2
  auto l = Box(kStretchFit, 5, 10, 100, 5);
  EXPECT_EQ(2, l.width);
  EXPECT_EQ(5, l.height);
}

TEST(Mirror, FramesFlipInPlaceAndMove) {
  GifStream g;
  g.CanvasWidth = 100;
  g.CanvasHeight = 50;
  GifFrameInfo a;
  a.Left = 10;
  a.Top = 5;
  a.Width = 20;
  a.Height = 3;
  a.DataStart = 0;
  GifFrameInfo b = a;
  b.DataStart = 20;
  b.Width = 2;
  g.Frames = {a, b};
  std::vector<uint8_t> bits(22 * 3);
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<uint8_t>(i);
  const auto original = bits;
  IndexSurface s{bits.data(), 22, 22, 3};
  EXPECT_EQ(3, MirrorStripFrames(g, s, 0, 3, false));
  EXPECT_EQ(70, g.Frames[0].Left);
  EXPECT_EQ(42, g.Frames[0].Top);
  EXPECT_EQ(88, g.Frames[1].Left);
  // Frame 1's top-left pixel is now its bottom-right.
  EXPECT_EQ(original[0], s.Row(2)[19]);
  EXPECT_EQ(original[20], s.Row(2)[21]);
  EXPECT_EQ(original[2 * 22 + 21], s.Row(0)[20]);
  // Flipping back restores everything.
  EXPECT_EQ(0, MirrorStripFrames(g, s, 3, 0, false));
  EXPECT_EQ(original, bits);
  EXPECT_EQ(10, g.Frames[0].Left);
  // The frame-1-done bit skips frame 1 once and is cleared.
  EXPECT_EQ(1, MirrorStripFrames(g, s, 0, 1 | kMirrorFirstDone, false));
  EXPECT_EQ(10, g.Frames[0].Left);
  EXPECT_EQ(88, g.Frames[1].Left);
  // No change: nothing moves.
  EXPECT_EQ(1, MirrorStripFrames(g, s, 1, 1, false));
  EXPECT_EQ(88, g.Frames[1].Left);
}

TEST(Mirror, WholeSurfacesOfEveryDepth) {
  // 1-bit, 10 wide: bit x of row 0 set for x = 0 and 3.
  std::vector<uint8_t> mask = {0x90, 0x00, 0, 0, 0x40, 0x00, 0, 0};
  FlipPixels(mask.data(), 4, 1, 10, 2, kMirrorHorizontal);
  // After the flip x=9 and x=6 are set in row 0; x=8 in row 1.
  EXPECT_EQ(0x02, mask[0]);
  EXPECT_EQ(0x40, mask[1]);
  EXPECT_EQ(0x00, mask[4]);
  EXPECT_EQ(0x80, mask[5]);
  std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  FlipPixels(rgb.data(), 8, 24, 2, 2, kMirrorHorizontal | kMirrorVertical);
  EXPECT_EQ((std::vector<uint8_t>{10, 11, 12, 7, 8, 9, 0, 0, 4, 5, 6, 1, 2, 3, 0, 0}), rgb);
}

}  // namespace
}  // namespace anigif
