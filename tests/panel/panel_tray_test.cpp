// The tray icon and the two window modes, driven from outside the panel: the
// tray's callback messages, "TaskbarCreated", the pin and close buttons, the
// menu's mode items, and drags of the stand-alone window.
#include <gtest/gtest.h>

#include <cstdio>

#include "panel/core/menu_items.h"
#include "support/move_loop_drive.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"
#include "support/tray_double.h"

using namespace testing_support;

namespace {

constexpr UINT kTrayCallback = 0x500;
constexpr wchar_t kCommandClass[] = L"ControlsCommand";
constexpr WPARAM kDockingTimer = 2;

bool At(const PanelProcess& p, int left, int top, int height) {
  const RECT r = p.WindowRect();
  return r.left == left && r.top == top && r.bottom - r.top == height;
}

bool Hidden(const PanelProcess& p) { return p.WindowRect().bottom == 0; }

void ExpectIconRecord(const TrayCall& c, DWORD command) {
  EXPECT_EQ(c.command, command);
  EXPECT_EQ(c.id, 0u);
  EXPECT_EQ(c.flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(c.callbackMessage, kTrayCallback);
  EXPECT_EQ(c.tip, L"Pindle ");
  EXPECT_TRUE(c.hasIcon);
}

void RunMenuItem(const PanelProcess& p, unsigned id) { p.Send(WM_COMMAND, id, 0, p.MenuForm()); }

// Presses the left button at a client point of the panel, moves the mouse by
// (dx, dy) until the window follows, and lets go; returns once the panel has
// finished with the drag.
bool DragPanel(const PanelProcess& p, POINT from, int dx, int dy, bool windowFollows) {
  const RECT before = p.WindowRect();
  ::SetCursorPos(before.left + from.x, before.top + from.y);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  const DWORD thread = ::GetWindowThreadProcessId(p.Window(), nullptr);
  auto inMoveLoop = [&] {
    GUITHREADINFO info{sizeof(info)};
    return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
  };
  // The loop measures the moves from where the mouse is when it starts.
  bool moved = PanelProcess::WaitFor(inMoveLoop);
  if (moved && windowFollows) {
    moved = PanelProcess::WaitFor([&] {
      ::SetCursorPos(before.left + from.x + dx, before.top + from.y + dy);
      SendMouse(MOUSEEVENTF_MOVE);
      const RECT now = p.WindowRect();
      return inMoveLoop() && now.left == before.left + dx && now.top == before.top + dy;
    });
  }
  if (!moved) {
    const RECT now = p.WindowRect();
    std::printf("drag: window at %ld,%ld, move loop %d\n", now.left, now.top, inMoveLoop());
  }
  SendMouse(MOUSEEVENTF_LEFTUP);
  const bool ended = PanelProcess::WaitFor([&] { return !inMoveLoop(); });
  p.Send(WM_NULL, 0, 0);  // the handler goes on after the move loop
  return moved && ended;
}

}  // namespace

TEST(PanelTray, IconAndItsCallbackMessages) {
  TrayDouble tray;
  ASSERT_TRUE(tray.Ready());
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDefX=3000\r\nDefY=1500\r\n");
  ASSERT_TRUE(panel.Start());
  const HWND w = panel.Window();
  ASSERT_TRUE(tray.WaitForCalls(w, 1));
  ExpectIconRecord(tray.Calls(w)[0], NIM_ADD);

  // Another icon's message, a single click and a balloon message change nothing.
  EXPECT_EQ(panel.Send(kTrayCallback, 1, WM_LBUTTONDBLCLK), 0);
  panel.Send(kTrayCallback, 0, WM_LBUTTONDOWN);
  panel.Send(kTrayCallback, 0, WM_LBUTTONUP);
  panel.Send(kTrayCallback, 0, NIN_BALLOONUSERCLICK);
  EXPECT_LE(panel.WindowRect().bottom, 0);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"");

