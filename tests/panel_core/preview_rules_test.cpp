#include <gtest/gtest.h>

#include "panel/core/preview_rules.h"

using namespace panel;

TEST(PreviewRules, WhichPicturesAnimate) {
  EXPECT_TRUE(IsAnimatedPicture(L"C:\\Face\\a.gif"));
  EXPECT_TRUE(IsAnimatedPicture(L"SMILE.GIF"));
  EXPECT_TRUE(IsAnimatedPicture(L"x.GiF"));
  for (const wchar_t* still : {L"a.jpg", L"a.bmp", L"a.png", L"gif", L"", L"a.gif.png", L"a.gifx"})
    EXPECT_FALSE(IsAnimatedPicture(still)) << still;
}

TEST(PreviewRules, EachCellLoadsOncePerEntry) {
  PreviewTracker t;
  PreviewStep s = t.Enter(0, L"a.gif");
  EXPECT_TRUE(s.showBox);
  EXPECT_EQ(s.load, PreviewLoad::kAnimated);
  EXPECT_EQ(t.Enter(0, L"a.gif").load, PreviewLoad::kNone);  // moving within the cell
  EXPECT_TRUE(t.Enter(0, L"a.gif").showBox);
  EXPECT_EQ(t.Enter(1, L"b.png").load, PreviewLoad::kStill);
  EXPECT_EQ(t.Enter(0, L"a.gif").load, PreviewLoad::kAnimated);  // entering again loads again

  // A blank cell hides the box, clears the still picture once.
  s = t.Enter(5, L"");
  EXPECT_FALSE(s.showBox);
  EXPECT_EQ(s.load, PreviewLoad::kStill);
  s = t.Enter(5, L"");
  EXPECT_FALSE(s.showBox);
  EXPECT_EQ(s.load, PreviewLoad::kNone);

  // After a rebuild the same index shows its new picture.
  t.Enter(2, L"c.bmp");
  t.Forget();
  EXPECT_EQ(t.Enter(2, L"other.gif").load, PreviewLoad::kAnimated);
}

TEST(PreviewRules, BoxJumpsBetweenItsSides) {
  // A 242-pixel frame and a box 87 pixels inside: the right side is 3630 - 1305 - 280 twips.
  EXPECT_EQ(RightPreviewLeft(242, 1305), 2045);
  EXPECT_EQ(JumpedPreviewLeft(30, 242, 1305), 2045);
  EXPECT_EQ(JumpedPreviewLeft(2045, 242, 1305), 30);
  EXPECT_EQ(JumpedPreviewLeft(500, 242, 1305), 500);  // anywhere else stays
}
