// The main grid shows each picture exactly as the fit-and-draw routine draws
// it from its file: the cells on screen at once, the others soon after, and
// at the next start from the cells kept in Thumbs.mdb without decoding.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/core/fitted_cell.h"
#include "foundation/gdiplus_image.h"
#include "foundation/picture_fitting.h"
#include "picture_files.h"
#include "support/combo_input.h"
#include "support/keyboard_input.h"
#include "support/mouse_input.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace testing_support;
using pictures_test::PictureFormat;
using pictures_test::Surface;

namespace {

constexpr int kPictures = 23;  // five rows, the last one short
constexpr COLORREF kWhite = RGB(255, 255, 255);

using Cells = std::vector<std::unique_ptr<Surface>>;

// The cell of picture k on the screen: cells are 43 pixels, 44 apart, the first at (1, 1) of the grid.
POINT CellCorner(HWND grid, int k) {
  RECT g;
  ::GetWindowRect(grid, &g);
  return POINT{g.left + 1 + 44 * (k % 5), g.top + 1 + 44 * (k / 5)};
}

// Compares every cell wholly inside the grid's viewport with its expected
// pixels; shown counts them.
int CellsOnScreenThatDiffer(HWND grid, const Cells& expected, int& shown) {
  RECT view;
  ::GetWindowRect(::GetParent(grid), &view);
  Surface screen(view.right - view.left, view.bottom - view.top, RGB(0, 0, 0));
  screen.CopyFromScreen(view.left, view.top);
  int differ = 0;
  shown = 0;
  for (size_t k = 0; k < expected.size(); ++k) {
    const POINT at = CellCorner(grid, static_cast<int>(k));
    if (at.x < view.left || at.y < view.top || at.x + 43 > view.right || at.y + 43 > view.bottom) continue;
    ++shown;
    bool same = true;
    for (int y = 0; y < 43 && same; ++y)
      for (int x = 0; x < 43 && same; ++x)
        same = screen.At(at.x - view.left + x, at.y - view.top + y) == expected[k]->At(x, y);
    differ += same ? 0 : 1;
  }
  return differ;
}

// The kept cells in the panel's Thumbs.mdb, by path.
std::vector<std::pair<std::wstring, std::vector<uint8_t>>> KeptCells(const std::wstring& database) {
  std::vector<std::pair<std::wstring, std::vector<uint8_t>>> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(foundation::ToUtf8(database).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_busy_timeout(db, 1000);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT Path, Cell FROM tblFittedCell", -1, &st, nullptr);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
      const auto* b = static_cast<const uint8_t*>(sqlite3_column_blob(st, 1));
      rows.emplace_back(foundation::FromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                        std::vector<uint8_t>(b, b + sqlite3_column_bytes(st, 1)));
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return rows;
}

// Overwrites a file with bytes no decoder takes, keeping its size and times.
void SpoilKeepingStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ASSERT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before));
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  std::vector<char> junk(before.nFileSizeLow, 'x');
  DWORD written = 0;
  ::WriteFile(f, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
  ::SetFileTime(f, &before.ftCreationTime, nullptr, &before.ftLastWriteTime);
  ::CloseHandle(f);
}

// Picture k of the grid tests: sizes below, at and above the 33-pixel box,
// upright and wide, in each format; PNGs half transparent. Its cell as the
// fit-and-draw routine draws it joins expected.
bool AddPicture(const std::wstring& folder, int k, std::vector<std::wstring>& files, Cells& expected) {
  static const PictureFormat formats[] = {PictureFormat::kPng, PictureFormat::kJpeg, PictureFormat::kGif,
                                          PictureFormat::kBmp};
  static const wchar_t* extensions[] = {L".png", L".jpg", L".gif", L".bmp"};
  foundation::GdiPlusSession gdiplus;
  const int w = 16 + (k * 23) % 90, h = 12 + (k * 37) % 80;
  const uint32_t argb = 0xFF000000u | ((k * 0x3B) & 0xFF) << 16 | ((k * 0x71) & 0xFF) << 8 | ((k * 0x95) & 0xFF);
  wchar_t name[32];
  swprintf(name, 32, L"%02d%ls", k, extensions[k % 4]);
  files.push_back(folder + name);
  if (!pictures_test::MakePictureFile(files.back(), formats[k % 4], w, h, argb, k % 4 == 0)) return false;
  expected.push_back(std::make_unique<Surface>(43, 43, kWhite));
  int32_t cw = 43, ch = 43;
  foundation::DrawImageFit(expected.back()->dc(), files.back(), cw, ch);
  return true;
}

