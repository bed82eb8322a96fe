#include <gtest/gtest.h>

#include "panel/core/panel_layout.h"

using namespace panel;

TEST(PanelLayout, ExampleSize257x533) {
  const PanelLayout l = ComputePanelLayout(257, 533);
  EXPECT_EQ(l.exitLeft, 221);
  EXPECT_EQ(l.typeLeft, 189);
  for (const PageLayout& p : l.pages) {
    EXPECT_EQ(p.page.x, 8);
    EXPECT_EQ(p.page.y, 55);
    EXPECT_EQ(p.page.w, 242);
    EXPECT_EQ(p.page.h, 469);
    EXPECT_EQ(p.frame.w, 242);
    EXPECT_EQ(p.frame.h, 414);
    EXPECT_EQ(p.statusStrip.y, 443);
    EXPECT_EQ(p.listWidth, 173);
    EXPECT_EQ(p.viewportTwips, 6150);
    EXPECT_EQ(p.scrollTwips, 6180);
  }
  const auto skin = SkinPieces(257, 533);
  EXPECT_EQ(skin[2].dest.x, 192);  // top right
  EXPECT_EQ(skin[1].dest.w, 124);  // stretched bands
  EXPECT_EQ(skin[6].dest.y, 457);  // bottom pieces
  EXPECT_EQ(skin[3].source.h, 2);  // side bands from a strip two rows high
  EXPECT_EQ(skin[3].dest.h, 533 - 122);
  EXPECT_EQ(skin[8].source.x, 116);
  EXPECT_EQ(skin[8].source.w, 65);
  EXPECT_EQ(skin[8].source.h, 76);
}

TEST(PanelLayout, TinyWindowNeverGetsNegativeSizes) {
  const PanelLayout l = ComputePanelLayout(10, 40);
  for (const PageLayout& p : l.pages) {
    EXPECT_GE(p.page.w, 0);
    EXPECT_GE(p.page.h, 0);
    EXPECT_GE(p.frame.h, 0);
    EXPECT_GE(p.listWidth, 0);
    EXPECT_GE(p.viewportTwips, 0);
    EXPECT_GE(p.scrollTwips, 0);
  }
}
