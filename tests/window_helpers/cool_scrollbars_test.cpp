#include "foundation/cool_scrollbars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/move_loop_drive.h"
#include "window_helpers/pump.h"
#include "window_services/test_window.h"

using namespace foundation;
using testing_support::TestWindow;
using window_helpers_test::PumpFor;
using window_helpers_test::WindowRect;

namespace {

LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcW(h, m, w, l); }

// A shown parent with a list box child that scrolls both ways.
class CoolScrollbarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.Create(L"CoolSbParent", ParentProc, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 500, 400));
    ::ShowWindow(parent_.hwnd(), SW_SHOWNOACTIVATE);
  }

  HWND MakeList(DWORD style, DWORD exStyle) {
    HWND list = ::CreateWindowExW(exStyle, L"ListBox", L"", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT | style, 20,
                                  30, 200, 150, parent_.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 100; ++i)
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"item " + std::to_wstring(i)).c_str()));
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, 1000, 0);
    return list;
  }

  // The list box's client rectangle in screen coordinates.
  static RECT ClientOnScreen(HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  TestWindow parent_;
};

constexpr DWORD kBothBars = WS_VSCROLL | WS_HSCROLL | WS_BORDER;

TEST_F(CoolScrollbarsTest, BarsLieOverTheListBoxScrollBarsAndFollowIt) {
  HWND list = MakeList(kBothBars, WS_EX_CLIENTEDGE);
  cCoolScbars bars;
  ASSERT_TRUE(bars.InitializeCoolSB(list));
  EXPECT_TRUE(bars.Initialized());
  EXPECT_FALSE(bars.InitializeCoolSB(list));  // once only
  HWND v = bars.BarWindow(kVerticalBar);
  HWND h = bars.BarWindow(kHorizontalBar);
  HWND sizer = bars.BarWindow(kSizerBar);
  ASSERT_TRUE(v && h && sizer);
  EXPECT_EQ(::GetParent(v), parent_.hwnd());

  auto check = [&] {
    const RECT c = ClientOnScreen(list);
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
    const RECT vr = WindowRect(v), hr = WindowRect(h), sr = WindowRect(sizer);
    EXPECT_EQ(vr.left, c.right);
    EXPECT_EQ(vr.top, c.top);
    EXPECT_EQ(vr.right - vr.left, cx);
    EXPECT_EQ(vr.bottom, c.bottom);
    EXPECT_EQ(hr.left, c.left);
    EXPECT_EQ(hr.top, c.bottom);
    EXPECT_EQ(hr.right, c.right);
    EXPECT_EQ(hr.bottom - hr.top, cy);
    EXPECT_EQ(sr.left, c.right);
    EXPECT_EQ(sr.top, c.bottom);
    // Where the system put the list box's own bar. (Wine reports the
    // vertical bar one pixel longer, into the sizer, when both bars show.)
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    if (::GetScrollBarInfo(list, OBJID_VSCROLL, &sbi)) {
      EXPECT_EQ(vr.left, sbi.rcScrollBar.left);
      EXPECT_EQ(vr.top, sbi.rcScrollBar.top);
      EXPECT_EQ(vr.right, sbi.rcScrollBar.right);
    }
    EXPECT_TRUE(::IsWindowVisible(v) && ::IsWindowVisible(h) && ::IsWindowVisible(sizer));
  };
  check();
  // The bars follow the target's size.
  ::SetWindowPos(list, nullptr, 40, 50, 260, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  check();
  EXPECT_TRUE(bars.HasLeftScrollbar());  // the vertical bar is on the right (the name is historic)
  EXPECT_FALSE(bars.HasSizer());         // the list does not fill its parent
  EXPECT_TRUE(bars.Enabled(kVerticalBar));
  ::EnableWindow(list, FALSE);
  EXPECT_FALSE(bars.Enabled(kVerticalBar));
  ::EnableWindow(list, TRUE);

  EXPECT_TRUE(bars.UninitializeCoolSB());
  EXPECT_FALSE(bars.UninitializeCoolSB());
  EXPECT_FALSE(::IsWindow(v) || ::IsWindow(h) || ::IsWindow(sizer));
  EXPECT_FALSE(HasSubclassHost(list));
}

TEST_F(CoolScrollbarsTest, SizerShowsAGripWhenTheTargetFillsItsParent) {
  RECT pc{};
  ::GetClientRect(parent_.hwnd(), &pc);
  HWND list = MakeList(kBothBars, 0);
  ::SetWindowPos(list, nullptr, 0, 0, pc.right, pc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  cCoolScbars bars;
  ASSERT_TRUE(bars.InitializeCoolSB(list));
  EXPECT_TRUE(bars.HasSizer());
  ::SetWindowPos(list, nullptr, 0, 0, pc.right - 1, pc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(bars.HasSizer());
}

TEST_F(CoolScrollbarsTest, LeftSideBarAndMissingBars) {
  HWND list = MakeList(kBothBars, WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR);
  cCoolScbars bars;
  ASSERT_TRUE(bars.InitializeCoolSB(list));
  const RECT w = WindowRect(list);
  const RECT vr = WindowRect(bars.BarWindow(kVerticalBar));
  const RECT hr = WindowRect(bars.BarWindow(kHorizontalBar));
  EXPECT_EQ(vr.left, w.left + 3);  // border + client edge
  EXPECT_EQ(hr.left, vr.right);
  EXPECT_EQ(WindowRect(bars.BarWindow(kSizerBar)).left, w.left + 3);
  EXPECT_FALSE(bars.HasLeftScrollbar());
  EXPECT_FALSE(bars.HasSizer());

  // Without WS_HSCROLL the horizontal bar is hidden and has no size.
  HWND plain = MakeList(WS_VSCROLL, 0);
  cCoolScbars vOnly;
  ASSERT_TRUE(vOnly.InitializeCoolSB(plain));
  HWND h = vOnly.BarWindow(kHorizontalBar);
  EXPECT_FALSE(::IsWindowVisible(h));
  const RECT hr2 = WindowRect(h);
  EXPECT_EQ(hr2.right - hr2.left, 0);
  EXPECT_FALSE(::IsWindowVisible(vOnly.BarWindow(kSizerBar)));
  EXPECT_TRUE(::IsWindowVisible(vOnly.BarWindow(kVerticalBar)));
}

TEST_F(CoolScrollbarsTest, TopLevelTargetOrNonWindowFailsAndLeavesNothing) {
  cCoolScbars bars;
  EXPECT_FALSE(bars.InitializeCoolSB(parent_.hwnd()));  // top-level: nowhere to put the bars
  EXPECT_FALSE(bars.Initialized());
  EXPECT_FALSE(HasSubclassHost(parent_.hwnd()));
  EXPECT_EQ(::GetWindow(parent_.hwnd(), GW_CHILD), nullptr);
  EXPECT_FALSE(bars.InitializeCoolSB(nullptr));
  EXPECT_FALSE(bars.InitializeCoolSB(reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x7ff0))));
  EXPECT_FALSE(bars.UninitializeCoolSB());
  // Still usable afterwards.
  HWND list = MakeList(kBothBars, 0);
  EXPECT_TRUE(bars.InitializeCoolSB(list));
}

struct PaintCall {
  int bar, x1, y1, x2, y2, part;
  bool pressed;
};

TEST_F(CoolScrollbarsTest, CustomDrawRaisesOnePaintPerPart) {
  HWND list = MakeList(kBothBars, 0);
  ::SendMessageW(list, LB_SETTOPINDEX, 50, 0);
  cCoolScbars bars;
  std::vector<PaintCall> calls;
  bars.OnPaint([&](HDC dc, int bar, int x1, int y1, int x2, int y2, int part, bool pressed) {
    EXPECT_NE(dc, nullptr);
    calls.push_back({bar, x1, y1, x2, y2, part, pressed});
  });
  ASSERT_TRUE(bars.InitializeCoolSB(list, true));
  PumpFor(30);
  calls.clear();
  HWND v = bars.BarWindow(kVerticalBar);
  ::RedrawWindow(v, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(calls.size(), 5u);
  const int parts[] = {kPaintFirstArrow, kPaintSecondArrow, kPaintTrackBefore, kPaintTrackAfter, kPaintThumb};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(calls[i].bar, kVerticalBar);
    EXPECT_EQ(calls[i].part, parts[i]);
    EXPECT_FALSE(calls[i].pressed);
  }
  // The thumb as the scroll state puts it.
  RECT rc{};
  ::GetClientRect(v, &rc);
  BarGeometry g = ComputeBarGeometry(rc.right, rc.bottom, ::GetSystemMetrics(SM_CYVSCROLL), true);
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ASSERT_TRUE(::GetScrollInfo(list, SB_VERT, &si));
  ComputeThumb(g, {si.nMin, si.nMax, si.nPage, si.nPos, si.nTrackPos}, true, false);
  EXPECT_GT(g.thumbStart, g.trackStart);  // scrolled to the middle
  EXPECT_EQ(calls[4].y1, g.thumbStart);
  EXPECT_EQ(calls[4].y2, g.thumbStart + g.thumbSize);
  EXPECT_EQ(calls[2].y2, calls[4].y1);
  EXPECT_EQ(calls[3].y1, calls[4].y2);

  calls.clear();
  ::RedrawWindow(bars.BarWindow(kSizerBar), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].bar, kSizerBar);
  EXPECT_EQ(calls[0].part, kPaintSizer);

  // Back to self-drawing: no more events.
  bars.CustomDraw(false);
  calls.clear();
  ::RedrawWindow(v, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(calls.empty());
}

// State the press test looks at from inside the system's scroll loop.
HWND g_pressBar = nullptr;
int g_pressTicks = 0;
bool g_pressedDuringLoop = false;
std::vector<PaintCall>* g_pressCalls = nullptr;
void CALLBACK PressTick(HWND, UINT, UINT_PTR, DWORD) {
  ++g_pressTicks;
  if (g_pressTicks == 2) {
    g_pressCalls->clear();
    ::RedrawWindow(g_pressBar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (const PaintCall& c : *g_pressCalls)
      if (c.part == kPaintSecondArrow && c.pressed) g_pressedDuringLoop = true;
  } else if (g_pressTicks >= 3) {
    testing_support::SendMouse(MOUSEEVENTF_LEFTUP);
  }
}

TEST_F(CoolScrollbarsTest, APressOnAnArrowGoesThroughToTheTargetAndShowsPressed) {
  HWND list = MakeList(kBothBars, 0);
  ::SetWindowPos(parent_.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(parent_.hwnd());
  cCoolScbars bars;
  std::vector<PaintCall> calls;
  bars.OnPaint([&](HDC, int bar, int x1, int y1, int x2, int y2, int part, bool pressed) {
    calls.push_back({bar, x1, y1, x2, y2, part, pressed});
  });
  ASSERT_TRUE(bars.InitializeCoolSB(list, true));
  PumpFor(30);
  const RECT v = WindowRect(bars.BarWindow(kVerticalBar));
  const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  ::SetCursorPos((v.left + v.right) / 2, v.bottom - arrow / 2);
  PumpFor(20);
  g_pressBar = bars.BarWindow(kVerticalBar);
  g_pressTicks = 0;
  g_pressedDuringLoop = false;
  g_pressCalls = &calls;
  UINT_PTR timer = ::SetTimer(nullptr, 0, 60, PressTick);
  testing_support::SendMouse(MOUSEEVENTF_LEFTDOWN);
  // The press reaches the list box's own scroll bar, whose tracking loop
  // runs inside this pump until the button goes up.
  for (int i = 0; i < 100 && g_pressTicks < 3; ++i) PumpFor(10);
  ::KillTimer(nullptr, timer);
  testing_support::SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(30);
  EXPECT_GT(::SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);  // the list scrolled
  EXPECT_TRUE(g_pressedDuringLoop);
  // Capture released: nothing shows pressed any more.
  calls.clear();
  ::RedrawWindow(bars.BarWindow(kVerticalBar), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(calls.empty());
  for (const PaintCall& c : calls) EXPECT_FALSE(c.pressed) << c.part;
  ::SetWindowPos(parent_.hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TEST_F(CoolScrollbarsTest, SelfDrawnThumbIsVisibleOnTheTrack) {
  HWND list = MakeList(kBothBars, 0);
  cCoolScbars bars;
  ASSERT_TRUE(bars.InitializeCoolSB(list));
  HWND v = bars.BarWindow(kVerticalBar);
  // Let the list box and the window finish their own painting (under load
  // the X server's expose events come late), then paint the bar and read it
  // at once.
  PumpFor(150);
  ::RedrawWindow(v, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT rc{};
  ::GetClientRect(v, &rc);
  BarGeometry g = ComputeBarGeometry(rc.right, rc.bottom, ::GetSystemMetrics(SM_CYVSCROLL), true);
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ASSERT_TRUE(::GetScrollInfo(list, SB_VERT, &si));
  ComputeThumb(g, {si.nMin, si.nMax, si.nPage, si.nPos, si.nTrackPos}, true, false);
  ASSERT_GT(g.thumbSize, 2);
  ASSERT_GT(g.trackAfter.Height(), 2);

  HDC dc = ::GetDC(v);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  ASSERT_NE(face, window);
  const int mid = g.thumbStart + g.thumbSize / 2;
  // The thumb: button face inside a shadow frame.
  EXPECT_EQ(::GetPixel(dc, rc.right / 2, mid), face);
  EXPECT_EQ(::GetPixel(dc, 0, mid), shadow);
  EXPECT_EQ(::GetPixel(dc, rc.right - 1, mid), shadow);
  EXPECT_EQ(::GetPixel(dc, rc.right / 2, g.thumbStart), shadow);
  // The track below it: the dithered pattern of window and button face.
  const int y = g.trackAfter.top + 1;
  int windowPixels = 0;
  for (int x = 0; x < rc.right; ++x) {
    COLORREF p = ::GetPixel(dc, x, y);
    EXPECT_TRUE(p == window || p == face) << x;
    if (p == window) ++windowPixels;
  }
  EXPECT_GE(windowPixels, rc.right / 2 - 1);
  ::ReleaseDC(v, dc);
}

}  // namespace
