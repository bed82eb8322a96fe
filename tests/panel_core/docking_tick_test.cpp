#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <random>
#include <set>
#include <string>

#include "panel/core/docking_tick.h"

using namespace panel;

namespace {

// A scripted desktop: windows with their facts, a chat-window list kept as the
// enumeration and the pruning keep it, and a record of what the loop did.
class FakeDesktop : public DockingDesktop {
 public:
  struct Win {
    bool chat = false;    // passes the strict test
    bool listed = true;   // passes the enumeration's tests
    std::wstring exe = L"QQ.exe";
    ScreenRect rect{0, 0, 0, 0};
  };
  std::map<WindowId, Win> windows;
  WindowId fg = 0, panel = 99, chat = 0;
  std::set<WindowId> list, refreshedSet;
  bool everRefreshed = false;
  int refreshes = 0, hides = 0, places = 0;
  ScreenRect lastPlace{};
  std::string log;  // what the panel did, tick by tick

  WindowId Foreground() override { return fg; }
  WindowId Panel() override { return panel; }
  void RefreshChatWindowList() override {
    ++refreshes;
    for (const auto& [id, w] : windows)
      if (w.listed) list.insert(id);
    std::erase_if(list, [&](WindowId id) { return !windows.count(id); });
    refreshedSet = Existing();
    everRefreshed = true;
  }
  bool TopLevelWindowsChanged() override { return !everRefreshed || Existing() != refreshedSet; }
  int ListedChatWindows() override { return static_cast<int>(list.size()); }
  bool IsListed(WindowId w) override { return list.count(w) != 0; }
  bool EntersList(WindowId w) override { return windows.count(w) && windows[w].listed; }
  bool CheckQQWin(WindowId w) override { return windows.count(w) && windows[w].chat; }
  std::wstring ExeName(WindowId w) override { return windows.count(w) ? windows[w].exe : L""; }
  bool WindowRect(WindowId w, ScreenRect& r) override {
    if (!windows.count(w)) return false;
    r = windows[w].rect;
    return true;
  }
  WindowId ChatWindow() override { return chat; }
  void SetChatWindow(WindowId w) override {
    if (w != chat) log += "target " + std::to_string(w) + "; ";
    chat = w;
  }
  void Hide() override {
    ++hides;
    log += "hide; ";
  }
  void Place(int32_t l, int32_t t, int32_t h) override {
    ++places;
    lastPlace = {l, t, 0, h};
    log += "place " + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(h) + "; ";
  }

  bool Exists(WindowId w) const { return w == panel || windows.count(w); }

 private:
  std::set<WindowId> Existing() const {
    std::set<WindowId> ids{panel};
    for (const auto& [id, w] : windows) ids.insert(id);
    return ids;
  }
};

std::wstring Upper(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
  return s;
}

// The loop as it reads step by step: enumerate and prune on every tick (a
// moment with no window in front decides nothing, as in the loop).
void EveryTickReference(FakeDesktop& d, bool standAlone, int& ticksWithoutForeground) {
  const WindowId fg = d.Foreground();
  if (standAlone) return;
  if (fg) {
    ticksWithoutForeground = 0;
  } else if (ticksWithoutForeground < DockingLoop::kNoForegroundTicks) {
    ++ticksWithoutForeground;
    return;
  }
  d.RefreshChatWindowList();
  if (d.ListedChatWindows() < 1) return d.Hide();
  const WindowId panel = d.Panel();
  if (d.CheckQQWin(fg) && fg != panel) {
    d.SetChatWindow(fg);
  } else if (!d.CheckQQWin(fg) && fg != panel) {
    return d.Hide();
  }
  const WindowId chat = d.ChatWindow();
  if (d.Exists(chat) && fg == chat) {
    ScreenRect r;
    if (chat != panel && Upper(d.ExeName(fg)) == L"QQ.EXE" && d.WindowRect(chat, r))
      d.Place(r.right * 15, r.top * 15, (r.bottom - r.top) * 15);
    return;
  }
  if (!d.CheckQQWin(fg) && fg != panel) d.Hide();
}

}  // namespace

