// The main window: categories, paging and the selection, driven as a user would.
#include <algorithm>

#include "editor_fixture.h"
#include "support/mouse_input.h"

using namespace editor_tests;
using namespace editor;

namespace {

class EditorGrid : public EditorTest {};

TEST_F(EditorGrid, PagesOf49And50And60Files) {
  AddFaces(L"a49", 49);
  AddFaces(L"b50", 50);
  AddFaces(L"c60", 60);
  editor_.AddPicture(L"c60", L"not shown.bmp");
  ASSERT_TRUE(Start());
  EXPECT_EQ(editor_.Categories(), (std::vector<std::wstring>{L"a49", L"b50", L"c60"}));

  // The first category is shown: 49 cells drawn, the last one empty.
  EXPECT_EQ(editor_.PageLabel(), L"第1页/共1页");
  for (int i = 0; i < 49; ++i) EXPECT_EQ(editor_.CellTag(i), editor_.FacePath(L"a49", NumberedName(i))) << i;
  EXPECT_EQ(editor_.CellTag(49), L"");

  editor_.ClickCategory(L"b50");
  ASSERT_TRUE(WaitForTag(49, editor_.FacePath(L"b50", NumberedName(49))));
  EXPECT_EQ(editor_.PageLabel(), L"第1页/共1页");
  // A single page: the next-page button changes nothing.
  editor_.ClickControl(kIdNextPage);
  ASSERT_TRUE(editor_.Settle(0));
  EXPECT_EQ(editor_.CellTag(0), editor_.FacePath(L"b50", NumberedName(0)));
  EXPECT_EQ(editor_.PageLabel(), L"第1页/共1页");

  editor_.ClickCategory(L"c60");
  ASSERT_TRUE(WaitForLabel(L"第1页/共2页"));
  EXPECT_EQ(editor_.CellTag(0), editor_.FacePath(L"c60", NumberedName(0)));
  editor_.ClickControl(kIdNextPage);
  ASSERT_TRUE(WaitForLabel(L"第2页/共2页"));
  // Page 2 holds files 50 to 59 (the BMP file is not listed); the rest is empty.
  const std::vector<std::wstring> tags = editor_.CellTags();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(tags[i], editor_.FacePath(L"c60", NumberedName(50 + i))) << i;
  for (int i = 10; i < 50; ++i) EXPECT_EQ(tags[i], L"") << i;
  editor_.ClickControl(kIdNextPage);  // past the last page: nothing
  ASSERT_TRUE(editor_.Settle(0));
  EXPECT_EQ(editor_.PageLabel(), L"第2页/共2页");
  editor_.ClickControl(kIdPreviousPage);
  ASSERT_TRUE(WaitForLabel(L"第1页/共2页"));
  EXPECT_EQ(editor_.CellTag(49), editor_.FacePath(L"c60", NumberedName(49)));
}

TEST_F(EditorGrid, SelectAllAndNoneThenDeleteThreeOnPage2) {
  AddFaces(L"cat", 60);
  ASSERT_TRUE(Start());
  editor_.ClickControl(kIdNextPage);
  ASSERT_TRUE(WaitForLabel(L"第2页/共2页"));

  // An empty cell toggles too; "全选" selects the cells showing a file and
  // leaves the others as they are; "全否" clears everything.
  editor_.ClickCell(45);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(45); }));
  editor_.ClickControl(kIdSelectAll);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(9); }));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(editor_.CellSelected(i), i < 10 || i == 45) << i;
  editor_.ClickControl(kIdSelectNone);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return !editor_.CellSelected(45); }));
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(editor_.CellSelected(i)) << i;

  for (int i : {1, 3, 5}) editor_.ClickCell(i);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(5); }));

  // Answering No changes nothing.
  editor_.Answer(L"no");
  ExpectBox(ClickForPrompt(kIdDeleteFaces), kConfirmDeleteFaces, foundation::kBoxQuestion);
  ASSERT_TRUE(editor_.Settle(0));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cat")).size(), 60u);
  EXPECT_TRUE(editor_.CellSelected(3));

  editor_.Answer(L"yes");
  ExpectBox(ClickForPrompt(kIdDeleteFaces), kConfirmDeleteFaces, foundation::kBoxQuestion);
  // Page 1 of what is left comes back, nothing selected.
  ASSERT_TRUE(WaitForLabel(L"第1页/共2页"));
  std::vector<std::wstring> expected;
  for (int i = 0; i < 60; ++i) {
    if (i != 51 && i != 53 && i != 55) expected.push_back(NumberedName(i));
  }
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cat")), expected);
  EXPECT_EQ(editor_.CellTag(0), editor_.FacePath(L"cat", NumberedName(0)));
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(editor_.CellSelected(i)) << i;

  // Nothing selected: a hint and no question.
  ExpectBox(ClickForPrompt(kIdDeleteFaces), kSelectFacesToDelete, foundation::kBoxInfo);
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cat")).size(), 57u);
}

