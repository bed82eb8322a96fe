#include "foundation/magnetic_wnd.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/window_utils.h"
#include "window_helpers/pump.h"
#include "support/move_loop_drive.h"
#include "window_services/test_window.h"

using namespace foundation;
using testing_support::DriveMoveLoop;
using testing_support::SendMouse;
using testing_support::TestWindow;
using window_helpers_test::PumpFor;
using window_helpers_test::WindowRect;

namespace {

constexpr UINT kPing = WM_APP + 7;

// The windows' own procedure records what reaches it.
std::vector<UINT> g_reached;
LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kPing || m == WM_MOVING || m == WM_SIZING) {
    g_reached.push_back(m);
    if (m == kPing) return 42;
  }
  return ::DefWindowProcW(h, m, w, l);
}

// A procedure installed on the host after (outside) the magnetic link.
WNDPROC g_outerNext = nullptr;
int g_outerCalls = 0;
LRESULT CALLBACK OuterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kPing) ++g_outerCalls;
  return ::CallWindowProcW(g_outerNext, h, m, w, l);
}

RECT WorkArea() {
  RECT rc{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
  return rc;
}

class MagneticTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_reached.clear();
    ASSERT_TRUE(a_.Create(L"MagneticTestWnd", PlainProc, WS_POPUP, 200, 150));
    ASSERT_TRUE(b_.Create(L"MagneticTestWnd", PlainProc, WS_POPUP, 100, 100));
    ::SetWindowPos(a_.hwnd(), nullptr, 100, 100, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    // B touches A's right edge.
    ::SetWindowPos(b_.hwnd(), nullptr, 300, 120, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // One synthesised move step of A: the move starts with the cursor at
  // `start`, then the cursor goes to `now` and the system proposes its
  // rectangle. Returns the rectangle as written back.
  RECT MoveA(POINT start, POINT now) {
    ::SetCursorPos(start.x, start.y);
    ::SendMessageW(a_.hwnd(), WM_ENTERSIZEMOVE, 0, 0);
    ::SetCursorPos(now.x, now.y);
    RECT rc = WindowRect(a_.hwnd());
    ::OffsetRect(&rc, now.x - start.x, now.y - start.y);
    LRESULT r = ::SendMessageW(a_.hwnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(r, TRUE);
    return rc;
  }

  TestWindow a_;
  TestWindow b_;
};

TEST_F(MagneticTest, AddingTwiceOrANonWindowFails) {
  cMagneticWnd magnetic;
  EXPECT_EQ(magnetic.SnapWidth(), 10);
  EXPECT_TRUE(magnetic.AddWindow(a_.hwnd()));
  EXPECT_FALSE(magnetic.AddWindow(a_.hwnd()));
  EXPECT_FALSE(magnetic.AddWindow(nullptr));
  EXPECT_FALSE(magnetic.AddWindow(reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x7ff0))));
  // A parent that is no window.
  EXPECT_FALSE(magnetic.AddWindow(b_.hwnd(), reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x7ff0))));
  EXPECT_FALSE(HasSubclassHost(b_.hwnd()));
  EXPECT_FALSE(magnetic.RemoveWindow(b_.hwnd()));
  EXPECT_TRUE(magnetic.RemoveWindow(a_.hwnd()));
  EXPECT_FALSE(magnetic.RemoveWindow(a_.hwnd()));
  EXPECT_FALSE(HasSubclassHost(a_.hwnd()));
}