TEST(DockingTick, ChatWindowInFrontDocksAgainstItsRightEdge) {
  FakeDesktop d;
  d.windows[1] = {true, true, L"QQ.EXE", {100, 50, 600, 550}};
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
    bool qqListed;  // whether window 1 (the QQ chat window) still exists
    bool standAlone;
    int hides, places;
    WindowId chatAfter;
  } cases[] = {
      {"the QQ chat window in front is followed", 1, true, false, 0, 1, 1},
      {"another window in front hides", 3, true, false, 1, 0, 1},
      {"the panel in front keeps place and target", 99, true, false, 0, 0, 1},
      {"chat window of another process becomes the target without moving", 2, true, false, 0, 0, 2},
      {"stand-alone mode does nothing", 3, true, true, 0, 0, 1},
      {"the panel in front with nothing listed hides", 99, false, false, 1, 0, 1},
      {"a window that passes only the strict test, nothing listed, hides", 4, false, false, 1, 0, 1},
  };
  for (const Case& c : cases) {
    FakeDesktop d;
    d.windows[1] = {true, true, L"QQ.exe", {100, 50, 600, 550}};
    d.windows[2] = {true, true, L"Other.exe", {0, 0, 400, 400}};
    d.windows[3] = {false, false, L"notepad.exe", {0, 0, 10, 10}};
    DockingLoop loop(d);
    d.fg = 1;
    loop.Tick(false);  // first dock to window 1
    d.hides = d.places = 0;
    if (!c.qqListed) {
      d.windows.erase(1);
      d.windows.erase(2);
      d.windows[4] = {true, false, L"QQ.exe", {0, 0, 400, 400}};
    }
    d.fg = c.fg;
    loop.Tick(c.standAlone);
    EXPECT_EQ(d.hides, c.hides) << c.name;
    EXPECT_EQ(d.places, c.places) << c.name;
    EXPECT_EQ(d.chat, c.chatAfter) << c.name;
  }
}

TEST(DockingTick, ClosedChatWindowAndReturn) {
  FakeDesktop d;
  d.windows[1] = {true, true, L"QQ.exe", {100, 50, 600, 550}};
  d.fg = 1;
  DockingLoop loop(d);
  loop.Tick(false);
  // The followed window closes and the panel comes to the front: the list is
  // pruned to nothing and the panel hides.
  d.windows.erase(1);
  d.fg = d.panel;
  loop.Tick(false);
  EXPECT_EQ(d.hides, 1);
  EXPECT_EQ(d.chat, 1u);  // never cleared
  // A new chat window in front docks again, following its moves every tick.
  d.windows[5] = {true, true, L"qq.exe", {10, 20, 310, 420}};
  d.fg = 5;
  loop.Tick(false);
  d.windows[5].rect = {20, 30, 320, 430};
  loop.Tick(false);
  EXPECT_EQ(d.places, 3);  // the first dock, then each of the two ticks
  EXPECT_EQ(d.lastPlace.left, 320 * 15);
  EXPECT_EQ(d.lastPlace.top, 30 * 15);
}

// Activation passing to the panel (the user clicks it) reads as no window in
// front for a moment: the docked panel stays where it is. No window in front
// for longer is like another window in front.
TEST(DockingTick, AMomentWithNoWindowInFrontMovesNothing) {
  FakeDesktop d;
  d.windows[1] = {true, true, L"QQ.exe", {100, 50, 600, 550}};
  d.fg = 1;
  DockingLoop loop(d);
  loop.Tick(false);
  d.fg = 0;
  for (int i = 0; i < DockingLoop::kNoForegroundTicks; ++i) loop.Tick(false);
  d.fg = d.panel;
  loop.Tick(false);
  EXPECT_EQ(d.log, "target 1; place 9000,750,7500; ");
  d.fg = 0;
  for (int i = 0; i <= DockingLoop::kNoForegroundTicks; ++i) loop.Tick(false);
  EXPECT_EQ(d.hides, 1);
  EXPECT_EQ(d.chat, 1u);
}

