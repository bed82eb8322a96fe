// The panel's combo boxes sit on its tab pages and wear the flat frame there,
// as the screen shows it: grey-brown with a plain drop button at rest, blue
// with a lit button while the pointer is over them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <ostream>

#include "foundation/flat_control.h"
#include "picture_files.h"
#include "support/mouse_input.h"
#include "support/panel_process.h"

using namespace testing_support;

namespace {

constexpr int kIdCategories = 1001, kIdSymbolCategories = 1002, kIdManagementCategories = 1003;
constexpr wchar_t kCommandClass[] = L"ControlsCommand";

// The pixels of a combo's frame: its outer line, the light line inside it,
// the drop button's fill, and the line that parts the button from the text.
struct ComboFrame {
  COLORREF outer, inner, button, separator;
  bool operator==(const ComboFrame&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ComboFrame& f) {
  char text[80];
  std::snprintf(text, sizeof(text), "{outer %06lX, inner %06lX, button %06lX, separator %06lX}", f.outer, f.inner,
                f.button, f.separator);
  return out << text;
}

ComboFrame RestingFrame() {
  return {foundation::kFlatIdleColor, ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE),
          foundation::kFlatIdleColor};
}

ComboFrame HotFrame() {
  return {foundation::kFlatHotColor, ::GetSysColor(COLOR_WINDOW), foundation::HotButtonColor(),
          foundation::kFlatHotColor};
}

// The combo's frame as the display shows it now. The drop button lies inside
// the 2-pixel ring at the right end, SM_CXHTHUMB wide.
ComboFrame FrameOnScreen(HWND combo) {
  RECT client{};
  ::GetClientRect(combo, &client);
  const POINT origin = ScreenPointOf(combo, 0, 0);
  pictures_test::Surface screen(client.right, client.bottom, RGB(0, 0, 0));
  if (!screen.CopyFromScreen(origin.x, origin.y)) return {};
  const int buttonLeft = client.right - 1 - ::GetSystemMetrics(SM_CXHTHUMB);
  return {screen.At(0, 0), screen.At(1, 1), screen.At(client.right - 3, 2), screen.At(buttonLeft, client.bottom / 2)};
}

// Checks the combo at rest, under the pointer, and at rest again once the
// pointer has gone.
void ExpectFlatFrame(HWND combo, const char* which) {
  SCOPED_TRACE(which);
  // The pages lie on one another: until the combo has painted, the screen
  // may still show the one of the page before.
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return !::GetUpdateRect(combo, nullptr, FALSE); }));
  ComboFrame seen{};
  auto shows = [&](const ComboFrame& expected) {
    seen = FrameOnScreen(combo);
    return seen == expected;
  };
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return shows(RestingFrame()); })) << seen << " at rest";
  RECT client{};
  ::GetClientRect(combo, &client);
  EXPECT_TRUE(PointAt(ScreenPointOf(combo, 10, client.bottom / 2), [&] { return shows(HotFrame()); }))
      << seen << " under the pointer";
  ParkPointer();
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return shows(RestingFrame()); })) << seen << " after the pointer left";
}

}  // namespace

TEST(PanelFlatCombos, EachPagesComboShowsTheFlatFrameAtRestAndUnderThePointer) {
  ParkPointer();
  PanelProcess panel;
  // Stand-alone, wholly on the screen at (200, 100).
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDuLi=1\r\nDefX=3000\r\nDefY=1500\r\n");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(PanelProcess::WaitFor([&] {
    const RECT r = panel.WindowRect();
    return r.left == 200 && r.top == 100 && r.right - r.left == 257 && ::IsWindowVisible(panel.Window());
  }));
  HWND categories = panel.Combo(kIdCategories), symbols = panel.Combo(kIdSymbolCategories);
  HWND management = panel.Combo(kIdManagementCategories);
  ASSERT_TRUE(categories && symbols && management);

  // The first page is up as the panel starts.
  ASSERT_TRUE(::IsWindowVisible(categories));
  ExpectFlatFrame(categories, "the category list");

  // The third tab brings up the symbol page.
  HWND symbolTab = panel.WaitForChildAt(kCommandClass, 96, 26);
  ASSERT_NE(symbolTab, nullptr);
  panel.Click(symbolTab);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return ::IsWindowVisible(symbols) != FALSE; }));
  ExpectFlatFrame(symbols, "the symbol list");

  // No tab shows the management page (its tab starts the editor): it is put
  // up the way a tab puts up its page.
  for (HWND combo : {categories, symbols}) ::ShowWindow(::GetParent(combo), SW_HIDE);
  ::ShowWindow(::GetParent(management), SW_SHOWNA);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return ::IsWindowVisible(management) != FALSE; }));
  ExpectFlatFrame(management, "the management list");
}
