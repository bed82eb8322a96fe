// The editor's UI-free arithmetic and naming rules.
#include <gtest/gtest.h>

#include "editor/core/editor_geometry.h"
#include "editor/core/pack_paths.h"
#include "editor/core/page_text.h"
#include "editor/core/picture_names.h"

using namespace editor;

TEST(EditorGeometry, CellsSitOnA44PixelPitch) {
  EXPECT_EQ(CellOrigin(0).x, 1);
  EXPECT_EQ(CellOrigin(0).y, 1);
  for (int i = 0; i < kCellCount; ++i) {
    EXPECT_EQ(CellOrigin(i).x, 1 + 44 * (i % 10)) << i;
    EXPECT_EQ(CellOrigin(i).y, 1 + 44 * (i / 10)) << i;
    // Every cell lies inside the grid's panel.
    EXPECT_LE(CellOrigin(i).x + kCellPixels, kGridWidthPixels) << i;
    EXPECT_LE(CellOrigin(i).y + kCellPixels, kGridHeightPixels) << i;
  }
  EXPECT_EQ(CellOrigin(-1).x, 0);
  EXPECT_EQ(CellOrigin(50).y, 0);
}

TEST(EditorGeometry, StripAndItsScrollBar) {
  EXPECT_EQ(StripButtonTop(0), 0);
  EXPECT_EQ(StripButtonTop(3), 3 * 345);
  EXPECT_EQ(StripHeight(1), 345);
  EXPECT_EQ(StripHeight(0), 345);  // the first button is always there
  EXPECT_EQ(StripHeight(12), 11 * 345 + 345);
  // Ten buttons fit the 3600-twip viewport; twelve need the bar, whose Max is
  // the strip's height less the viewport's.
  EXPECT_FALSE(ComputeStripScroll(StripHeight(10), kStripViewportHeightTwips).enabled);
  const StripScroll twelve = ComputeStripScroll(StripHeight(12), kStripViewportHeightTwips);
  EXPECT_TRUE(twelve.enabled);
  EXPECT_EQ(twelve.max, 4140 - 3600);
  // Equal heights: enabled with nothing to scroll.
  const StripScroll equal = ComputeStripScroll(3600, 3600);
  EXPECT_TRUE(equal.enabled);
  EXPECT_EQ(equal.max, 0);
}

TEST(EditorPages, CountsLabelsAndSpans) {
  EXPECT_EQ(PageCount(0), 0);
  EXPECT_EQ(PageCount(1), 1);
  EXPECT_EQ(PageCount(50), 1);
  EXPECT_EQ(PageCount(51), 2);
  EXPECT_EQ(PageCount(100), 2);
  EXPECT_EQ(PageCount(101), 3);

  EXPECT_EQ(PageLabel(1, 0), L"第1页/共1页");
  EXPECT_EQ(PageLabel(1, 49), L"第1页/共1页");
  EXPECT_EQ(PageLabel(1, 50), L"第1页/共1页");
  EXPECT_EQ(PageLabel(1, 60), L"第1页/共2页");
  EXPECT_EQ(PageLabel(2, 60), L"第2页/共2页");
  EXPECT_EQ(PageLabel(3, 101), L"第3页/共3页");

  EXPECT_EQ(PageFiles(1, 60).first, 0);
  EXPECT_EQ(PageFiles(1, 60).end, 50);
  EXPECT_EQ(PageFiles(2, 60).first, 50);
  EXPECT_EQ(PageFiles(2, 60).end, 60);
  EXPECT_EQ(PageFiles(2, 100).end, 100);
  // Past the last file, and nonsense pages, show nothing.
  for (int page : {3, 0, -1}) {
    const PageSpan s = PageFiles(page, 60);
    EXPECT_EQ(s.end - s.first, 0) << page;
  }
}

TEST(EditorPackPaths, HelpersOfTheImport) {
  EXPECT_EQ(AddBackslash(L""), L"\\");
  EXPECT_EQ(AddBackslash(L"C:\\Temp"), L"C:\\Temp\\");
  EXPECT_EQ(AddBackslash(L"C:\\Temp\\"), L"C:\\Temp\\");

  EXPECT_EQ(LastPathPart(L"C:\\Temp\\Face\\cute"), L"cute");
  EXPECT_EQ(LastPathPart(L"C:\\Temp\\Face\\cute\\"), L"cute");
  EXPECT_EQ(LastPathPart(L"C:\\Temp\\Face\\cute\\\\"), L"cute");
  EXPECT_EQ(LastPathPart(L"\\only"), L"only");
  EXPECT_EQ(LastPathPart(L"noslash"), L"");
  EXPECT_EQ(LastPathPart(L"\\"), L"");

  EXPECT_EQ(PackNameFromArchive(L"cute.rar"), L"cute");
  EXPECT_EQ(PackNameFromArchive(L"表情包.RAR"), L"表情包");
  EXPECT_EQ(PackNameFromArchive(L".rar"), L"");

  EXPECT_EQ(ChoosePackFolder({}), L"");
  EXPECT_EQ(ChoosePackFolder({L"root"}), L"root");
  EXPECT_EQ(ChoosePackFolder({L"root", L"root\\a", L"root\\b"}), L"root\\a");
}

TEST(EditorPictureNames, ExtensionsByTheTextAfterTheLastDot) {
  for (const wchar_t* name : {L"a.GIF", L"b.Jpg", L"c.bmp", L"x.y.gif", L".gif"})
    EXPECT_TRUE(HasExtension(name, kImportExtensions)) << name;
  for (const wchar_t* name : {L"c.png", L"d.txt", L"e.if", L"gif", L"f.gif.txt", L"g.jpeg", L"h.gif ", L"i."})
    EXPECT_FALSE(HasExtension(name, kImportExtensions)) << name;
  // The grid shows GIF and JPEG only.
  EXPECT_TRUE(HasExtension(L"a.gif", kGridExtensions));
  EXPECT_FALSE(HasExtension(L"c.bmp", kGridExtensions));
}
