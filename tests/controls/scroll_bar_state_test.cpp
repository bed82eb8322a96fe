// The scroll bar's geometry, values, repeat, drag and hover logic, driven
// through a fake host whose timers run on a fake clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/core/scroll_bar_state.h"

using namespace controls;

namespace {

class FakeBar : public ScrollBarHost {
 public:
  explicit FakeBar(int h = 200) : height(h), state(*this) { state.InitNew(); }

  int height;
  bool enabled = true;
  bool cursorOver = true;
  int changes = 0, scrolls = 0, moves = 0, invalid = 0;
  std::vector<std::wstring> marks;
  std::vector<std::string> draws;  // "skin <id> x y w h" and "line x1 y1 x2 y2 colour"
  int repeatInterval = 0, repeatElapsed = 0, pollElapsed = 0;
  bool repeatOn = false, pollOn = false;
  ScrollBarState state;

  // The fake clock: runs the bar's timers for ms milliseconds.
  void Advance(int ms) {
    for (int t = 0; t < ms; ++t) {
      if (repeatOn && ++repeatElapsed >= repeatInterval) {
        repeatElapsed = 0;
        state.RepeatTick();
      }
      if (pollOn && ++pollElapsed >= kScrollHoverPollMs) {
        pollElapsed = 0;
        state.HoverPollTick();
      }
    }
  }
  void Hover(float y) { state.MouseMove(0, 0, 8, y); }
  void Press(float y, int16_t button = 1) {
    Hover(y);
    state.MouseDown(button, y);
  }
  bool Drew(const std::string& prefix) const {
    for (const auto& d : draws) {
      if (d.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }

  int ControlHeight() const override { return height; }
  void SetControlSize(int, int h) override { height = h; }
  bool WindowEnabled() const override { return enabled; }
  void SetWindowEnabled(bool e) override { enabled = e; }
  void BeginDraw() override {}
  void EndDraw() override {}
  void DrawSkin(int id, int x, int y, int w, int h) override {
    draws.push_back("skin " + std::to_string(id) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::to_string(w) + " " + std::to_string(h));
  }
  void DrawLine(int x1, int y1, int x2, int y2, uint32_t c) override {
    char buf[80];
    snprintf(buf, sizeof buf, "line %d %d %d %d %06X", x1, y1, x2, y2, c);
    draws.push_back(buf);
  }
  void StartRepeatTimer(int ms) override {
    repeatInterval = ms;
    repeatElapsed = 0;
    repeatOn = true;
  }
  void StopRepeatTimer() override { repeatOn = false; }
  void StartHoverPoll(int) override {
    pollElapsed = 0;
    pollOn = true;
  }
  void StopHoverPoll() override { pollOn = false; }
  bool CursorOverControl() const override { return cursorOver; }
  void ReportInvalidPropertyValue() override { ++invalid; }
  void RaiseChange() override { ++changes; }
  void RaiseScroll() override { ++scrolls; }
  void RaiseMouseMove(int16_t, int16_t, float, float) override { ++moves; }
  void MarkChanged(const wchar_t* p) override { marks.push_back(p); }
};

}  // namespace

TEST(ScrollBarGeometry, ThumbSizeCases) {
  struct Case {
    int height, large, max;
    int thumb, free;
  };
  const Case cases[] = {
      {200, 100, 100, 83, 83},   // L <= M: L / (L + M) of the track
      {200, 300, 100, 124, 42},  // L > M: 124.5 rounds to even
      {200, 10, 255, 10, 156},   // 6.26 is lifted to the 10-pixel floor
      {134, 50, 50, 50, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height * 1000 + c.large);
    FakeBar bar(c.height);
    bar.state.set_large_change(c.large);
    bar.state.set_max(c.max);
    EXPECT_EQ(bar.state.thumb_height(), c.thumb);
    EXPECT_EQ(bar.state.free_track(), c.free);
  }
}

TEST(ScrollBarGeometry, SizeKeptWhenMaxOrLargeChangeIsZeroOrBarIsMinimal) {
  FakeBar bar(200);
  bar.state.set_large_change(100);
  bar.state.set_max(100);
  ASSERT_EQ(bar.state.thumb_height(), 83);
  bar.state.set_max(0);
  EXPECT_EQ(bar.state.thumb_height(), 83);
  bar.state.set_max(100);
  bar.state.set_large_change(0);
  EXPECT_EQ(bar.state.thumb_height(), 83);
  bar.state.set_large_change(100);
  bar.height = 34;
  bar.state.ResizeStep();
  EXPECT_EQ(bar.state.thumb_height(), 83);
  bar.height = 20;  // too low: the resize step lifts it to 34
  bar.state.ResizeStep();
  EXPECT_EQ(bar.height, 34);
}

TEST(ScrollBarGeometry, ThumbPositionIgnoresMin) {
  FakeBar bar(200);
  bar.state.set_max(100);
  bar.state.set_min(50);
  bar.state.set_value(50);
  const int travel = 200 - 34 - bar.state.thumb_height();
  EXPECT_EQ(bar.state.thumb_top(), 17 + travel / 2);
  bar.state.set_value(100);
  EXPECT_EQ(bar.state.thumb_top() + bar.state.thumb_height(), 200 - 17);
  bar.state.set_value(0);  // clamped to Min 50
  EXPECT_EQ(bar.state.value(), 50);
}

TEST(ScrollBarGeometry, ZeroMaxNeverDividesByZero) {
  FakeBar bar(200);
  bar.state.set_min(5);  // Value 5
  bar.state.set_max(0);  // Value stays at Min 5, above Max 0
  EXPECT_EQ(bar.state.value(), 5);
  bar.state.CalcThumbPos();
  EXPECT_EQ(bar.state.thumb_top(), 17);
}

TEST(ScrollBarGeometry, HitTestParts) {
  FakeBar bar(200);
  bar.state.set_large_change(100);
  bar.state.set_max(100);
  bar.state.set_value(50);  // thumb 83 high at 58
  const int top = bar.state.thumb_top();
  EXPECT_EQ(bar.state.HitTest(17), 1);
  EXPECT_EQ(bar.state.HitTest(top), 2);
  EXPECT_EQ(bar.state.HitTest(top + 83), 2);
  EXPECT_EQ(bar.state.HitTest(top - 1), 4);
  EXPECT_EQ(bar.state.HitTest(top + 84), 5);
  EXPECT_EQ(bar.state.HitTest(183), 3);
}

TEST(ScrollBarValues, SetterClampsAndInvalidValues) {
  FakeBar bar;
  bar.state.set_min(-5);
  EXPECT_EQ(bar.state.min(), 0);
  bar.state.set_min(40000);
  EXPECT_EQ(bar.state.min(), 0);
  bar.state.set_max(-1);
  EXPECT_EQ(bar.state.max(), 32767);
  bar.state.set_color_scheme(2);
  bar.state.set_color_scheme(-1);
  EXPECT_EQ(bar.state.color_scheme(), 0);
  bar.state.set_color_scheme(3);
  EXPECT_EQ(bar.state.color_scheme(), 3);
  EXPECT_EQ(bar.invalid, 0);
  bar.state.set_large_change(10001);
  EXPECT_EQ(bar.state.large_change(), 1);
  bar.state.set_large_change(10000);
  EXPECT_EQ(bar.state.large_change(), 10000);
  bar.state.set_small_change(-1);
  EXPECT_EQ(bar.state.small_change(), 1);
  bar.state.set_small_change(32768);
  EXPECT_EQ(bar.invalid, 3);
}

TEST(ScrollBarValues, ValueWritesRaiseChangeOnlyForADifferentNumber) {
  FakeBar bar;
  bar.state.set_value(0);
  EXPECT_EQ(bar.changes, 0);
  bar.state.set_value(300);  // clamped to 255
  EXPECT_EQ(bar.state.value(), 255);
  EXPECT_EQ(bar.changes, 1);
  EXPECT_EQ(bar.marks.back(), L"Value");
  bar.state.set_value(400);  // clamps to the same number: still a Change
  EXPECT_EQ(bar.changes, 2);
  bar.state.set_max(100);  // lowers Value through its setter
  EXPECT_EQ(bar.state.value(), 100);
  EXPECT_EQ(bar.changes, 3);
}

TEST(ScrollBarValues, StoredSettingsApplyThroughSettersAndRaiseChange) {
  FakeBar bar;
  ScrollBarState::StoredSettings s;
  s.value = 5;
  s.colorScheme = -1;  // taken as stored, without the setter's rule
  bar.state.ApplyStored(s);
  EXPECT_EQ(bar.changes, 1);
  EXPECT_EQ(bar.state.value(), 5);
  EXPECT_EQ(bar.state.color_scheme(), -1);
  EXPECT_EQ(bar.state.colors()[0][0], 0xA29594u);  // the silver table
}

TEST(ScrollBarRepeat, QuickArrowClickChangesNothingHeldStepsEvery100ms) {
  FakeBar bar;
  bar.state.set_value(10);
  bar.changes = 0;
  bar.Press(190);  // down arrow
  bar.Advance(50);
  bar.state.MouseUp();
  bar.Advance(200);
  EXPECT_EQ(bar.state.value(), 10);
  EXPECT_EQ(bar.changes, 0);
  EXPECT_FALSE(bar.repeatOn);

  bar.Press(190);
  bar.Advance(350);
  EXPECT_EQ(bar.state.value(), 13);
  EXPECT_EQ(bar.changes, 6);  // the value's Change and the step's Change
  bar.state.MouseUp();
  bar.Advance(100);
  EXPECT_FALSE(bar.repeatOn);
  EXPECT_EQ(bar.state.value(), 13);
}

TEST(ScrollBarRepeat, HeldAtMinRaisesChangeWithoutMoving) {
  FakeBar bar;
  bar.Press(5);  // up arrow at Value 0
  bar.Advance(300);
  EXPECT_EQ(bar.state.value(), 0);
  EXPECT_EQ(bar.changes, 3);
}

TEST(ScrollBarRepeat, TrackPagingStopsUnderTheThumb) {
  FakeBar bar;  // 200 high, LargeChange 10, Max 255
  bar.Press(150);
  EXPECT_EQ(bar.state.value(), 10);  // pages once at once
  EXPECT_EQ(bar.repeatInterval, 200);
  bar.Advance(5000);
  // 210 is the first page whose thumb (top 145, 10 high) covers y 150.
  EXPECT_EQ(bar.state.value(), 210);
  EXPECT_FALSE(bar.repeatOn);
  EXPECT_FALSE(bar.state.repeat_running());
}

TEST(ScrollBarRepeat, AnyButtonPagesOnceOnlyLeftRepeats) {
  FakeBar bar;
  bar.Press(150, 2);
  EXPECT_EQ(bar.state.value(), 10);
  EXPECT_FALSE(bar.repeatOn);
  bar.Advance(1000);
  EXPECT_EQ(bar.state.value(), 10);
}

TEST(ScrollBarDrag, PinsAtBothEndsAndScrollsOnEveryMove) {
  FakeBar bar;
  bar.state.set_value(100);
  const float y = bar.state.thumb_top() + 5.0f;
  bar.Press(y);
  ASSERT_TRUE(bar.state.dragging());
  EXPECT_FALSE(bar.repeatOn);
  bar.state.MouseMove(1, 0, 8, y + 1000);
  EXPECT_EQ(bar.state.value(), 255);
  bar.state.MouseMove(1, 0, 8, y - 1000);
  EXPECT_EQ(bar.state.value(), 0);
  bar.state.MouseMove(1, 0, 8, y + 78);  // half the free track of 156
  EXPECT_EQ(bar.state.value(), 100 + 128);  // 127.5 rounds to even
  EXPECT_EQ(bar.scrolls, 3);
  bar.state.MouseUp();
  EXPECT_FALSE(bar.state.dragging());
}

TEST(ScrollBarDrag, ThumbFillingTheTrackKeepsValueInRange) {
  FakeBar bar(60);
  bar.state.set_large_change(10000);
  bar.state.set_max(1);
  ASSERT_EQ(bar.state.free_track(), 0);
  bar.Press(bar.state.thumb_top() + 2.0f);
  bar.state.MouseMove(1, 0, 8, 55);
  EXPECT_GE(bar.state.value(), bar.state.min());
  EXPECT_LE(bar.state.value(), bar.state.max());
}

TEST(ScrollBarDrag, ScrollRaisedWhileArrowOrTrackHeld) {
  FakeBar bar;
  bar.Press(5);
  bar.state.MouseMove(1, 0, 8, 6);
  bar.state.MouseUp();
  bar.Press(150);
  bar.state.MouseMove(1, 0, 8, 160);
  EXPECT_EQ(bar.scrolls, 2);
}

TEST(ScrollBarHover, PollEndsHoverOnceCursorLeftAndNothingHeld) {
  FakeBar bar;
  bar.Hover(5);
  EXPECT_EQ(bar.state.last_hover_part(), 1);
  EXPECT_TRUE(bar.pollOn);
  bar.Advance(20);
  EXPECT_TRUE(bar.pollOn);  // still over the bar
  bar.state.MouseDown(1, 5);
  bar.cursorOver = false;
  bar.Advance(20);
  EXPECT_TRUE(bar.pollOn);  // held: the poll waits
  bar.state.MouseUp();
  bar.draws.clear();
  bar.Advance(5);
  EXPECT_FALSE(bar.pollOn);
  EXPECT_EQ(bar.state.last_hover_part(), kPartNone);
  EXPECT_TRUE(bar.Drew("skin 9136 1 0"));  // the up arrow back to normal
}

TEST(ScrollBarHover, PressOnAPartAlreadyDrawnPressedIsIgnored) {
  FakeBar bar;
  bar.state.MouseMove(1, 0, 8, 5);  // entering with the left button held draws the arrow pressed
  EXPECT_EQ(bar.state.last_drawn_code(), 11);
  bar.state.MouseDown(1, 5);
  EXPECT_FALSE(bar.state.button_down());
  EXPECT_FALSE(bar.repeatOn);
}

TEST(ScrollBarDrawing, DisabledShortAndUnknownSchemes) {
  FakeBar bar;
  bar.enabled = false;
  bar.draws.clear();
  bar.state.Redraw();
  EXPECT_TRUE(bar.Drew("skin 9260 1 0 16 17"));
  EXPECT_TRUE(bar.Drew("skin 9261 1 183 16 17"));
  EXPECT_FALSE(bar.Drew("line"));  // no thumb

  FakeBar low(47);
  low.draws.clear();
  low.state.Redraw();
  EXPECT_FALSE(low.Drew("line"));
  EXPECT_EQ(low.state.last_drawn_code(), 2);  // written even when nothing is drawn

  FakeBar odd;
  odd.state.set_color_scheme(3);
  odd.draws.clear();
  odd.state.Redraw();
  EXPECT_TRUE(odd.Drew("skin 9130 0 0 17 200"));
  for (const char* arrow : {"skin 9136", "skin 9139", "skin 9147", "skin 9150", "skin 9159", "skin 9162"}) {
    EXPECT_FALSE(odd.Drew(arrow)) << arrow;  // no arrows of any scheme
  }
  EXPECT_TRUE(odd.Drew("skin 9154"));  // the third scheme's caps
  EXPECT_TRUE(odd.Drew("line 1 19 1 25 A29594"));
}

TEST(ScrollBarDrawing, ThumbColumnsAndGripFollowTheScheme) {
  FakeBar bar;
  bar.state.set_large_change(100);
  bar.state.set_max(100);  // thumb 83 high at 17
  bar.state.set_color_scheme(1);
  bar.draws.clear();
  bar.state.Redraw();
  EXPECT_TRUE(bar.Drew("line 1 19 1 98 FFFFFF"));
  EXPECT_TRUE(bar.Drew("line 2 19 2 98 71A28D"));
  EXPECT_TRUE(bar.Drew("line 16 19 16 98 77938B"));
  // Grip at m = round(83 / 2 - 4 + 17) = 54 (54.5 to even).
  EXPECT_TRUE(bar.Drew("line 6 54 11 54 ACDFD0"));
  EXPECT_TRUE(bar.Drew("line 7 61 12 61 739D8C"));
  EXPECT_TRUE(bar.Drew("skin 9142 1 17 16 2"));
  EXPECT_TRUE(bar.Drew("skin 9143 1 97 16 3"));
}
