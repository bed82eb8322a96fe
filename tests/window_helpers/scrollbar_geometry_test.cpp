#include "foundation/core/scrollbar_geometry.h"

#include <gtest/gtest.h>

using namespace foundation;

namespace {

constexpr int kArrow = 17;

TEST(BarGeometry, TrackFillerAndHalfArrows) {
  // Room for both arrows and an 8-pixel track.
  BarGeometry g = ComputeBarGeometry(17, 100, kArrow, true);
  EXPECT_TRUE(g.hasTrack);
  EXPECT_FALSE(g.hasFiller);
  EXPECT_EQ(g.firstArrow, (IntRect{0, 0, 17, 17}));
  EXPECT_EQ(g.secondArrow, (IntRect{0, 83, 17, 100}));
  EXPECT_EQ(g.trackStart, 17);
  EXPECT_EQ(g.trackLength, 66);
  EXPECT_TRUE(ComputeBarGeometry(17, 2 * kArrow + 8, kArrow, true).hasTrack);

  // Two arrows and less than 8 pixels more: a filler between them.
  g = ComputeBarGeometry(17, 2 * kArrow + 7, kArrow, true);
  EXPECT_FALSE(g.hasTrack);
  ASSERT_TRUE(g.hasFiller);
  EXPECT_EQ(g.filler, (IntRect{0, 17, 17, 24}));

  // Odd length of at most two arrows: two half arrows and a 1-pixel filler.
  g = ComputeBarGeometry(17, 33, kArrow, true);
  EXPECT_FALSE(g.hasTrack);
  EXPECT_EQ(g.firstArrow, (IntRect{0, 0, 17, 16}));
  EXPECT_EQ(g.secondArrow, (IntRect{0, 17, 17, 33}));
  ASSERT_TRUE(g.hasFiller);
  EXPECT_EQ(g.filler, (IntRect{0, 16, 17, 17}));
  // Even: the halves meet, no filler.
  g = ComputeBarGeometry(17, 34, kArrow, true);
  EXPECT_FALSE(g.hasFiller);
  EXPECT_EQ(g.firstArrow, (IntRect{0, 0, 17, 17}));
  EXPECT_EQ(g.secondArrow, (IntRect{0, 17, 17, 34}));
  // A bar of no size has empty parts.
  g = ComputeBarGeometry(0, 0, kArrow, true);
  EXPECT_TRUE(g.firstArrow.Empty());
  EXPECT_FALSE(g.hasFiller);
}

TEST(BarGeometry, HorizontalBarExchangesTheAxes) {
  BarGeometry g = ComputeBarGeometry(100, 17, kArrow, false);
  EXPECT_TRUE(g.hasTrack);
  EXPECT_EQ(g.firstArrow, (IntRect{0, 0, 17, 17}));
  EXPECT_EQ(g.secondArrow, (IntRect{83, 0, 100, 17}));
  ComputeThumb(g, {0, 99, 50, 25, 0}, false, false);
  EXPECT_EQ(g.thumb, (IntRect{34, 0, 67, 17}));
  EXPECT_EQ(g.trackBefore, (IntRect{17, 0, 34, 17}));
  EXPECT_EQ(g.trackAfter, (IntRect{67, 0, 83, 17}));
}

TEST(BarThumb, SizePositionAndTrackParts) {
  BarGeometry g = ComputeBarGeometry(17, 100, kArrow, true);
  // Half a page: half the track; position 25 of 50 scrollable.
  ComputeThumb(g, {0, 99, 50, 25, 0}, true, false);
  EXPECT_EQ(g.thumbSize, 33);
  EXPECT_EQ(g.thumbStart, 17 + 17);  // MulDiv(25, 33, 50) rounds 16.5 up
  EXPECT_EQ(g.trackBefore, (IntRect{0, 17, 17, 34}));
  EXPECT_EQ(g.thumb, (IntRect{0, 34, 17, 67}));
  EXPECT_EQ(g.trackAfter, (IntRect{0, 67, 17, 83}));
  // A very small page: the 8-pixel minimum, ending at the second arrow at the
  // last position.
  ComputeThumb(g, {0, 999, 1, 999, 0}, true, false);
  EXPECT_EQ(g.thumbSize, kMinThumbSize);
  EXPECT_EQ(g.thumbStart + g.thumbSize, 83);
  // While the thumb is dragged the tracking position counts.
  ComputeThumb(g, {0, 99, 50, 0, 50}, true, true);
  EXPECT_EQ(g.thumbStart + g.thumbSize, 83);
  // A non-zero minimum.
  ComputeThumb(g, {100, 199, 50, 125, 0}, true, false);
  EXPECT_EQ(g.thumbStart, 34);
}

TEST(BarThumb, NoThumbAndNoDivisionByZeroOrNegativeRange) {
  BarGeometry g = ComputeBarGeometry(17, 100, kArrow, true);
  ComputeThumb(g, {0, 9, 10, 0, 0}, true, false);  // the page covers the range
  EXPECT_EQ(g.thumbSize, 0);
  EXPECT_EQ(g.thumbStart, 17);
  ComputeThumb(g, {50, 60, 20, 55, 0}, true, false);  // page above the range, nMax above nPage
  EXPECT_EQ(g.thumbSize, 0);
  ComputeThumb(g, {10, 5, 0, 0, 0}, true, false);  // nMax below nMin
  EXPECT_EQ(g.thumbSize, 0);
  // One position left to scroll: range - page is 1, the thumb ends at the
  // second arrow on the last position and never beyond it.
  ComputeThumb(g, {0, 10, 10, 1, 0}, true, false);
  EXPECT_EQ(g.thumbSize, 60);
  EXPECT_EQ(g.thumbStart + g.thumbSize, 83);
  ComputeThumb(g, {0, 10, 10, 500, 0}, true, false);
  EXPECT_EQ(g.thumbStart + g.thumbSize, 83);
  ComputeThumb(g, {0, 10, 10, -500, 0}, true, false);
  EXPECT_EQ(g.thumbStart, 17);
  // The whole int range does not overflow.
  ComputeThumb(g, {INT_MIN, INT_MAX, 1u << 30, 0, 0}, true, false);
  EXPECT_GE(g.thumbStart, 17);
  EXPECT_LE(g.thumbStart + g.thumbSize, 83);
  // A filler-only bar still gets a thumb size (so presses count) that is
  // placed without running backwards.
  BarGeometry small = ComputeBarGeometry(17, 40, kArrow, true);
  ComputeThumb(small, {0, 99, 10, 90, 0}, true, false);
  EXPECT_EQ(small.thumbSize, kMinThumbSize);
  EXPECT_EQ(small.thumbStart, small.trackStart);
}

TEST(BarHitTest, PartsInOrder) {
  BarGeometry g = ComputeBarGeometry(17, 100, kArrow, true);
  ComputeThumb(g, {0, 99, 50, 25, 0}, true, false);
  EXPECT_EQ(HitTestBar(g, {5, 5}), kPartFirstArrow);
  EXPECT_EQ(HitTestBar(g, {5, 90}), kPartSecondArrow);
  EXPECT_EQ(HitTestBar(g, {5, 20}), kPartTrackBefore);
  EXPECT_EQ(HitTestBar(g, {5, 70}), kPartTrackAfter);
  EXPECT_EQ(HitTestBar(g, {5, 40}), kPartThumb);
  EXPECT_EQ(HitTestBar(g, {17, 40}), kPartNone);
  EXPECT_EQ(HitTestBar(g, {5, 100}), kPartNone);
}

BarLayoutInput Target() {
  BarLayoutInput in;
  in.window = {100, 100, 300, 250};
  in.origin = {10, 20};
  in.clientWidth = 177;
  in.clientHeight = 127;
  in.style = 0x00200000 | 0x00100000 | 0x00800000;  // both bars, border
  in.exStyle = 0x200;                                // client edge
  in.vScrollWidth = 17;
  in.hScrollHeight = 17;
  in.parentClientWidth = 500;
  in.parentClientHeight = 400;
  return in;
}

TEST(BarLayout, RightSideBarsAndSizer) {
  BarLayout out = ComputeBarLayout(Target());
  EXPECT_TRUE(out.enabled);
  EXPECT_TRUE(out.rightSide);
  ASSERT_TRUE(out.vShown && out.hShown && out.sizerShown);
  // Border 1 + client edge 2 inside the window's corner at (10, 20).
  EXPECT_EQ(out.vBar, (IntRect{13 + 177, 23, 13 + 177 + 17, 23 + 127}));
  EXPECT_EQ(out.hBar, (IntRect{13, 23 + 127, 13 + 177, 23 + 127 + 17}));
  EXPECT_EQ(out.sizer, (IntRect{190, 150, 207, 167}));
  EXPECT_FALSE(out.grip);
}

TEST(BarLayout, LeftSideBarMovesTheSizerAndTheHorizontalBar) {
  BarLayoutInput in = Target();
  in.exStyle |= 0x4000;
  BarLayout out = ComputeBarLayout(in);
  EXPECT_FALSE(out.rightSide);
  EXPECT_EQ(out.vBar, (IntRect{13, 23, 30, 150}));
  EXPECT_EQ(out.hBar, (IntRect{30, 150, 207, 167}));
  EXPECT_EQ(out.sizer, (IntRect{13, 150, 30, 167}));
}

TEST(BarLayout, HiddenBarsDisabledTargetAndGrip) {
  BarLayoutInput in = Target();
  in.style &= ~0x00200000u;  // no vertical bar
  BarLayout out = ComputeBarLayout(in);
  EXPECT_FALSE(out.vShown);
  EXPECT_FALSE(out.sizerShown);
  EXPECT_EQ(out.hBar.left, 13);
  // Too low for a horizontal bar: height minus both borders not above it.
  in = Target();
  in.window.bottom = in.window.top + 17 + 6;
  out = ComputeBarLayout(in);
  EXPECT_FALSE(out.hShown);
  EXPECT_TRUE(out.vShown);
  in.window.bottom += 1;
  EXPECT_TRUE(ComputeBarLayout(in).hShown);
  // Disabled.
  in = Target();
  in.style |= 0x08000000;
  EXPECT_FALSE(ComputeBarLayout(in).enabled);
  // The grip needs the target to fill the parent, which is not maximized.
  in = Target();
  in.parentClientWidth = 200;
  in.parentClientHeight = 150;
  EXPECT_TRUE(ComputeBarLayout(in).grip);
  in.parentMaximized = true;
  EXPECT_FALSE(ComputeBarLayout(in).grip);
}

}  // namespace
