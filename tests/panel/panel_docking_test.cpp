// The docking loop against real windows: the QQ double, another program's
// window, the panel itself.
#include <gtest/gtest.h>

#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace testing_support;

namespace {

bool Docked(const PanelProcess& p, int left, int top, int height) {
  const RECT r = p.WindowRect();
  return r.left == left && r.top == top && r.bottom - r.top == height;
}

// A plain window of the test process, to put something else in front.
HWND MakeOtherWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PanelTestOtherWindow";
  ::RegisterClassW(&wc);
  HWND h = ::CreateWindowExW(0, wc.lpszClassName, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 200, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
  return h;
}

}  // namespace

TEST(PanelDocking, FollowsTheChatWindowInFront) {
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe", {L"--x", L"100", L"--y", L"50", L"--width", L"500", L"--height", L"500"}));
  PanelProcess panel;
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  // Against the right edge, same top and height; the minimum width of 257 px.
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(panel, 600, 50, 500); })) << panel.WindowRect().left;
  EXPECT_EQ(panel.WindowRect().right - panel.WindowRect().left, 257);

  // The chat window moves: the panel follows.
  ::SetWindowPos(qq.hwnd(), nullptr, 150, 80, 400, 450, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return Docked(panel, 550, 80, 450); }));

  // The panel itself in front keeps it in place.
  ASSERT_TRUE(BringToFront(panel.Window()));
  PumpMessages(300);
  EXPECT_TRUE(Docked(panel, 550, 80, 450));

  // Another window in front hides it above the screen.
  HWND other = MakeOtherWindow();
  ASSERT_TRUE(BringToFront(other));
  EXPECT_TRUE(PanelProcess::WaitFor([&] {
    const RECT r = panel.WindowRect();
    return r.bottom == 0 && r.top == -450;
  })) << panel.WindowRect().top;

  // Back to the chat window: docked again; closing it hides the panel.
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return Docked(panel, 550, 80, 450); }));
  qq.Close();
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return panel.WindowRect().bottom <= 0; }));
  ::DestroyWindow(other);
}

TEST(PanelDocking, ChatWordInAnotherProgramIsNotFollowed) {
  QqDoubleProcess other;
  ASSERT_TRUE(other.Start(L"OtherChat.exe", {L"--x", L"100", L"--y", L"50"}));
  PanelProcess panel;
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(BringToFront(other.hwnd()));
  PumpMessages(500);
  // It passes the chat-window tests but its process is not QQ.EXE: the panel
  // stays where it was, above the screen.
  const RECT r = panel.WindowRect();
  EXPECT_LE(r.bottom, 0);
  EXPECT_NE(r.left, 600);
}