TEST_F(MagneticTest, GluedChildTravelsWithItsParentInOneMove) {
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  ASSERT_TRUE(magnetic.AddWindow(b_.hwnd(), a_.hwnd()));
  EXPECT_TRUE(magnetic.IsGlued(b_.hwnd()));
  EXPECT_FALSE(magnetic.IsGlued(a_.hwnd()));
  const RECT work = WorkArea();

  // A's left edge would come 7 px right of the work area's: it snaps there,
  // and B follows at its old offset.
  RECT rc = MoveA({150, 110}, {150 - 93 + work.left, 310});
  EXPECT_EQ(rc.left, work.left);
  EXPECT_EQ(rc.top, 300);
  EXPECT_EQ(rc.right - rc.left, 200);
  RECT b = WindowRect(b_.hwnd());
  EXPECT_EQ(b.left, rc.right);
  EXPECT_EQ(b.top, rc.top + 20);
  // The message was answered by the snapping: the window's procedure never saw it.
  EXPECT_TRUE(g_reached.empty());
  // The system moves A itself afterwards; do it, and end the move.
  ::SetWindowPos(a_.hwnd(), nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(a_.hwnd(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_TRUE(magnetic.IsGlued(b_.hwnd()));

  // Now B comes 6 px short of the work area's right edge: the group is
  // pulled right until B touches it.
  const RECT a = WindowRect(a_.hwnd());
  b = WindowRect(b_.hwnd());
  const int shift = (work.right - 6) - b.right;
  rc = MoveA({a.left + 20, a.top + 10}, {a.left + 20 + shift, a.top + 10});
  EXPECT_EQ(rc.left, a.left + shift + 6);
  EXPECT_EQ(WindowRect(b_.hwnd()).right, work.right);
}

TEST_F(MagneticTest, ARealDragThroughTheMoveLoopSnapsAndCarriesTheGluedWindow) {
  ::ShowWindow(a_.hwnd(), SW_SHOWNOACTIVATE);
  ::ShowWindow(b_.hwnd(), SW_SHOWNOACTIVATE);
  ::SetForegroundWindow(a_.hwnd());
  PumpFor(20);
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  ASSERT_TRUE(magnetic.AddWindow(b_.hwnd(), a_.hwnd()));
  const RECT work = WorkArea();
  ::SetCursorPos(150, 130);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(20);
  // A's left edge would end 7 px right of the work area's left edge.
  const int steps = DriveMoveLoop({work.left + 7 - 100, 30}, [&] { DragForm(a_.hwnd()); });
  ASSERT_GE(steps, 3);
  const RECT a = WindowRect(a_.hwnd());
  const RECT b = WindowRect(b_.hwnd());
  EXPECT_EQ(a.left, work.left);
  EXPECT_EQ(a.top, 130);
  EXPECT_EQ(b.left, a.right);
  EXPECT_EQ(b.top, a.top + 20);
  EXPECT_TRUE(magnetic.IsGlued(b_.hwnd()));
}

TEST_F(MagneticTest, AMovingMessageWithoutAMoveLoopKeepsTheWindowWhereProposed) {
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  ::SetCursorPos(700, 500);
  RECT rc{400, 300, 600, 450};
  ::SendMessageW(a_.hwnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(rc.left, 400);
  EXPECT_EQ(rc.top, 300);
  EXPECT_EQ(rc.right, 600);
}

TEST_F(MagneticTest, SizingSnapsOnlyTheDraggedEdgesAndTenPixelsIsOutOfReach) {
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  const RECT work = WorkArea();
  ::SendMessageW(a_.hwnd(), WM_ENTERSIZEMOVE, 0, 0);
  RECT rc{work.left + 9, work.top + 9, 300, 250};
  ::SendMessageW(a_.hwnd(), WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(rc.top, work.top);
  EXPECT_EQ(rc.left, work.left + 9);
  rc = {work.left + 10, work.top + 9, 300, 250};
  ::SendMessageW(a_.hwnd(), WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(rc.left, work.left + 10);
  EXPECT_EQ(rc.top, work.top);
  // A wider snap distance reaches further.
  magnetic.SnapWidth(20);
  ::SendMessageW(a_.hwnd(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(rc.left, work.left);
  EXPECT_TRUE(g_reached.empty());
}

TEST_F(MagneticTest, AMaximizedWindowCountsAsTheWorkArea) {
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  ASSERT_TRUE(magnetic.AddWindow(b_.hwnd()));
  ::ShowWindow(b_.hwnd(), SW_MAXIMIZE);
  PumpFor(50);
  ASSERT_TRUE(::IsZoomed(b_.hwnd()));
  // Whatever rectangle the system gave the maximized window, A snaps to the
  // work area's inner edges through it as well; a rectangle that is neither
  // shows that the maximized window's own rectangle was not used.
  const RECT work = WorkArea();
  ::SendMessageW(a_.hwnd(), WM_ENTERSIZEMOVE, 0, 0);
  RECT rc{100, 100, work.right - 4, 250};
  ::SendMessageW(a_.hwnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(rc.right, work.right);
  const RECT zoomed = WindowRect(b_.hwnd());
  if (zoomed.right != work.right) {
    rc = {100, 100, zoomed.right - 3, 250};
    ::SendMessageW(a_.hwnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc.right, zoomed.right - 3);
  }
}

TEST_F(MagneticTest, GlueIsRecomputedOnRestoreWithTheLowBitsSet) {
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  ASSERT_TRUE(magnetic.AddWindow(b_.hwnd(), a_.hwnd()));
  ASSERT_TRUE(magnetic.IsGlued(b_.hwnd()));
  // B moves away unseen; a restore command (with the low bits the system
  // adds for keyboard and mouse invocations) makes the glue be taken again.
  ::SetWindowPos(b_.hwnd(), nullptr, 500, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(magnetic.IsGlued(b_.hwnd()));  // nothing has looked yet
  ::SendMessageW(b_.hwnd(), WM_SYSCOMMAND, SC_RESTORE | 0x2, 0);
  EXPECT_FALSE(magnetic.IsGlued(b_.hwnd()));
  // Back against A; CheckGlueing takes it up.
  ::SetWindowPos(b_.hwnd(), nullptr, 300, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  magnetic.CheckGlueing();
  EXPECT_TRUE(magnetic.IsGlued(b_.hwnd()));
  // Removing the parent leaves B without one: no longer glued.
  EXPECT_TRUE(magnetic.RemoveWindow(a_.hwnd()));
  EXPECT_FALSE(magnetic.IsGlued(b_.hwnd()));
}

TEST_F(MagneticTest, RemovalKeepsProceduresInstalledLaterAndEarlier) {
  // A procedure put on after the snapping stays working when the snapping
  // goes first.
  {
    cMagneticWnd magnetic;
    ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
    g_outerNext = InstallWindowProc(a_.hwnd(), OuterProc);
    ASSERT_NE(g_outerNext, nullptr);
    EXPECT_TRUE(magnetic.RemoveWindow(a_.hwnd()));
    g_outerCalls = 0;
    EXPECT_EQ(::SendMessageW(a_.hwnd(), kPing, 0, 0), 42);
    EXPECT_EQ(g_outerCalls, 1);
    // And the snapping is really off.
    RECT rc{3, 3, 100, 100};
    ::SendMessageW(a_.hwnd(), WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc.left, 3);
    EXPECT_TRUE(RemoveWindowProc(a_.hwnd(), OuterProc));
    EXPECT_FALSE(HasSubclassHost(a_.hwnd()));
  }
  // The other way round: the snapping's destruction leaves an earlier
  // procedure in place.
  g_outerNext = InstallWindowProc(b_.hwnd(), OuterProc);
  ASSERT_NE(g_outerNext, nullptr);
  {
    cMagneticWnd magnetic;
    ASSERT_TRUE(magnetic.AddWindow(b_.hwnd()));
  }
  g_outerCalls = 0;
  EXPECT_EQ(::SendMessageW(b_.hwnd(), kPing, 0, 0), 42);
  EXPECT_EQ(g_outerCalls, 1);
  EXPECT_TRUE(RemoveWindowProc(b_.hwnd(), OuterProc));
}

TEST_F(MagneticTest, ADestroyedWindowCanStillBeRemoved) {
  cMagneticWnd magnetic;
  ASSERT_TRUE(magnetic.AddWindow(a_.hwnd()));
  ASSERT_TRUE(magnetic.AddWindow(b_.hwnd(), a_.hwnd()));
  a_.Destroy();
  magnetic.CheckGlueing();
  EXPECT_TRUE(magnetic.RemoveWindow(b_.hwnd()));
  // The handle of the destroyed window is still registered until removed.
  EXPECT_TRUE(magnetic.AddWindow(b_.hwnd()));
}

}  // namespace