// Clicks from the system's input queue, where a second press soon after the
// first one makes a double click.
TEST_F(EditorGrid, ADoubleClickSelectsTheCellAndTwoClicksASecondApartDoNot) {
  AddFaces(L"cat", 3);
  ASSERT_TRUE(Start());
  HWND cell = editor_.Control(kIdFirstCell + 1);
  ASSERT_TRUE(cell);
  ::SetForegroundWindow(::GetAncestor(cell, GA_ROOT));
  const POINT middle = testing_support::ScreenPointOf(cell, 20, 20);

  testing_support::DoubleClickAt(middle);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(1); }));
  // The other press, had it toggled as well, is handled by now.
  ASSERT_TRUE(editor_.Settle(0));
  EXPECT_TRUE(editor_.CellSelected(1));

  // Far enough apart, two clicks are two clicks: the cell is as it was.
  HWND other = editor_.Control(kIdFirstCell + 2);
  const POINT otherMiddle = testing_support::ScreenPointOf(other, 20, 20);
  testing_support::ClickAt(otherMiddle);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(2); }));
  ::Sleep(std::max<DWORD>(1000, ::GetDoubleClickTime() + 500));
  testing_support::ClickAt(otherMiddle);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return !editor_.CellSelected(2); }));
  ASSERT_TRUE(editor_.Settle(0));
  EXPECT_FALSE(editor_.CellSelected(2));
  EXPECT_TRUE(editor_.CellSelected(1));
  testing_support::ParkPointer();
}

TEST_F(EditorGrid, ManyCategoriesScrollTheStrip) {
  for (int i = 0; i < 12; ++i) editor_.AddCategory(L"k" + std::to_wstring(10 + i));
  ASSERT_TRUE(Start());
  EXPECT_EQ(editor_.Categories().size(), 12u);
  HWND bar = editor_.Control(kIdStripScroll);
  HWND strip = editor_.Control(kIdStrip);
  EXPECT_TRUE(::IsWindowEnabled(bar));
  RECT before{};
  ::GetWindowRect(strip, &before);
  // A press on the lower track (the pointer moved there first) pages the strip up.
  RECT track{};
  ::GetClientRect(bar, &track);
  const LPARAM at = MAKELPARAM(track.right / 2, track.bottom - 30);
  ::PostMessageW(bar, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(bar, WM_LBUTTONUP, 0, at);
  RECT after{};
  ASSERT_TRUE(EditorProcess::WaitFor([&] {
    ::GetWindowRect(strip, &after);
    return after.top < before.top;
  }));
  EXPECT_GE(after.top, before.top - (4140 - 3600) / 15);
}

TEST_F(EditorGrid, FramesShowTheWindowColourAroundStripAndGrid) {
  AddFaces(L"a", 1);
  AddFaces(L"b", 1);
  ASSERT_TRUE(Start());
  ASSERT_EQ(editor_.Categories().size(), 2u);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  // The title bar's text colour differs here, so a frame painted in it shows.
  ASSERT_NE(window, ::GetSysColor(COLOR_CAPTIONTEXT));
  RECT box{}, first{}, last{}, grid{}, cells{};
  ::GetWindowRect(editor_.Control(kIdStripBox), &box);
  ::GetWindowRect(editor_.Control(kIdFirstCategory), &first);
  ::GetWindowRect(editor_.Control(kIdFirstCategory + 1), &last);
  ::GetWindowRect(editor_.Control(kIdGridBox), &grid);
  ::GetWindowRect(editor_.Control(kIdGrid), &cells);
  // Inside the strip's border: below the last button, and the gap between the buttons.
  const RECT below{box.left + 1, last.bottom, box.right - 1, box.bottom - 1};
  const RECT gap{first.left, first.bottom, first.right, last.top};
  // Between the grid's border and its cells.
  const RECT ring{grid.left + 1, grid.top + 1, grid.right - 1, cells.top};
  ASSERT_GT(below.bottom - below.top, 100);
  ASSERT_GT(gap.bottom - gap.top, 0);
  ASSERT_GT(ring.bottom - ring.top, 0);
  int others[3] = {};
  EXPECT_TRUE(EditorProcess::WaitFor([&] {
    int i = 0;
    for (const RECT& area : {below, gap, ring}) others[i++] = ScreenPixelsOtherThan(area, window);
    return others[0] + others[1] + others[2] == 0;
  })) << "below the buttons " << others[0] << ", between them " << others[1] << ", around the cells " << others[2];
}

}  // namespace
