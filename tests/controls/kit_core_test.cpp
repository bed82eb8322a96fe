// The window-free arithmetic of the command buttons, the progress bar and the
// form outline: colour shifts, face lines, layout, bar geometry, mask runs.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "controls/core/button_layout.h"
#include "controls/core/mask_region.h"
#include "controls/core/prog_bar_math.h"
#include "controls/core/xp_face_math.h"

using namespace controls;
using foundation::IntRect;

namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

std::vector<uint32_t> Colors(const std::vector<FaceLine>& lines, uint32_t base) {
  std::vector<uint32_t> out;
  for (const FaceLine& l : lines) out.push_back(ShiftColor(base, l.amount));
  return out;
}

}  // namespace

TEST(XpFaceMath, ShiftMovesBlueInProportion) {
  EXPECT_EQ(ShiftColor(Rgb(200, 200, 200), 48), Rgb(248, 248, 250));
  EXPECT_EQ(ShiftColor(Rgb(255, 255, 255), -48), Rgb(207, 207, 192));
  EXPECT_EQ(ShiftColor(Rgb(0, 0, 0), 48), Rgb(48, 48, 0));
  EXPECT_EQ(ShiftColor(Rgb(10, 10, 10), -48), Rgb(0, 0, 8));
}

TEST(XpFaceMath, GradientAmountsRoundHalvesToEven) {
  std::vector<int32_t> rows;
  for (int y = 1; y <= 6; ++y) rows.push_back(GradientAmount(kNormalSpan, 20, y));
  EXPECT_EQ(rows, (std::vector<int32_t>{-1, -2, -4, -5, -6, -8}));
  EXPECT_EQ(GradientAmount(kNormalSpan, 50, 1), 0);
  EXPECT_EQ(GradientAmount(kDisabledSpan, 25, 25), -50);
  EXPECT_EQ(GradientAmount(kNormalSpan, 0, 3), 0);
}

TEST(XpFaceMath, RingColoursOfTheDefaultSettings) {
  const uint32_t focus = 0xE4AD89u, hover = 0x30B3F8u;  // OLE colours are RGB here
  EXPECT_EQ(Colors(FocusRingLines(80, 24), focus),
            (std::vector<uint32_t>{Rgb(104, 140, 189), Rgb(202, 238, 255), Rgb(187, 223, 255), Rgb(168, 204, 255),
                                   Rgb(168, 204, 255)}));
  EXPECT_EQ(Colors(HoverRingLines(80, 24), hover),
            (std::vector<uint32_t>{Rgb(208, 139, 38), Rgb(255, 255, 98), Rgb(255, 214, 56), Rgb(255, 199, 53),
                                   Rgb(255, 199, 53)}));
  EXPECT_EQ(RingFrame(80, 24), (IntRect{1, 2, 79, 22}));
}

TEST(XpFaceMath, EdgeAndPressedLinesDifferInTheirEighthLine) {
  const auto edge = EdgeLines(50, 20), pressed = PressedLines(50, 20);
  ASSERT_EQ(edge.size(), 8u);
  ASSERT_EQ(pressed.size(), 8u);
  EXPECT_EQ(edge[7], (FaceLine{2, 3, 2, 17, -10}));     // rows 3 to H - 4
  EXPECT_EQ(pressed[7], (FaceLine{2, 2, 2, 18, -22}));  // rows 2 to H - 3
  EXPECT_EQ(edge[0], (FaceLine{2, 18, 48, 18, -48}));
  EXPECT_EQ(pressed[3].amount, 0);
}

TEST(XpFaceMath, RoundOutlineCutsThreePixelsAtEachCorner) {
  const auto cuts = RoundRegionCuts(10, 10);
  std::set<std::pair<int, int>> unique;
  for (const auto& p : cuts) unique.insert({p.x, p.y});
  EXPECT_EQ(unique.size(), 12u);
  EXPECT_EQ(unique, (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {0, 9}, {1, 9}, {0, 8},
                                                   {9, 0}, {8, 0}, {9, 1}, {9, 9}, {8, 9}, {9, 8}}));
}

