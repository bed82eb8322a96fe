// Colour-scheme tables and the layout arithmetic of button skins and boxes.
#include <gtest/gtest.h>

#include "controls/core/color_schemes.h"
#include "controls/core/layout.h"

using namespace controls;

TEST(ColorSchemes, SpotValuesOfEachScheme) {
  ColorSchemeTable t{};
  FillColorSchemeTable(0, t);
  EXPECT_EQ(t[0][0], 0xFFFFFFu);
  EXPECT_EQ(t[0][1], 0xF5CAB7u);
  EXPECT_EQ(t[1][13], 0xFFC9A6u);
  EXPECT_EQ(t[2][12], 0xF9B396u);
  EXPECT_EQ(t[2][15], 0xD2B59Fu);
  FillColorSchemeTable(1.0, t);
  EXPECT_EQ(t[0][1], 0x71A28Du);
  EXPECT_EQ(t[1][5], 0xA9D9CBu);
  EXPECT_EQ(t[2][13], 0x71A28Eu);
  EXPECT_EQ(t[0][15], 0x77938Bu);
  for (double scheme : {2.0, 3.0, -7.0}) {
    FillColorSchemeTable(scheme, t);
    EXPECT_EQ(t[0][0], 0xA29594u);
    EXPECT_EQ(t[1][0], 0x65665Bu);
    EXPECT_EQ(t[2][2], 0xD8C7C5u);  // pressed runs dark to light
    EXPECT_EQ(t[2][13], 0xFFFFFFu);
    EXPECT_EQ(t[2][15], 0x484843u);
  }
}

TEST(NineSlice, StretchesEdgesAndCentreAroundThreePixelCorners) {
  // 1455 x 375 twips.
  const auto pieces = NineSlicePieces(97, 25, 45, 20);
  ASSERT_EQ(pieces.size(), 9u);
  EXPECT_EQ(pieces[0].dest, (PixelRect{0, 0, 3, 3}));
  EXPECT_EQ(pieces[2].dest, (PixelRect{94, 22, 3, 3}));
  EXPECT_EQ(pieces[2].source, (PixelRect{42, 17, 3, 3}));  // 250 twips rounds to row 17
  EXPECT_EQ(pieces[7].source, (PixelRect{3, 17, 15, 3}));  // SH - 45: the same row
  EXPECT_EQ(pieces[4].dest, (PixelRect{3, 0, 91, 3}));     // 1365 twips
  EXPECT_EQ(pieces[5].dest, (PixelRect{94, 3, 3, 19}));    // 285 twips
  EXPECT_EQ(pieces[8].dest, (PixelRect{3, 3, 91, 19}));
  EXPECT_EQ(pieces[8].source, (PixelRect{3, 3, 12, 12}));
}

TEST(NineSlice, PiecesWithoutAreaAreSkipped) {
  const auto narrow = NineSlicePieces(4, 25, 45, 20);
  EXPECT_EQ(narrow.size(), 6u);  // no top, bottom or centre piece
  for (const auto& p : narrow) {
    EXPECT_GT(p.dest.width, 0);
    EXPECT_GT(p.dest.height, 0);
  }
  EXPECT_EQ(NineSlicePieces(6, 6, 45, 20).size(), 4u);
}

TEST(BoxLayout, LinesOnTheLastRowAndColumn) {
  const BoxLines t = BoxLineTwips(2415, 1215);
  EXPECT_EQ(t.bottom.y, 1205);
  EXPECT_EQ(t.right.x, 2405);
  EXPECT_EQ(t.left, (PixelRect{0, 0, 15, 1215}));
  const BoxLines p = BoxLinePixels(161, 81);
  EXPECT_EQ(p.bottom, (PixelRect{0, 80, 161, 1}));
  EXPECT_EQ(p.right, (PixelRect{160, 0, 1, 81}));
  EXPECT_EQ(p.top, (PixelRect{0, 0, 161, 1}));
}
