// The text-symbol page: its pages and label, a click that pastes a symbol's
// text into the chat (a right click also presses the send button), blank
// cells that send nothing, and long symbols cut for their cell.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/drawing.h"
#include "panel/core/page_math.h"
#include "panel/core/symbol_pages.h"
#include "picture_files.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace testing_support;

namespace {

constexpr int kIdCombo1 = 1001, kIdCombo2 = 1002;
constexpr int kIdPrevious = 1101, kIdNext = 1104, kIdLabel = 1305, kIdSymbolGrid = 1401;

class PanelSymbols : public ::testing::Test {
 protected:
  void SetUp() override {
    // 85 symbols in the first category, the seventh one 13 characters long;
    // 60 in the second; none in the third.
    ASSERT_TRUE(panel_.EditDatabase(
        "DELETE FROM FHList;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 85) "
        "INSERT INTO FHList SELECT '1', 'S' || i, 'd' || i FROM n;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60) "
        "INSERT INTO FHList SELECT '2', 'A' || i, '' FROM n;"
        "UPDATE FHList SET text = 'ABCDEFGHIJKLM' WHERE text = 'S7';"));
    // The pointer stays off the windows, so that only the test's own messages move it.
    ::SetCursorPos(5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
    ASSERT_TRUE(qq_.Start(L"QQ.exe", {L"--x", L"100", L"--y", L"50"}));
    ASSERT_TRUE(panel_.Start());
    ASSERT_TRUE(BringToFront(qq_.hwnd()));
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel_.WindowRect().left == 600; }));
    grid_ = panel_.Child(L"TarnwickSymbolGrid", kIdSymbolGrid);
    label_ = panel_.Child(L"Static", kIdLabel);
    ASSERT_NE(grid_, nullptr);
    ASSERT_NE(label_, nullptr);
  }

  static RECT CellRect(int k) {
    const panel::SymbolCellPlace p = panel::SymbolCellTwips(k);
    const int x = panel::TwipsToPixels(p.left), y = panel::TwipsToPixels(p.top);
    return RECT{x, y, x + panel::TwipsToPixels(panel::kSymbolCellWidthTwips),
                y + panel::TwipsToPixels(panel::kSymbolCellHeightTwips)};
  }
  // The presses, clicks and choices below return once the panel has handled them.
  void PressCell(int k, bool right = false) {
    const RECT r = CellRect(k);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageW(grid_, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  }
  void ClickButton(int id) {
    HWND button = panel_.Child(L"ControlsCommand", id);
    ASSERT_NE(button, nullptr) << id;
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  // Chooses a category in the list as the user's pick would.
  void ChooseCategory(int index) {
    HWND combo = panel_.Combo(kIdCombo2);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(kIdCombo2, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
  }
  std::wstring Label() const {
    wchar_t buf[64] = {};
    ::GetWindowTextW(label_, buf, 64);
    return buf;
  }
  bool LabelReads(const std::wstring& text) {
    return PanelProcess::WaitFor([&] { return Label() == text; });
  }
  std::vector<std::string> Lines(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : qq_.LogLines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }

  QqDoubleProcess qq_;
  PanelProcess panel_;
  HWND grid_ = nullptr, label_ = nullptr;
};

}  // namespace

TEST_F(PanelSymbols, PagesLabelsAndPastes) {
  // 85 symbols make three pages: the last five are reachable too.
  ASSERT_TRUE(LabelReads(L"第1页/共3页"));
  PressCell(0);
  ASSERT_TRUE(qq_.WaitForLine("paste text=S1"));

  ClickButton(kIdNext);
  ClickButton(kIdNext);
  ClickButton(kIdNext);  // already on the last page: stays
  ASSERT_TRUE(LabelReads(L"第3页/共3页"));
  PressCell(5);  // blank: symbol 86 does not exist
  PressCell(4);
  ASSERT_TRUE(qq_.WaitForLine("paste text=S85"));
  EXPECT_EQ(Lines("paste text=").size(), 2u);

  // A right click pastes and presses the send button, with no Enter keys after it.
  PressCell(0, true);
  ASSERT_TRUE(qq_.WaitForLine("click 发送(S)"));
  PressCell(1);
  ASSERT_TRUE(qq_.WaitForLine("paste text=S82"));
  const std::vector<std::string> pastes = Lines("paste text=");
  EXPECT_EQ(pastes, (std::vector<std::string>{"paste text=S1", "paste text=S85", "paste text=S81",
                                              "paste text=S82"}));
  EXPECT_TRUE(Lines("key down vk=0x0D").empty());

  ClickButton(kIdPrevious);
  ASSERT_TRUE(LabelReads(L"第2页/共3页"));

  // The second category: 60 symbols, page 2 holds 20 and 20 blank cells.
  ChooseCategory(1);
  ASSERT_TRUE(LabelReads(L"第1页/共2页"));
  ClickButton(kIdNext);
  ASSERT_TRUE(LabelReads(L"第2页/共2页"));
  PressCell(20);
  PressCell(19);
  ASSERT_TRUE(qq_.WaitForLine("paste text=A60"));
  EXPECT_EQ(Lines("paste text=").size(), 5u);

  // Back to the first category: reloaded on its first page, the next page follows.
  ChooseCategory(0);
  ASSERT_TRUE(LabelReads(L"第1页/共3页"));
  ClickButton(kIdNext);
  ASSERT_TRUE(LabelReads(L"第2页/共3页"));
  PressCell(0);
  ASSERT_TRUE(qq_.WaitForLine("paste text=S41"));

  // The third category has no symbols: blank cells, and the label as it was.
  ChooseCategory(2);
  EXPECT_EQ(Label(), L"第2页/共3页");
  PressCell(0);
  ChooseCategory(0);
  ASSERT_TRUE(LabelReads(L"第1页/共3页"));
  PressCell(1);
  ASSERT_TRUE(qq_.WaitForLine("paste text=S2"));
  EXPECT_EQ(Lines("paste text="),
            (std::vector<std::string>{"paste text=S1", "paste text=S85", "paste text=S81", "paste text=S82",
                                      "paste text=A60", "paste text=S41", "paste text=S2"}));
}

TEST_F(PanelSymbols, LongSymbolShowsNineCharactersAndDots) {
  ASSERT_TRUE(LabelReads(L"第1页/共3页"));
  // The symbol page in front of the emoticon page, as its tab shows it.
  ::ShowWindow(::GetParent(panel_.Combo(kIdCombo1)), SW_HIDE);
  ::ShowWindow(::GetParent(panel_.Combo(kIdCombo2)), SW_SHOWNA);

  // What a cell of that font shows, centred on white, drawn here.
  foundation::UniqueFont font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
  const RECT cell = CellRect(6);
  const int w = cell.right - cell.left, h = cell.bottom - cell.top;
  auto drawn = [&](const std::wstring& text) {
    auto s = std::make_unique<pictures_test::Surface>(w, h, RGB(0xFF, 0xFF, 0xFF));
    const SIZE size = controls::MeasureText(s->dc(), font.get(), text);
    controls::DrawTextAt(s->dc(), font.get(), text, (w - size.cx) / 2, (h - size.cy) / 2, RGB(0, 0, 0));
    return s;
  };
  const auto cut = drawn(L"ABCDEFGHI..."), whole = drawn(L"ABCDEFGHIJKLM");
  auto same = [&](const pictures_test::Surface& a, const pictures_test::Surface& b) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (a.At(x, y) != b.At(x, y)) return false;
    return true;
  };
  ASSERT_FALSE(same(*cut, *whole));

  POINT origin{cell.left, cell.top};
  ::ClientToScreen(grid_, &origin);
  pictures_test::Surface screen(w, h, RGB(0, 0, 0));
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return screen.CopyFromScreen(origin.x, origin.y) && same(screen, *cut); }))
      << "the cell does not show the cut symbol";

  // The paste carries the whole symbol.
  PressCell(6);
  EXPECT_TRUE(qq_.WaitForLine("paste text=ABCDEFGHIJKLM"));
}