  // A double click: stand-alone at the saved place, 8000 twips high, DuLi = 1.
  EXPECT_EQ(panel.Send(kTrayCallback, 0, WM_LBUTTONDBLCLK), 0);
  EXPECT_TRUE(At(panel, 200, 100, 533));
  EXPECT_TRUE(::IsWindowVisible(w));
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"1");

  // The right button's release pops up the main menu; Esc closes it unchosen.
  ::PostMessageW(w, kTrayCallback, 0, WM_RBUTTONUP);
  const HWND menu = panel.WaitForTopLevel(L"#32768");
  ASSERT_NE(menu, nullptr);
  ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindowVisible(menu); }));
  EXPECT_TRUE(At(panel, 200, 100, 533));

  // A new taskbar: the icon is added again.
  EXPECT_EQ(panel.Send(::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0), 0);
  ASSERT_TRUE(tray.WaitForCalls(w, 2));
  ExpectIconRecord(tray.Calls(w)[1], NIM_ADD);

  // The exit item closes every window; the unload handler deletes the icon.
  ::PostMessageW(panel.MenuForm(), WM_COMMAND, panel::kMenuExit, 0);
  EXPECT_EQ(panel.WaitForExit(10000), 0);
  ASSERT_EQ(tray.Calls(w).size(), 3u);
  const TrayCall del = tray.Calls(w)[2];
  EXPECT_EQ(del.command, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(del.id, 0u);
  EXPECT_EQ(del.flags, 0u);
}

TEST(PanelModes, PinCloseAndMenuSwitchesBesideAChatWindow) {
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe", {L"--x", L"100", L"--y", L"50", L"--width", L"500", L"--height", L"500"}));
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDefX=3000\r\nDefY=1500\r\n");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return At(panel, 600, 50, 500); }));
  const HWND bType = panel.WaitForChildAt(kCommandClass, 189, 0);
  const HWND bExit = panel.WaitForChildAt(kCommandClass, 221, 0);
  ASSERT_NE(bType, nullptr);
  ASSERT_NE(bExit, nullptr);

  // The pin in docking mode: stand-alone where the panel is; the chat window
  // then moves without it (one docking tick run by hand).
  panel.Click(bType);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"1");
  ::SetWindowPos(qq.hwnd(), nullptr, 150, 80, 400, 450, SWP_NOZORDER | SWP_NOACTIVATE);
  panel.Send(WM_TIMER, kDockingTimer, 0);
  EXPECT_TRUE(At(panel, 600, 50, 500));

  // The pin again: docking, hidden until the loop docks it beside the chat window.
  panel.Click(bType);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"0");
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return At(panel, 550, 80, 450); }));

  // The close button hides the panel; the loop leaves it hidden; DuLi stays.
  panel.Click(bExit);
  EXPECT_TRUE(Hidden(panel));
  panel.Send(WM_TIMER, kDockingTimer, 0);
  EXPECT_TRUE(Hidden(panel));
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"0");

  // The menu's follow item docks again; its stand-alone item places the panel.
  RunMenuItem(panel, panel::kMenuEnabled);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"0");
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return At(panel, 550, 80, 450); }));
  RunMenuItem(panel, panel::kMenuDuLi);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"1");
  EXPECT_TRUE(At(panel, 200, 100, 533));

  // The close button in stand-alone mode.
  panel.Click(bExit);
  EXPECT_EQ(panel.WindowRect().top, -533);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"1");
}

TEST(PanelModes, DragsOfTheBackgroundAndTitleAreSavedThoseOfTheLogoAreNot) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDuLi=1\r\nDefX=3000\r\nDefY=1500\r\n");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return At(panel, 200, 100, 533); }));

  ASSERT_TRUE(DragPanel(panel, {40, 14}, 50, 30, true));  // the title
  EXPECT_TRUE(At(panel, 250, 130, 533));
  EXPECT_EQ(panel.ReadConfig(L"DefX"), L"3750");
  EXPECT_EQ(panel.ReadConfig(L"DefY"), L"1950");

  ASSERT_TRUE(DragPanel(panel, {150, 10}, -30, 20, true));  // the background
  EXPECT_EQ(panel.ReadConfig(L"DefX"), L"3300");
  EXPECT_EQ(panel.ReadConfig(L"DefY"), L"2250");

  ASSERT_TRUE(DragPanel(panel, {10, 10}, 20, 20, true));  // the logo picture
  EXPECT_TRUE(At(panel, 240, 170, 533));
  EXPECT_EQ(panel.ReadConfig(L"DefX"), L"3300");
  EXPECT_EQ(panel.ReadConfig(L"DefY"), L"2250");

  // The next start uses the last saved drag.
  panel.Close();
  ASSERT_TRUE(panel.Start());
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return At(panel, 220, 150, 533); }));
}