TEST(ButtonLayout, PictureAndCaptionByPosition) {
  ButtonLayoutInput in;
  in.width = 100;
  in.height = 40;  // content (4, 4, 96, 36): 92 x 32
  in.hasPicture = in.hasCaption = true;
  in.pictureWidth = in.pictureHeight = 16;
  in.captionWidth = 30;
  in.captionHeight = 12;
  struct Case {
    int32_t position;
    IntRect picture, caption;
  };
  const Case cases[] = {
      {0, {42, 4, 58, 20}, {35, 24, 65, 36}},
      {1, {25, 12, 41, 28}, {45, 14, 75, 26}},
      {2, {59, 12, 75, 28}, {25, 14, 55, 26}},
      {3, {42, 20, 58, 36}, {35, 4, 65, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    in.picturePosition = c.position;
    const ButtonLayout l = ComputeButtonLayout(in);
    EXPECT_EQ(l.full, (IntRect{0, 0, 99, 39}));
    EXPECT_EQ(l.content, (IntRect{4, 4, 96, 36}));
    EXPECT_EQ(l.picture, c.picture);
    EXPECT_EQ(l.caption, c.caption);
  }
  // An unknown position keeps the last picture rectangle, the caption centred.
  in.picturePosition = 7;
  in.previousPicture = {1, 2, 3, 4};
  const ButtonLayout odd = ComputeButtonLayout(in);
  EXPECT_EQ(odd.picture, (IntRect{1, 2, 3, 4}));
  EXPECT_EQ(odd.caption, (IntRect{35, 14, 65, 26}));
  // The flat button keeps a left picture at x = 2.
  in.picturePosition = 1;
  in.pictureLeftAtEdge = true;
  const ButtonLayout flat = ComputeButtonLayout(in);
  EXPECT_EQ(flat.picture, (IntRect{2, 12, 18, 28}));
  EXPECT_EQ(flat.caption.left, 22);
}

TEST(ButtonLayout, PictureAloneOrCaptionAloneIsCentred) {
  ButtonLayoutInput in;
  in.width = 60;
  in.height = 30;
  in.hasPicture = true;
  in.pictureWidth = 33;
  in.pictureHeight = 33;  // larger than the content: truncation toward zero
  const ButtonLayout pic = ComputeButtonLayout(in);
  EXPECT_EQ(pic.picture, (IntRect{13, -1, 46, 32}));
  in.hasPicture = false;
  in.hasCaption = true;
  in.captionWidth = 20;
  in.captionHeight = 10;
  EXPECT_EQ(ComputeButtonLayout(in).caption, (IntRect{20, 10, 40, 20}));
}

TEST(ProgBarMath, ShadeBlendAndGradientSteps) {
  EXPECT_EQ(ShadeColor(Rgb(10, 36, 106), 150), Rgb(154, 164, 193));
  EXPECT_EQ(ShadeColor(Rgb(255, 0, 0), 250), Rgb(255, 250, 250));
  EXPECT_EQ(BlendColor(Rgb(10, 20, 30), Rgb(200, 100, 0), 255), Rgb(10, 20, 30));
  EXPECT_EQ(BlendColor(Rgb(10, 20, 30), Rgb(200, 100, 0), 0), Rgb(200, 100, 0));
  EXPECT_EQ(BlendColor(Rgb(255, 0, 0), 0, 128), Rgb(128, 0, 0));
  EXPECT_EQ(GradientStepColor(Rgb(0, 0, 0), Rgb(100, 200, 50), 0, 0), Rgb(0, 0, 0));
  EXPECT_EQ(GradientStepColor(Rgb(0, 0, 0), Rgb(100, 200, 50), 4, 2), Rgb(50, 100, 25));
  EXPECT_EQ(GradientStepColor(Rgb(0, 0, 0), Rgb(100, 200, 50), 4, 4), Rgb(100, 200, 50));
}

TEST(ProgBarMath, ValueAndPercent) {
  EXPECT_EQ(PercentFromValue(37, 0, 100), 37);
  EXPECT_EQ(PercentFromValue(1, 0, 8), 12);  // 12.5 rounds to even
  EXPECT_EQ(PercentFromValue(5, 3, 10), 53);
  EXPECT_EQ(PercentFromValue(5, 0, 0), std::nullopt);
  EXPECT_EQ(PercentFromValue(2000000000, 0, 1), INT32_MAX);  // saturates instead of overflowing
  EXPECT_EQ(ValueFromPercent(40, 0, 100), 40);
  EXPECT_EQ(ValueFromPercent(40, 4, 100), 10);
  EXPECT_EQ(PaintedPercent(-5), 0);
  EXPECT_EQ(PaintedPercent(140), 100);
  EXPECT_EQ(PaintedPercent(63), 63);
}

TEST(ProgBarMath, TubeBarIsWholeStepsAndFullAt98) {
  const IntRect client{0, 0, 200, 20};
  const TubeBar zero = CalcTubeBar(0, false, 0, client);
  EXPECT_EQ(zero.client.left, 3);
  EXPECT_EQ(zero.bar.right, 3);
  EXPECT_EQ(zero.chunk, 6);
  const TubeBar half = CalcTubeBar(0, false, 49, client);  // x = 101.5 -> 102
  EXPECT_EQ(half.bar.right, 99);                         // 102 - (99 % 8)
  EXPECT_EQ((half.bar.right - half.bar.left) % 8, 0);
  const TubeBar full = CalcTubeBar(1, false, 98, client);
  EXPECT_EQ(full.bar.right, 199);  // 200 - 197 % 2
  EXPECT_EQ(CalcTubeBar(1, false, -20, client).bar.right, 3);
  // Vertical: the top comes down to a whole number of steps above the bottom.
  const TubeBar up = CalcTubeBar(0, true, 49, {0, 0, 20, 100});
  EXPECT_EQ(up.bar.top, 52);  // y = 50, 50 - (-50 % 8) = 52
  EXPECT_EQ((up.bar.bottom - up.bar.top) % 8, 0);
  EXPECT_EQ(CentredText(200, 20, 31, 12), (IntRect{84, 4, 115, 16}));
}

TEST(MaskRegion, RunsOfPixelsThatAreNotTheMaskColour) {
  // 0x00RRGGBB pixels; the mask colour comes as RGB with red low.
  const uint32_t M = 0x00C0C0C0, R = 0x00FF0000, B = 0x000000FF;
  const uint32_t pixels[] = {
      M, R, R, M, B,  //
      M, M, M, M, M,  //
      R, R, R, R, R,  //
  };
  EXPECT_EQ(OpaqueRuns(pixels, 5, 3, 0xC0C0C0),
            (std::vector<IntRect>{{1, 0, 3, 1}, {4, 0, 5, 1}, {0, 2, 5, 3}}));
  // Blue and red are told apart: the DIB keeps blue in its low byte.
  EXPECT_EQ(OpaqueRuns(pixels, 5, 1, 0xFF0000), (std::vector<IntRect>{{0, 0, 4, 1}}));  // RGB blue masks B
  const uint32_t allMask[] = {M, M};
  EXPECT_TRUE(OpaqueRuns(allMask, 2, 1, 0xC0C0C0).empty());
  EXPECT_TRUE(OpaqueRuns(nullptr, 2, 1, 0).empty());
}