// The panel docked beside a chat window, which is kept in front (another
// program's new window may take the foreground meanwhile).
class DockedPanel {
 public:
  explicit DockedPanel(PanelProcess& panel) : panel_(panel) {}
  void Start() {
    ASSERT_TRUE(qq_.Start(L"QQ.exe", {L"--x", L"100", L"--y", L"50", L"--height", L"330"}));
    Restart();
  }
  void Restart() {
    ASSERT_TRUE(panel_.Start());
    ASSERT_TRUE(BringToFront(qq_.hwnd()));
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(); }));
  }
  bool Docked() {
    if (::GetForegroundWindow() != qq_.hwnd()) ::SetForegroundWindow(qq_.hwnd());
    return panel_.WindowRect().left == 600;
  }
  // Waits until every cell of the main grid in view on the screen shows its
  // expected picture, the panel docked; shown counts those cells.
  ::testing::AssertionResult ShowsCells(const Cells& expected, int& shown) {
    HWND grid = panel_.Grids().front();
    int differ = -1;
    if (PanelProcess::WaitFor([&] { return Docked() && (differ = CellsOnScreenThatDiffer(grid, expected, shown)) == 0; }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differ << " of " << shown << " cells on screen differ";
  }

 private:
  PanelProcess& panel_;
  QqDoubleProcess qq_;  // a short chat window: only the first rows of the grid are in view
};

int Selection(HWND combo) { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

// Opens a list of two entries, moves its selection to the other one with an
// arrow key, and closes it without a pick: with Escape, or with a click
// elsewhere. Waits until it has closed.
::testing::AssertionResult MoveThroughTheOpenListAndLeave(const PanelProcess& panel, HWND combo,
                                                          const POINT* elsewhere) {
  const int before = Selection(combo);
  if (!OpenList(panel.pid(), combo)) return ::testing::AssertionFailure() << "the list did not open";
  TapKey(before == 0 ? VK_DOWN : VK_UP);
  if (!PanelProcess::WaitFor([&] { return Selection(combo) == 1 - before; }))
    return ::testing::AssertionFailure() << "the arrow key did not move through the open list";
  if (elsewhere) {
    ClickAt(*elsewhere);
  } else {
    TapKey(VK_ESCAPE);
  }
  if (!PanelProcess::WaitFor([&] { return DroppedList(panel.pid()) == nullptr; }))
    return ::testing::AssertionFailure() << "the list stayed open";
  return ::testing::AssertionSuccess();
}

// A point of a grid's viewport near its bottom: below the cells of a short
// category in the main grid, on blank cells in the management grid.
POINT LowInTheViewport(HWND grid) {
  RECT view{};
  ::GetWindowRect(::GetParent(grid), &view);
  return POINT{(view.left + view.right) / 2, view.bottom - 8};
}

// How many cells of the grid's first row show a picture on the screen: the
// middle of a cell with a thumbnail holds its picture's colour, unlike the
// cell's corner.
int PictureCellsInTheFirstRow(HWND grid) {
  int pictures = 0;
  HDC screen = ::GetDC(nullptr);
  for (int k = 0; k < 5; ++k) {
    const POINT at = CellCorner(grid, k);
    pictures += ::GetPixel(screen, at.x + 21, at.y + 21) != ::GetPixel(screen, at.x + 2, at.y + 2);
  }
  ::ReleaseDC(nullptr, screen);
  return pictures;
}

}  // namespace

TEST(PanelGrid, CellsShowTheirPicturesAsDrawnFromTheFiles) {
  // The screen is read: no hover preview may cover a cell.
  ParkPointer();
  PanelProcess panel;
  panel.AddCategory(L"默认表情");
  std::vector<std::wstring> files;
  Cells expected;
  for (int k = 0; k < kPictures; ++k) ASSERT_TRUE(AddPicture(panel.folder() + L"Face\\默认表情\\", k, files, expected));
  DockedPanel docked(panel);
  docked.Start();
  int shown = 0;
  EXPECT_TRUE(docked.ShowsCells(expected, shown));
  EXPECT_GE(shown, 5);
  EXPECT_LT(shown, kPictures);

  // The cells out of view are drawn soon after: each kept cell is the picture drawn from its file.
  const std::wstring database = panel.folder() + L"Thumbs.mdb";
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return KeptCells(database).size() == kPictures; }, 15000))
      << KeptCells(database).size();
  for (const auto& [path, blob] : KeptCells(database)) {
    const auto k = static_cast<size_t>(std::find(files.begin(), files.end(), path) - files.begin());
    ASSERT_LT(k, files.size()) << foundation::ToUtf8(path);
    const std::optional<foundation::FittedCell> cell = foundation::DecodeFittedCell(blob);
    ASSERT_TRUE(cell) << foundation::ToUtf8(path);
    int wrong = 0;
    for (int y = 0; y < 43; ++y)
      for (int x = 0; x < 43; ++x) {
        const uint32_t v = cell->At(x, y);
        wrong += RGB(v >> 16, (v >> 8) & 0xFF, v & 0xFF) != expected[k]->At(x, y);
      }
    EXPECT_EQ(wrong, 0) << foundation::ToUtf8(path);
  }

  // The next start draws the same cells from what was kept: the files now
  // hold nothing a decoder takes, with their sizes and times as they were.
  panel.Close();
  for (const std::wstring& path : files) SpoilKeepingStamp(path);
  docked.Restart();
  EXPECT_TRUE(docked.ShowsCells(expected, shown)) << "after the restart";
}

