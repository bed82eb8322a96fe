#include <gtest/gtest.h>

#include <map>
#include <set>

#include "panel/core/docking_tick.h"

using namespace panel;

namespace {

// A scripted desktop: windows with their facts, and a record of what the loop did.
class FakeDesktop : public DockingDesktop {
 public:
  struct Win {
    bool chat = false;  // passes the strict test
    std::wstring exe = L"QQ.exe";
    ScreenRect rect{0, 0, 0, 0};
  };
  std::map<WindowId, Win> windows;
  WindowId fg = 0, panel = 99, chat = 0;
  int listed = 0, refreshes = 0, hides = 0, places = 0;
  ScreenRect lastPlace{};

  WindowId Foreground() override { return fg; }
  WindowId Panel() override { return panel; }
  void RefreshChatWindowList() override { ++refreshes; }
  int ListedChatWindows() override { return listed; }
  bool CheckQQWin(WindowId w) override { return windows.count(w) && windows[w].chat; }
  bool IsWindow(WindowId w) override { return w == panel || windows.count(w); }
  std::wstring ExeName(WindowId w) override { return windows.count(w) ? windows[w].exe : L""; }
  bool WindowRect(WindowId w, ScreenRect& r) override {
    if (!windows.count(w)) return false;
    r = windows[w].rect;
    return true;
  }
  WindowId ChatWindow() override { return chat; }
  void SetChatWindow(WindowId w) override { chat = w; }
  void Hide() override { ++hides; }
  void Place(int32_t l, int32_t t, int32_t h) override {
    ++places;
    lastPlace = {l, t, 0, h};
  }
};

}  // namespace

TEST(DockingTick, ChatWindowInFrontDocksAgainstItsRightEdge) {
  FakeDesktop d;
  d.windows[1] = {true, L"QQ.EXE", {100, 50, 600, 550}};
  d.listed = 1;
  d.fg = 1;
  DockingLoop loop(d);
  loop.Tick(false);
  EXPECT_EQ(d.chat, 1u);
  ASSERT_EQ(d.places, 1);
  EXPECT_EQ(d.lastPlace.left, 9000);
  EXPECT_EQ(d.lastPlace.top, 750);
  EXPECT_EQ(d.lastPlace.bottom, 7500);  // the height
  EXPECT_EQ(d.hides, 0);
}

TEST(DockingTick, DecisionTable) {
  struct Case {
    const char* name;
    WindowId fg;
    int listed;
    bool standAlone;
    int hides, places;
    WindowId chatAfter;
  } cases[] = {
      {"another window in front hides", 3, 2, false, 1, 0, 1},
      {"the panel in front keeps place and target", 99, 2, false, 0, 0, 1},
      {"no QQ window listed hides whatever is in front", 1, 0, false, 1, 0, 1},
      {"chat window of another process becomes the target without moving", 2, 2, false, 0, 0, 2},
      {"stand-alone mode does nothing", 3, 2, true, 0, 0, 1},
  };
  for (const Case& c : cases) {
    FakeDesktop d;
    d.windows[1] = {true, L"QQ.exe", {100, 50, 600, 550}};
    d.windows[2] = {true, L"Other.exe", {0, 0, 400, 400}};
    d.windows[3] = {false, L"notepad.exe", {0, 0, 10, 10}};
    DockingLoop loop(d);
    d.listed = 1;
    d.fg = 1;
    loop.Tick(false);  // first dock to window 1
    d.hides = d.places = 0;
    d.refreshes = 0;
    d.fg = c.fg;
    d.listed = c.listed;
    loop.Tick(c.standAlone);
    EXPECT_EQ(d.hides, c.hides) << c.name;
    EXPECT_EQ(d.places, c.places) << c.name;
    EXPECT_EQ(d.chat, c.chatAfter) << c.name;
    EXPECT_EQ(d.refreshes, c.standAlone ? 0 : 1) << c.name;
  }
}

TEST(DockingTick, ClosedChatWindowAndReturn) {
  FakeDesktop d;
  d.windows[1] = {true, L"QQ.exe", {100, 50, 600, 550}};
  d.listed = 1;
  d.fg = 1;
  DockingLoop loop(d);
  loop.Tick(false);
  // The followed window closes: the list is pruned to nothing and the panel hides.
  d.windows.erase(1);
  d.listed = 0;
  d.fg = 0;
  loop.Tick(false);
  EXPECT_EQ(d.hides, 1);
  EXPECT_EQ(d.chat, 1u);  // never cleared
  // A new chat window in front docks again, following its moves every tick.
  d.windows[5] = {true, L"qq.exe", {10, 20, 310, 420}};
  d.listed = 1;
  d.fg = 5;
  loop.Tick(false);
  d.windows[5].rect = {20, 30, 320, 430};
  loop.Tick(false);
  EXPECT_EQ(d.places, 3);  // the first dock, then each of the two ticks
  EXPECT_EQ(d.lastPlace.left, 320 * 15);
  EXPECT_EQ(d.lastPlace.top, 30 * 15);
}
