// The press, hover and toggle machines of the two skinned buttons, fed with
// inputs, with a recording host in place of the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/core/command_state.h"
#include "controls/core/qq_button_state.h"

using namespace controls;

namespace {

struct QQHost : QQButtonMachine::Host {
  std::vector<int> looks;
  int clicks = 0;
  bool captured = false;
  int releases = 0;
  void PrintB(int state) override { looks.push_back(state); }
  void CaptureMouse() override { captured = true; }
  void ReleaseMouse() override {
    captured = false;
    ++releases;
  }
  void RaiseClick() override { ++clicks; }
};

constexpr float W = 97, H = 25;

}  // namespace

TEST(QQButtonMachine, LeftPressAndReleaseClicksOnce) {
  QQHost host;
  QQButtonMachine m(host);
  m.MouseMove(10, 10, W, H);
  m.MouseMove(11, 10, W, H);  // no second hover draw
  m.MouseDown(1);
  m.MouseUp(1, true);
  EXPECT_EQ(host.looks, (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(host.clicks, 1);
  EXPECT_TRUE(m.armed());  // stays armed after the click
  EXPECT_FALSE(m.hover());
}

TEST(QQButtonMachine, RightPressDisarmsAndShowsNoPressedFace) {
  QQHost host;
  QQButtonMachine m(host);
  m.MouseDown(1);
  m.MouseUp(1, true);
  ASSERT_EQ(host.clicks, 1);
  host.looks.clear();
  m.MouseDown(2);
  EXPECT_TRUE(host.looks.empty());
  EXPECT_FALSE(m.armed());
  m.MouseUp(2, true);
  m.KeyDown(13);
  EXPECT_EQ(host.clicks, 1);
}

TEST(QQButtonMachine, EnterAndAccessKeyClickOnlyOnceArmed) {
  QQHost host;
  QQButtonMachine m(host);
  m.KeyDown(13);
  m.AccessKey();
  EXPECT_EQ(host.clicks, 0);
  m.MouseDown(1);
  m.MouseUp(1, false);  // released outside: no click, but armed
  EXPECT_EQ(host.clicks, 0);
  m.KeyDown(13);
  m.KeyDown(13);
  m.AccessKey();
  m.KeyDown(32);  // only Enter
  EXPECT_EQ(host.clicks, 3);
}

TEST(QQButtonMachine, DoubleClickGivesOneClick) {
  QQHost host;
  QQButtonMachine m(host);
  m.MouseDown(1);
  m.MouseUp(1, true);
  m.DoubleClick(1);
  m.MouseUp(1, true);
  EXPECT_EQ(host.clicks, 1);
  EXPECT_EQ(host.looks, (std::vector<int>{3, 1, 3, 1}));
  // A double click alone arms the button.
  QQHost fresh;
  QQButtonMachine m2(fresh);
  m2.DoubleClick(1);
  m2.KeyDown(13);
  EXPECT_EQ(fresh.clicks, 1);
}

TEST(QQButtonMachine, LeavingWhileHeldReleasesCaptureAndShowsNormal) {
  QQHost host;
  QQButtonMachine m(host);
  m.MouseMove(5, 5, W, H);
  EXPECT_TRUE(host.captured);
  m.MouseDown(1);
  m.MouseMove(W, H, W, H);  // the far edge still counts as inside
  EXPECT_TRUE(host.captured);
  m.MouseMove(W + 1, 5, W, H);
  EXPECT_FALSE(host.captured);
  EXPECT_EQ(host.looks, (std::vector<int>{2, 3, 1}));
  m.MouseMove(5, -1, W, H);
  EXPECT_EQ(host.releases, 2);
}

namespace {

struct CommandHost : CommandMachine::Host {
  CommandMachine* m = nullptr;
  std::vector<int> refreshed;  // the look at each refresh
  std::vector<std::string> log;
  bool cursorOver = true;
  bool timer = false;
  int clicks = 0;
  void Refresh() override { refreshed.push_back(m->VisualState()); }
  void StartOverTimer() override { timer = true; }
  void StopOverTimer() override { timer = false; }
  void PumpMessages() override { log.push_back("pump"); }
  bool CursorOverButton() override { return cursorOver; }
  void RaiseClick() override { ++clicks; }
  void RaiseMouseIn(int16_t s) override { log.push_back("in" + std::to_string(s)); }
  void RaiseMouseOut(int16_t s) override { log.push_back("out" + std::to_string(s)); }
  void HoverChanged(bool hover) override { log.push_back(hover ? "hover on" : "hover off"); }
};

struct CommandFixture {
  CommandHost host;
  CommandMachine m{host};
  CommandFixture() { host.m = &m; }
};

}  // namespace

TEST(CommandMachine, StatusAndCheckInEveryCombination) {
  struct Case {
    bool check, status;
    int idle, hover, pressed;
    int idleFrame, hoverFrame, pressedFrame;  // -1: nothing painted
  };
  const Case cases[] = {
      {false, false, 1, 2, 3, 0, 1, 2},
      {false, true, 0, 2, 5, 3, 1, -1},  // 4-frame strip has no selected-pressed frame
      {true, false, 1, 2, 3, 0, 1, 2},
      {true, true, 0, 4, 5, 3, 4, 5},
  };
  auto frame = [](int state, bool check) { return CommandFrameForState(state, check).value_or(-1); };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "check " << c.check << " status " << c.status);
    CommandFixture f;
    f.m.set_check(c.check);
    f.m.set_status(c.status);
    EXPECT_EQ(f.m.VisualState(), c.idle);
    EXPECT_EQ(frame(c.idle, c.check), c.idleFrame);
    f.m.MouseMove(true, 0);
    EXPECT_EQ(f.m.VisualState(), c.hover);
    EXPECT_EQ(frame(c.hover, c.check), c.hoverFrame);
    f.m.MouseDown(1, 0, 5, 5);
    EXPECT_EQ(f.m.VisualState(), c.pressed);
    EXPECT_EQ(frame(c.pressed, c.check), c.pressedFrame);
    // Disabled: always the disabled frame.
    EXPECT_EQ(frame(CommandEffectiveState(c.pressed, false), c.check), 3);
    // A click leaves the toggle's Status to the host.
    f.m.MouseUp(1, true);
    EXPECT_EQ(f.m.status(), c.status);
  }
}