// A user who put a picture into the shown category's folder with Explorer
// picks that category again in the list to see it.
TEST(PanelGrid, TheShownCategoryPickedAgainShowsWhatWasPutIntoItsFolder) {
  ParkPointer();
  PanelProcess panel;
  panel.AddCategory(L"默认表情");
  const std::wstring folder = panel.folder() + L"Face\\默认表情\\";
  std::vector<std::wstring> files;
  Cells expected;
  for (int k = 0; k < 2; ++k) ASSERT_TRUE(AddPicture(folder, k, files, expected));
  DockedPanel docked(panel);
  docked.Start();
  int shown = 0;
  ASSERT_TRUE(docked.ShowsCells(expected, shown));

  ASSERT_TRUE(AddPicture(folder, 2, files, expected));
  HWND combo = panel.Combo(1001);
  ASSERT_EQ(Selection(combo), 0);
  HWND list = OpenList(panel.pid(), combo);
  ASSERT_NE(list, nullptr);
  RECT box{};
  ::GetWindowRect(combo, &box);
  ClickListEntry(list, 0);
  // The list closes over the grid, leaving the pointer on a cell, whose hover
  // preview covers others: the pointer moves off the grid to the list's label.
  HWND preview = ::GetParent(panel.Child(L"ucAniGIF"));
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(PointAt(POINT{box.left - 20, (box.top + box.bottom) / 2},
                      [&] { return DroppedList(panel.pid()) == nullptr && !::IsWindowVisible(preview); }));
  ParkPointer();
  EXPECT_TRUE(docked.ShowsCells(expected, shown));
  EXPECT_EQ(shown, 3);
}

// A list closed without a pick, after an arrow key moved through it (Escape,
// or a click elsewhere, which also takes the focus from the list): the grid
// under it then shows the category the list shows, whether the list kept the
// moved selection or put the old one back. The same for the management list.
TEST(PanelGrid, AListClosedWithoutAPickLeavesTheGridShowingTheCategoryTheListShows) {
  ParkPointer();
  PanelProcess panel;
  // One picture in the first category, three in the second: the management
  // grid's count of pictures tells them apart. None is transparent.
  const wchar_t* names[2] = {L"默认表情", L"猫咪"};
  const std::vector<int> pictures[2] = {{1}, {2, 3, 5}};
  Cells cells[2];
  std::vector<std::wstring> files;
  for (int c = 0; c < 2; ++c) {
    panel.AddCategory(names[c]);
    for (int k : pictures[c]) ASSERT_TRUE(AddPicture(panel.folder() + L"Face\\" + names[c] + L"\\", k, files, cells[c]));
  }
  DockedPanel docked(panel);
  docked.Start();
  int shown = 0;
  ASSERT_TRUE(docked.ShowsCells(cells[0], shown));
  HWND combo = panel.Combo(1001), grid = panel.Grids().front();
  ASSERT_NE(combo, nullptr);

  ASSERT_TRUE(MoveThroughTheOpenListAndLeave(panel, combo, nullptr)) << "Escape";
  int selection = Selection(combo);
  ASSERT_TRUE(selection == 0 || selection == 1);
  EXPECT_TRUE(docked.ShowsCells(cells[selection], shown)) << "Escape, the list showing " << selection;
  EXPECT_EQ(shown, static_cast<int>(pictures[selection].size()));

  const POINT belowTheCells = LowInTheViewport(grid);
  ASSERT_TRUE(MoveThroughTheOpenListAndLeave(panel, combo, &belowTheCells)) << "a click elsewhere";
  ParkPointer();
  selection = Selection(combo);
  ASSERT_TRUE(selection == 0 || selection == 1);
  EXPECT_TRUE(docked.ShowsCells(cells[selection], shown)) << "a click elsewhere, the list showing " << selection;

  // No tab shows the management page (its tab starts the editor): it is put
  // up the way a tab puts up its page.
  HWND management = panel.Combo(1003);
  ASSERT_NE(management, nullptr);
  const std::vector<HWND> grids = panel.Grids();
  ASSERT_EQ(grids.size(), 2u);
  ::ShowWindow(::GetParent(combo), SW_HIDE);
  ::ShowWindow(::GetParent(management), SW_SHOWNA);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return ::IsWindowVisible(management) != FALSE; }));
  auto managementShows = [&](int category) {
    return PanelProcess::WaitFor([&] {
      return docked.Docked() && PictureCellsInTheFirstRow(grids[1]) == static_cast<int>(pictures[category].size());
    });
  };
  ASSERT_TRUE(managementShows(Selection(management)));

  ASSERT_TRUE(MoveThroughTheOpenListAndLeave(panel, management, nullptr)) << "Escape";
  selection = Selection(management);
  EXPECT_TRUE(managementShows(selection)) << "Escape, the management list showing " << selection;

  const POINT onBlankCells = LowInTheViewport(grids[1]);
  ASSERT_TRUE(MoveThroughTheOpenListAndLeave(panel, management, &onBlankCells)) << "a click elsewhere";
  ParkPointer();
  selection = Selection(management);
  EXPECT_TRUE(managementShows(selection)) << "a click elsewhere, the management list showing " << selection;
}
