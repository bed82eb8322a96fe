#include "foundation/flat_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "window_helpers/pump.h"
#include "window_services/test_window.h"

using namespace foundation;
using testing_support::TestWindow;
using window_helpers_test::PumpFor;
using window_helpers_test::WindowRect;

namespace {

LRESULT CALLBACK FormProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcW(h, m, w, l); }

// Records the timers that reach the combo's own procedure (installed inside
// the flat border's link).
std::vector<WPARAM> g_timers;
WNDPROC g_timerNext = nullptr;
LRESULT CALLBACK TimerRecorder(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) g_timers.push_back(w);
  return ::CallWindowProcW(g_timerNext, h, m, w, l);
}

COLORREF Blend(COLORREF a, COLORREF b) {
  auto ch = [](int ca, int cb) { return static_cast<int>(std::nearbyint((43.0 * cb + 70.0 * ca) / 113.0)); };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

const COLORREF kIdle = RGB(167, 163, 150);
const COLORREF kHot = RGB(127, 157, 185);

class FlatControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form_.Create(L"FlatForm", FormProc, WS_OVERLAPPEDWINDOW, 500, 400));
    ::ShowWindow(form_.hwnd(), SW_SHOW);
    ::SetForegroundWindow(form_.hwnd());
    combo_ = Child(0, L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, 20, 20, 150, 200);
    for (const wchar_t* s : {L"一", L"二", L"三"}) ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    edit_ = Child(WS_EX_CLIENTEDGE, L"Edit", WS_BORDER | ES_AUTOHSCROLL, 20, 80, 150, 25);
    memo_ = Child(WS_EX_CLIENTEDGE, L"Edit", WS_BORDER | ES_MULTILINE, 20, 130, 150, 60);
    list_ = Child(WS_EX_CLIENTEDGE, L"ListBox", LBS_NOINTEGRALHEIGHT, 220, 20, 150, 100);
    button_ = Child(0, L"Button", BS_PUSHBUTTON, 220, 150, 80, 25);
    // The cursor starts well away from every control.
    ::SetCursorPos(1200, 750);
    ::SetFocus(button_);
    PumpFor(30);
  }

  HWND Child(DWORD ex, const wchar_t* cls, DWORD style, int x, int y, int w, int h) {
    return ::CreateWindowExW(ex, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, form_.hwnd(), nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  }

  // A control's rectangle in the form's client coordinates.
  RECT InForm(HWND hwnd) const {
    RECT rc = WindowRect(hwnd);
    ::MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  static COLORREF Pixel(HWND hwnd, int x, int y) {
    HDC dc = ::GetDC(hwnd);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
  }

  static void Repaint(HWND hwnd) { ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

  // Where the combo's drop-down button lies in its client area.
  RECT ComboButton() const {
    RECT rc{};
    ::GetClientRect(combo_, &rc);
    ::InflateRect(&rc, -1, -1);
    rc.left = rc.right - ::GetSystemMetrics(SM_CXHTHUMB);
    return rc;
  }

  TestWindow form_;
  HWND combo_ = nullptr, edit_ = nullptr, memo_ = nullptr, list_ = nullptr, button_ = nullptr;
};

TEST_F(FlatControlTest, MakeControlsFlatSetsStylesAndSizes) {
  const RECT editBefore = InForm(edit_);
  const RECT memoBefore = InForm(memo_);
  const RECT listBefore = InForm(list_);
  const RECT comboBefore = InForm(combo_);
  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  EXPECT_EQ(flat.size(), 4u);
  EXPECT_EQ(flat.Find(button_), nullptr);

  // Single-line text box: 260 twips high, then 4 pixels smaller and moved
  // 2 pixels right and down for the frame; its own border gone.
  HDC screen = ::GetDC(nullptr);
  const int twipsHeight = ::MulDiv(260, ::GetDeviceCaps(screen, LOGPIXELSY), 1440);
  ::ReleaseDC(nullptr, screen);
  RECT e = InForm(edit_);
  EXPECT_EQ(e.left, editBefore.left + 2);
  EXPECT_EQ(e.top, editBefore.top + 2);
  EXPECT_EQ(e.right - e.left, 150 - 4);
  EXPECT_EQ(e.bottom - e.top, twipsHeight - 4);
  EXPECT_EQ(::GetWindowLongPtrW(edit_, GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(::GetWindowLongPtrW(edit_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  // Multi-line: keeps its height, only the 4 pixels.
  RECT m = InForm(memo_);
  EXPECT_EQ(m.left, memoBefore.left + 2);
  EXPECT_EQ(m.bottom - m.top, 60 - 4);
  // List box: a flat single border, size unchanged.
  EXPECT_NE(::GetWindowLongPtrW(list_, GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(::GetWindowLongPtrW(list_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  const RECT listAfter = InForm(list_);
  EXPECT_TRUE(::EqualRect(&listBefore, &listAfter));
  // Combo: untouched in size, its edit field found.
  RECT c = InForm(combo_);
  EXPECT_TRUE(::EqualRect(&comboBefore, &c));
  cFlatControl* combo = flat.Find(combo_);
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->IsCombo());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(combo_, &info));
  EXPECT_EQ(combo->EditWindow(), info.hwndItem);
  EXPECT_NE(combo->EditWindow(), nullptr);
  EXPECT_EQ(combo->FlatStyle(), 1);

  // A drop-down list combo has no edit field; a sorted list box (whose style
  // shares the drop-down bit) has none either.
  HWND dropList = Child(0, L"ComboBox", CBS_DROPDOWNLIST, 20, 250, 150, 200);
  HWND sorted = Child(0, L"ListBox", LBS_SORT, 220, 250, 150, 100);
  cFlatControl a, b;
  ASSERT_TRUE(a.Attach(dropList));
  ASSERT_TRUE(b.Attach(sorted));
  EXPECT_EQ(a.EditWindow(), nullptr);
  EXPECT_EQ(b.EditWindow(), nullptr);
  EXPECT_FALSE(b.IsCombo());
}

TEST_F(FlatControlTest, ControlsInsideContainersAreMadeFlatAndACombosEditIsPartOfIt) {
  // A page inside the form, and a frame inside the page.
  auto inside = [](HWND parent, const wchar_t* cls, DWORD style, int x, int y, int w, int h) {
    return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  };
  HWND page = Child(0, L"Static", 0, 20, 250, 450, 120);
  HWND frame = inside(page, L"Static", 0, 200, 10, 200, 100);
  HWND combo = inside(page, L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, 10, 10, 150, 200);
  HWND edit = inside(frame, L"Edit", WS_BORDER | ES_AUTOHSCROLL, 10, 10, 150, 25);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
  ASSERT_NE(info.hwndItem, nullptr);
  RECT itemBefore = WindowRect(info.hwndItem);

  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  // The form's four, the page's combo and the frame's text box; the
  // containers and the combo's own edit field are none of them.
  EXPECT_EQ(flat.size(), 6u);
  EXPECT_EQ(flat.Find(page), nullptr);
  EXPECT_EQ(flat.Find(frame), nullptr);
  EXPECT_EQ(flat.Find(info.hwndItem), nullptr);
  RECT itemAfter = WindowRect(info.hwndItem);
  EXPECT_TRUE(::EqualRect(&itemBefore, &itemAfter));
  cFlatControl* flatCombo = flat.Find(combo);
  ASSERT_NE(flatCombo, nullptr);
  EXPECT_TRUE(flatCombo->IsCombo());
  EXPECT_EQ(flatCombo->EditWindow(), info.hwndItem);
  ASSERT_NE(flat.Find(edit), nullptr);
  EXPECT_EQ(::GetWindowLongPtrW(edit, GWL_STYLE) & WS_BORDER, 0);

  // The combo on the page wears the flat frame, and its page carries the
  // notifications that redraw it.
  Repaint(combo);
  EXPECT_EQ(Pixel(combo, 0, 0), kIdle);
  EXPECT_TRUE(HasSubclassHost(page));
}

TEST_F(FlatControlTest, ComboFrameIdleHotAndBack) {
  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  cFlatControl* combo = flat.Find(combo_);
  ASSERT_NE(combo, nullptr);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const RECT button = ComboButton();
  const int midY = (button.top + button.bottom) / 2;

  Repaint(combo_);
  EXPECT_EQ(Pixel(combo_, 0, 0), kIdle);
  EXPECT_EQ(Pixel(combo_, 1, 1), window);
  EXPECT_EQ(Pixel(combo_, button.right - 2, button.top + 1), face);
  EXPECT_EQ(Pixel(combo_, button.left, midY), kIdle);       // separator
  EXPECT_EQ(Pixel(combo_, button.left - 1, midY), window);  // light line beside it

  // The mouse comes over it: blue frame and separator, lit button.
  RECT screen = WindowRect(combo_);
  ::SetCursorPos((screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2);
  ::SendMessageW(combo_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(combo->MouseOver());
  EXPECT_EQ(Pixel(combo_, 0, 0), kHot);
  EXPECT_EQ(Pixel(combo_, button.left, midY), kHot);
  const COLORREF hotButton = Blend(kHot, window);
  EXPECT_EQ(HotButtonColor(), hotButton);
  EXPECT_EQ(Pixel(combo_, button.right - 2, button.top + 1), hotButton);
  if (window == RGB(255, 255, 255)) {
    EXPECT_EQ(hotButton, RGB(176, 194, 212));
  }
  // Still over it after a few polls, and after a repaint.
  PumpFor(60);
  EXPECT_TRUE(combo->MouseOver());
  Repaint(combo_);
  EXPECT_EQ(Pixel(combo_, 0, 0), kHot);
  EXPECT_EQ(Pixel(combo_, button.right - 2, button.top + 1), hotButton);
  EXPECT_TRUE(combo->MouseOver());

  // It leaves: the poll restores the idle look.
  ::SetCursorPos(1200, 750);
  EXPECT_TRUE(testing_support::PumpUntil([&] { return !combo->MouseOver(); }));
  EXPECT_EQ(Pixel(combo_, 0, 0), kIdle);
  EXPECT_EQ(Pixel(combo_, button.right - 2, button.top + 1), face);
}

TEST_F(FlatControlTest, OpenListDrawsThePressedButtonAndClosingRedrawsByFocus) {
  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  cFlatControl* combo = flat.Find(combo_);
  const RECT button = ComboButton();
  ::SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  if (!combo->DroppedDown()) GTEST_SKIP() << "the list did not open";
  Repaint(combo_);
  const COLORREF pressed = Blend(kHot, HotButtonColor());
  EXPECT_EQ(PressedButtonColor(), pressed);
  EXPECT_EQ(Pixel(combo_, button.right - 2, button.top + 1), pressed);
  EXPECT_EQ(Pixel(combo_, 0, 0), kHot);
  ::SendMessageW(combo_, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_TRUE(testing_support::PumpUntil([&] { return !combo->DroppedDown(); }));
  if (::GetFocus() != combo_ && ::GetFocus() != combo->EditWindow()) {
    EXPECT_EQ(Pixel(combo_, 0, 0), kIdle);
  }
}

TEST_F(FlatControlTest, TextBoxRingOnTheFormFollowsFocusAndEnabling) {
  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  Repaint(form_.hwnd());
  PumpFor(20);
  Repaint(edit_);
  RECT e = InForm(edit_);
  EXPECT_EQ(Pixel(form_.hwnd(), e.left - 2, e.top - 2), kIdle);
  EXPECT_EQ(Pixel(form_.hwnd(), e.right + 1, e.bottom + 1), kIdle);
  EXPECT_EQ(Pixel(form_.hwnd(), e.left - 1, e.top - 1), window);

  ::SetFocus(edit_);
  if (::GetFocus() != edit_) GTEST_SKIP() << "no focus on this desktop";
  EXPECT_EQ(Pixel(form_.hwnd(), e.left - 2, e.top - 2), kHot);
  // A focused control starts no hover poll.
  ::SendMessageW(edit_, WM_MOUSEMOVE, 0, 0);
  EXPECT_FALSE(flat.Find(edit_)->MouseOver());
  ::SetFocus(button_);
  EXPECT_EQ(Pixel(form_.hwnd(), e.left - 2, e.top - 2), kIdle);

  // A disabled list box: shadow outside, button face inside.
  ::EnableWindow(list_, FALSE);
  Repaint(list_);
  RECT l = InForm(list_);
  EXPECT_EQ(Pixel(form_.hwnd(), l.left - 2, l.top - 2), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Pixel(form_.hwnd(), l.left - 1, l.top - 1), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(FlatControlTest, OnlyItsOwnTimerIsTakenAndOthersReachTheControl) {
  g_timers.clear();
  g_timerNext = InstallWindowProc(combo_, TimerRecorder);
  ASSERT_NE(g_timerNext, nullptr);
  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  cFlatControl* combo = flat.Find(combo_);
  // Hover starts the poll while the cursor is elsewhere.
  ::SendMessageW(combo_, WM_MOUSEMOVE, 0, 0);
  ASSERT_TRUE(combo->MouseOver());
  // The control's own timer goes through and does not end the hover.
  ::SendMessageW(combo_, WM_TIMER, 1, 0);
  EXPECT_TRUE(combo->MouseOver());
  ASSERT_EQ(g_timers.size(), 1u);
  EXPECT_EQ(g_timers[0], 1u);
  // The poll fires, finds the cursor outside and ends the hover; the control
  // never sees the poll.
  EXPECT_TRUE(testing_support::PumpUntil([&] { return !combo->MouseOver(); }));
  EXPECT_EQ(g_timers.size(), 1u);
  EXPECT_TRUE(RemoveWindowProc(combo_, TimerRecorder));
}

TEST_F(FlatControlTest, ObjectsLeaveTheListWhenTheirControlsAreDestroyed) {
  FlatControlList flat;
  MakeControlsFlat(form_.hwnd(), flat);
  ASSERT_EQ(flat.size(), 4u);
  // The combo's notifications are watched on the form.
  EXPECT_TRUE(HasSubclassHost(form_.hwnd()));
  ::DestroyWindow(combo_);
  EXPECT_EQ(flat.size(), 3u);
  EXPECT_EQ(flat.Find(combo_), nullptr);
  EXPECT_FALSE(HasSubclassHost(form_.hwnd()));
  // The form's commands go on as before.
  ::SendMessageW(form_.hwnd(), WM_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP), reinterpret_cast<LPARAM>(combo_));
  ::DestroyWindow(edit_);
  ::DestroyWindow(list_);
  EXPECT_EQ(flat.size(), 1u);
  EXPECT_NE(flat.Find(memo_), nullptr);
  // The window's destruction takes the rest.
  form_.Destroy();
  EXPECT_EQ(flat.size(), 0u);
}

TEST(FlatControl, AttachWithoutAWindowRecordsTheErrorAndStaysDetached) {
  cFlatControl flat;
  EXPECT_FALSE(flat.Attach(nullptr));
  EXPECT_EQ(flat.LastError(), static_cast<long>(0x80040419));
  EXPECT_EQ(flat.LastErrorText(), kFlatAttachErrorText);
  EXPECT_EQ(flat.hwnd(), nullptr);
  EXPECT_FALSE(flat.DroppedDown());
  EXPECT_FALSE(flat.Attach(reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x7ff0))));
  // Blending on the scale of 113.
  EXPECT_EQ(BlendColor(RGB(127, 157, 185), RGB(255, 255, 255), 70), RGB(176, 194, 212));
  EXPECT_EQ(BlendColor(RGB(127, 157, 185), RGB(176, 194, 212), 70), RGB(146, 171, 195));
  EXPECT_EQ(BlendColor(RGB(0, 0, 0), RGB(0, 0, 0), 70), RGB(0, 0, 0));
}

TEST_F(FlatControlTest, TextBoxIsNeverDroppedDown) {
  cFlatControl flat;
  ASSERT_TRUE(flat.Attach(edit_));
  EXPECT_FALSE(flat.DroppedDown());
  EXPECT_FALSE(flat.IsCombo());
}

}  // namespace