TEST(CommandMachine, ClicksOnlyForNonRightReleaseInside) {
  CommandFixture f;
  f.m.MouseDown(2, 0, 1, 1);
  EXPECT_FALSE(f.m.pressed());
  f.m.MouseUp(2, true);
  f.m.MouseDown(1, 0, 1, 1);
  f.m.MouseUp(1, false);
  EXPECT_EQ(f.host.clicks, 0);
  f.m.MouseDown(4, 0, 1, 1);  // middle presses too
  EXPECT_TRUE(f.m.pressed());
  f.m.MouseUp(4, true);
  EXPECT_EQ(f.host.clicks, 1);
}

TEST(CommandMachine, EnterAndSpaceClickOncePerPress) {
  CommandFixture f;
  for (int i = 0; i < 5; ++i) f.m.KeyDown(32);  // auto-repeat
  EXPECT_EQ(f.host.clicks, 1);
  EXPECT_TRUE(f.m.pressed());
  f.m.KeyUp(32);
  EXPECT_FALSE(f.m.pressed());
  f.m.KeyDown(13);
  f.m.KeyDown(13);
  f.m.KeyUp(13);
  f.m.KeyDown(13);
  EXPECT_EQ(f.host.clicks, 3);
  f.m.KeyUp(13);
  f.m.KeyDown(65);  // other keys never click
  EXPECT_EQ(f.host.clicks, 3);
}

TEST(CommandMachine, DoubleClickReplaysThePressAndClicksTwice) {
  CommandFixture f;
  f.m.MouseDown(1, 1, 30, 45);
  f.m.MouseUp(1, true);
  const CommandMachine::Press replay = f.m.DoubleClick();
  EXPECT_EQ(replay.button, 1);
  EXPECT_EQ(replay.shift, 1);
  EXPECT_EQ(replay.x, 30);
  EXPECT_EQ(replay.y, 45);
  EXPECT_EQ(f.m.VisualState(), 3);
  f.m.MouseUp(1, true);
  EXPECT_EQ(f.host.clicks, 2);
}

TEST(CommandMachine, OverTimerEndsHoverAndShowsIdleWhileHeldOutside) {
  CommandFixture f;
  f.m.MouseDown(1, 2, 0, 0);
  f.m.MouseMove(true, 0);
  EXPECT_TRUE(f.host.timer);
  // The hover picture is in place before MouseIn is raised.
  EXPECT_EQ(f.host.log, (std::vector<std::string>{"hover on", "in0", "pump"}));
  f.m.OverTimerTick();  // still over: nothing
  EXPECT_TRUE(f.m.hover());
  f.host.refreshed.clear();
  f.host.cursorOver = false;
  f.m.OverTimerTick();
  EXPECT_FALSE(f.host.timer);
  EXPECT_FALSE(f.m.hover());
  EXPECT_EQ(f.host.log, (std::vector<std::string>{"hover on", "in0", "pump", "hover off", "out2"}));  // Shift of the press
  EXPECT_EQ(f.host.refreshed, (std::vector<int>{3, 1}));
  EXPECT_TRUE(f.m.pressed());  // back inside shows pressed again
  f.m.FocusChanged(true);
  EXPECT_TRUE(f.m.has_focus());
  EXPECT_TRUE(f.m.pressed());
  f.m.FocusChanged(false);
  EXPECT_FALSE(f.m.has_focus());
  EXPECT_FALSE(f.m.pressed());
}

TEST(CommandMachine, AccessKeyIsEnterOrEscWhileEnabled) {
  CommandFixture f;
  f.m.AccessKey(13, true);
  f.m.AccessKey(27, true);
  f.m.AccessKey(13, false);
  f.m.AccessKey('A', true);
  EXPECT_EQ(f.host.clicks, 2);
}
