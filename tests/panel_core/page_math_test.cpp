#include <gtest/gtest.h>

#include "panel/core/page_math.h"

using namespace panel;

TEST(PageMath, PagesRoundUpSoEveryItemIsReachable) {
  struct Case {
    int items, pages;
  } faces[] = {{0, 0}, {1, 1}, {20, 1}, {49, 1}, {50, 1}, {51, 2}, {100, 2}, {120, 3}, {125, 3}};
  for (const Case& c : faces) EXPECT_EQ(PageCount(c.items, kFacesPerPage), c.pages) << c.items;
  EXPECT_EQ(PageCount(10, kSymbolsPerPage), 1);
  EXPECT_EQ(PageCount(85, kSymbolsPerPage), 3);
  EXPECT_EQ(PageCount(-5, kSymbolsPerPage), 0);
}

TEST(PageMath, TwipsToPixelsRoundsHalvesToEven) {
  EXPECT_EQ(TwipsToPixels(10), 1);
  EXPECT_EQ(TwipsToPixels(380), 25);
  EXPECT_EQ(TwipsToPixels(1330), 89);
  EXPECT_EQ(TwipsToPixels(2045), 136);
  EXPECT_EQ(TwipsToPixels(7215), 481);
  EXPECT_EQ(TwipsToPixels(22), 1);   // 1.47
  EXPECT_EQ(TwipsToPixels(37), 2);   // 2.47
  EXPECT_EQ(TwipsToPixels(-30), -2);
}

TEST(PageMath, MainGridOfSevenEmoticons) {
  const MainGridLayout g = LayoutMainGrid(7);
  ASSERT_EQ(g.cells.size(), 10u);  // 7 emoticons, 1 blank, 2 blanks completing the row
  const int cols[] = {10, 670, 1330, 1990, 2650};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(g.cells[i].left, cols[i]);
    EXPECT_EQ(g.cells[i].top, 10);
    EXPECT_EQ(g.cells[i + 5].left, cols[i]);
    EXPECT_EQ(g.cells[i + 5].top, 670);
  }
  EXPECT_NEAR(g.containerHeightPixels, (645.0 + 670 + 15) / 15, 1e-9);
}

TEST(PageMath, MainGridBlankCellsAndRows) {
  // 10 emoticons: two full rows and a blank cell starting a third row, below the visible height.
  MainGridLayout g = LayoutMainGrid(10);
  ASSERT_EQ(g.cells.size(), 11u);
  EXPECT_EQ(g.cells[10].left, 10);
  EXPECT_EQ(g.cells[10].top, 1330);
  EXPECT_NEAR(g.containerHeightPixels, (645.0 + 670 + 15) / 15, 1e-9);
  EXPECT_LE(g.containerHeightPixels * 15, g.cells[10].top);  // starts where the visible content ends

  g = LayoutMainGrid(1);
  ASSERT_EQ(g.cells.size(), 5u);
  EXPECT_EQ(g.cells[4].left, 2650);
  EXPECT_EQ(g.cells[4].top, 10);

  g = LayoutMainGrid(4);  // the blank fifth cell completes the row
  EXPECT_EQ(g.cells.size(), 5u);
  g = LayoutMainGrid(120);
  EXPECT_EQ(g.cells.size(), 121u);
  EXPECT_EQ(g.cells[119].top, 10 + 23 * 660);
}

TEST(PageMath, ScrollState) {
  // Content exactly as tall as the viewport (frame 414: viewport 410 px = 6150 twips).
  ScrollState s = ComputeScrollState(410, 6150, 414);
  EXPECT_FALSE(s.enabled);
  EXPECT_EQ(s.max, 0);
  s = ComputeScrollState(510, 6150, 414);
  EXPECT_TRUE(s.enabled);
  EXPECT_EQ(s.max, 100);
  s = ComputeScrollState(88.67, 6150, 414);
  EXPECT_FALSE(s.enabled);
  EXPECT_LT(s.max, 0);
}
