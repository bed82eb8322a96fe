#include "foundation/tray_window_proc.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/subclass_host.h"
#include "window_services/test_window.h"

using namespace foundation;
using testing_support::TestWindow;

namespace {

struct Seen {
  UINT msg;
  WPARAM w;
  LPARAM l;
};
std::vector<Seen> g_window;  // what reached the window's own procedure

LRESULT CALLBACK PanelWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= WM_APP || m == kTrayCallbackMessage) {
    g_window.push_back({m, w, l});
    return 40 + static_cast<LRESULT>(w);
  }
  return ::DefWindowProcW(h, m, w, l);
}

// Stands in for the panel's tray handler: answers the tray callback and the
// taskbar's re-creation itself, everything else goes on.
class FakePanel : public ITrayMessageHandler {
 public:
  UINT taskbarCreated = ::RegisterWindowMessageW(kTaskbarCreatedMessageName);
  std::vector<LPARAM> trayEvents;
  int readded = 0;
  int calls = 0;

  LRESULT WndProcTrayIcon(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    ++calls;
    if (uMsg == kTrayCallbackMessage) {
      if (wParam == 0) trayEvents.push_back(lParam);
      return 0;
    }
    if (uMsg == taskbarCreated) {
      ++readded;
      return 0;
    }
    return CallOldWindowProc(hWnd, uMsg, wParam, lParam);
  }
};

WNDPROC g_oldInner = nullptr;
int g_innerCalls = 0;
LRESULT CALLBACK InnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= WM_APP) ++g_innerCalls;
  return ::CallWindowProcW(g_oldInner, h, m, w, l);
}

}  // namespace

TEST(TrayWindowProc, AnswersTrayMessagesAndPassesTheRestThroughTheInnerProcedures) {
  g_window.clear();
  g_innerCalls = 0;
  TestWindow panel;
  ASSERT_TRUE(panel.Create(L"TrayTestPanel", PanelWindowProc));
  HWND h = panel.hwnd();
  g_oldInner = InstallWindowProc(h, InnerProc);  // installed earlier, so inside the tray procedure
  FakePanel fake;
  HookTrayWindow(h, &fake);
  HookTrayWindow(h, &fake);  // a second call installs nothing more

  // Under Xvfb the icon is invisible: send its callback message ourselves.
  EXPECT_EQ(::SendMessageW(h, kTrayCallbackMessage, 0, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(::SendMessageW(h, kTrayCallbackMessage, 0, WM_RBUTTONUP), 0);
  EXPECT_EQ(::SendMessageW(h, kTrayCallbackMessage, 3, WM_RBUTTONUP), 0);
  EXPECT_EQ(::SendMessageW(h, fake.taskbarCreated, 0, 0), 0);
  EXPECT_EQ(fake.trayEvents, (std::vector<LPARAM>{WM_LBUTTONDBLCLK, WM_RBUTTONUP}));
  EXPECT_EQ(fake.readded, 1);
  EXPECT_TRUE(g_window.empty());
  EXPECT_EQ(g_innerCalls, 0);

  // Any other message reaches the inner procedure and the window once, unchanged.
  fake.calls = 0;
  EXPECT_EQ(::SendMessageW(h, WM_APP + 3, 2, 0x1234), 42);
  EXPECT_EQ(fake.calls, 1);
  EXPECT_EQ(g_innerCalls, 1);
  ASSERT_EQ(g_window.size(), 1u);
  EXPECT_EQ(g_window[0].msg, static_cast<UINT>(WM_APP + 3));
  EXPECT_EQ(g_window[0].w, 2u);
  EXPECT_EQ(g_window[0].l, 0x1234);

  // Off again: the callback message now reaches the window.
  UnhookTrayWindow(h);
  fake.calls = 0;
  EXPECT_EQ(::SendMessageW(h, kTrayCallbackMessage, 1, WM_RBUTTONUP), 41);
  EXPECT_EQ(fake.calls, 0);
  EXPECT_EQ(g_window.size(), 2u);
  EXPECT_EQ(g_innerCalls, 0 + 1);
  RemoveWindowProc(h, InnerProc);
  EXPECT_FALSE(HasSubclassHost(h));

  // It can be put on again.
  HookTrayWindow(h, &fake);
  EXPECT_EQ(::SendMessageW(h, kTrayCallbackMessage, 0, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(fake.trayEvents.size(), 3u);
  UnhookTrayWindow(h);
}

TEST(TrayWindowProc, ADestroyedPanelWindowCanBeFollowedByANewOne) {
  FakePanel fake;
  {
    TestWindow first;
    ASSERT_TRUE(first.Create(L"TrayTestPanel", PanelWindowProc));
    HookTrayWindow(first.hwnd(), &fake);
  }  // destroyed without UnhookTrayWindow
  TestWindow second;
  ASSERT_TRUE(second.Create(L"TrayTestPanel", PanelWindowProc));
  HookTrayWindow(second.hwnd(), &fake);
  fake.trayEvents.clear();
  EXPECT_EQ(::SendMessageW(second.hwnd(), kTrayCallbackMessage, 0, WM_RBUTTONUP), 0);
  EXPECT_EQ(fake.trayEvents.size(), 1u);
  UnhookTrayWindow(second.hwnd());
}