// When the list is brought up to date: never while another window is in
// front or while the chat window in front is listed; when a chat window that
// the enumeration would list comes to the front, when windows appear or go
// while the list decides, and on the fallback period.
TEST(DockingTick, TheListIsRefreshedOnlyWhenItCanDecide) {
  FakeDesktop d;
  d.windows[1] = {true, true, L"QQ.exe", {100, 50, 600, 550}};
  d.windows[3] = {false, false, L"notepad.exe", {0, 0, 10, 10}};
  DockingLoop loop(d);
  d.fg = 3;
  for (int i = 0; i < 1000; ++i) loop.Tick(false);
  EXPECT_EQ(d.refreshes, 0) << "another window in front hides the panel whatever the list holds";
  d.fg = 1;
  loop.Tick(false);
  EXPECT_EQ(d.refreshes, 1) << "a chat window in front that is not listed yet";
  for (int i = 0; i < 1000; ++i) loop.Tick(false);
  EXPECT_EQ(d.refreshes, 1) << "the listed chat window in front decides alone";
  EXPECT_EQ(d.places, 1001);

  // The panel in front: the list decides, refreshed only when windows come
  // and go, or on the fallback period.
  d.fg = d.panel;
  loop.Tick(false);
  const int before = d.refreshes;
  for (int i = 0; i < DockingLoop::kRefreshFallbackTicks - 2; ++i) loop.Tick(false);
  EXPECT_EQ(d.refreshes, before);
  d.windows[6] = {false, false, L"calc.exe", {}};
  loop.Tick(false);
  EXPECT_EQ(d.refreshes, before + 1) << "a window appeared";
  // A window already there starts passing the enumeration's tests while the
  // panel is in front: listed by the fallback refresh at the latest.
  d.windows[6].listed = true;
  d.windows.erase(1);
  loop.Tick(false);
  EXPECT_EQ(d.refreshes, before + 2) << "a window went";
  EXPECT_EQ(d.list, std::set<WindowId>{6});
  d.windows[7] = {false, false, L"calc.exe", {}};
  loop.Tick(false);
  d.windows[7].listed = true;
  for (int i = 0; i < DockingLoop::kRefreshFallbackTicks - 1; ++i) loop.Tick(false);
  EXPECT_EQ(d.list.count(7), 0u);
  loop.Tick(false);
  EXPECT_EQ(d.list.count(7), 1u) << "the fallback period";

  // In stand-alone mode nothing is read beyond the window in front.
  const int refreshes = d.refreshes;
  d.windows[8] = {true, true, L"QQ.exe", {}};
  d.fg = 8;
  for (int i = 0; i < 1000; ++i) loop.Tick(true);
  EXPECT_EQ(d.refreshes, refreshes);
  EXPECT_EQ(d.list.count(8), 0u);
}

// The loop against the step-by-step reference that enumerates and prunes on
// every tick, over random sessions: windows open and close, come to the
// front, gain or lose the strict test (moved, resized, retitled), the chat
// window in front starts passing the enumeration's tests, the mode switches.
// What the sessions leave out, a window that starts passing the enumeration's
// tests while it is not a chat window in front (and no window appears or
// goes), enters the list later than the reference would list it: by the
// fallback period (test above); it decides a tick only while nothing else is
// listed and the panel, or a chat window that the enumeration refuses, is in
// front.
TEST(DockingTick, DoesWhatEnumeratingEveryTickDoesInRandomSessions) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    FakeDesktop fast, reference;
    DockingLoop loop(fast);
    WindowId next = 1;
    bool standAlone = false;
    int ticksWithoutForeground = 0;
    for (int step = 0; step < 1500; ++step) {
      std::vector<WindowId> ids;
      for (const auto& [id, w] : fast.windows) ids.push_back(id);
      const int event = pick(12);
      if (event == 0 || ids.empty()) {
        FakeDesktop::Win w;
        w.chat = pick(2);
        w.listed = pick(3) != 0;
        w.exe = pick(3) ? L"QQ.exe" : L"Other.exe";
        w.rect = {pick(500), pick(300), 600 + pick(300), 400 + pick(300)};
        fast.windows[next] = reference.windows[next] = w;
        if (pick(2)) fast.fg = reference.fg = next;
        ++next;
      } else if (event == 1) {
        const WindowId id = ids[pick(static_cast<int>(ids.size()))];
        fast.windows.erase(id);
        reference.windows.erase(id);
        if (pick(2)) fast.fg = reference.fg = 0;
      } else if (event == 2) {
        fast.fg = reference.fg = ids[pick(static_cast<int>(ids.size()))];
      } else if (event == 3) {
        fast.fg = reference.fg = fast.panel;
      } else if (event == 4) {
        const WindowId id = ids[pick(static_cast<int>(ids.size()))];
        fast.windows[id].chat = reference.windows[id].chat = pick(2);
      } else if (event == 5 && fast.windows.count(fast.fg) && fast.windows[fast.fg].chat) {
        fast.windows[fast.fg].listed = reference.windows[fast.fg].listed = true;
      } else if (event == 6) {
        const WindowId id = ids[pick(static_cast<int>(ids.size()))];
        const ScreenRect r = {pick(500), pick(300), 600 + pick(300), 400 + pick(300)};
        fast.windows[id].rect = reference.windows[id].rect = r;
      } else if (event == 7 && pick(20) == 0) {
        standAlone = !standAlone;
      }
      loop.Tick(standAlone);
      EveryTickReference(reference, standAlone, ticksWithoutForeground);
      ASSERT_EQ(fast.log, reference.log) << "seed " << seed << ", step " << step;
      ASSERT_EQ(fast.chat, reference.chat) << "seed " << seed << ", step " << step;
      // Whatever the loop left in its list, the reference's holds too.
      for (WindowId id : fast.list) {
        if (fast.windows.count(id)) {
          ASSERT_TRUE(reference.list.count(id)) << "seed " << seed;
        }
      }
    }
  }
}
