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
  // Retitled as the message manager while it stays in front, it is no chat
  // window any more: the panel hides, and comes back with the title.
  ::SetWindowTextW(qq.hwnd(), L"消息管理器");
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return panel.WindowRect().bottom == 0; }));
  ::SetWindowTextW(qq.hwnd(), L"张三 - 交谈中");
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return Docked(panel, 550, 80, 450); }));

  // The panel itself in front keeps it in place (nothing marks a tick that
  // leaves the panel alone: it must not move for a while).
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
  panel.AddPicture(L"默认表情", L"a.bmp", 40, 30);
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(BringToFront(other.hwnd()));
  // It passes the chat-window tests, so the loop makes it the target of
  // sending: a click pastes into it once a tick has seen it in front (before
  // that, there is no target and the click does nothing).
  HWND grid = panel.Grids().front();
  EXPECT_TRUE(PumpUntil([&] {
    ::PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    return other.WaitForLine("paste bitmap=40x30", 500);
  }, 15000));
  // That same tick would have docked the panel; its process is not QQ.EXE, so
  // the panel stays where it was, above the screen.
  const RECT r = panel.WindowRect();
  EXPECT_LE(r.bottom, 0);
  EXPECT_NE(r.left, 600);
}
