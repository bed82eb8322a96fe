#include "anigif/core/animation.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>

namespace anigif {
namespace {

// A fake clock with the control's one timer.
class FakeHost : public AnimationHost {
 public:
  bool runMode = true;
  int64_t now = 0;
  std::optional<int64_t> due;
  std::vector<unsigned> intervals;
  std::vector<int32_t> changed;
  std::vector<int64_t> changedAt;
  int loopsEnded = 0;
  int refreshes = 0;
  std::function<void(int32_t)> onFrameChanged;
  Animation* anim = nullptr;

  bool RunMode() const override { return runMode; }
  bool SetTimer(unsigned ms, TimerMode) override {
    intervals.push_back(ms);
    due = now + ms;
    return true;
  }
  void KillTimer() override { due.reset(); }
  void Refresh() override { ++refreshes; }
  void FrameChanged(int32_t frame, bool fromTick) override {
    EXPECT_TRUE(fromTick);
    changed.push_back(frame);
    changedAt.push_back(now);
    if (onFrameChanged) onFrameChanged(frame);
  }
  void LoopsEnded() override { ++loopsEnded; }

  // Runs the clock until no timer is pending or the limit passes.
  void Run(int64_t limit = 100000) {
    while (due && *due <= limit) {
      now = *due;
      anim->OnFrameTimer();
    }
  }
};

struct Fixture {
  FakeHost host;
  Animation anim{host};
  Fixture() { host.anim = &anim; }
};

TEST(Animation, LoopsPlayTheFramesNTimesAndStopOnFrameOne) {
  Fixture f;
  f.anim.Load({100, 100, 100});
  f.anim.set_loops(2);
  f.anim.ResetLoopsRemaining();
  ASSERT_TRUE(f.anim.SetAnimationTimer(kTimerPlay));
  EXPECT_EQ(kPlaying, f.anim.state());
  f.host.Run();
  EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 1, 2, 3}), f.host.changed);
  EXPECT_EQ(1, f.anim.current_frame());
  EXPECT_EQ(kStopped, f.anim.state());
  EXPECT_EQ(1, f.host.loopsEnded);
  EXPECT_EQ(6, f.host.refreshes);
  EXPECT_FALSE(f.host.due.has_value());
}

TEST(Animation, EndlessWhenLoopsIsZero) {
  Fixture f;
  f.anim.Load({10, 10});
  ASSERT_TRUE(f.anim.SetAnimationTimer(kTimerPlay));
  f.host.Run(5000);
  EXPECT_EQ(100u, f.host.changed.size());
  EXPECT_TRUE(f.host.due.has_value());
  EXPECT_EQ(0, f.host.loopsEnded);
}

TEST(Animation, MinimumAndSteppedDelays) {
  Fixture f;
  f.anim.Load({0, 20, 70});
  ASSERT_TRUE(f.anim.SetAnimationTimer(kTimerPlay));
  f.host.Run(400);
  // Frame 1 (0 ms) and frame 2 (20 ms) show for 50 ms, frame 3 for 70.
  ASSERT_GE(f.host.changedAt.size(), 4u);
  EXPECT_EQ((std::vector<int64_t>{50, 100, 170, 220}), std::vector<int64_t>(f.host.changedAt.begin(), f.host.changedAt.begin() + 4));

  Fixture s;
  s.anim.Load({0, 20, 70});
  s.anim.set_stepped_delay(200);
  ASSERT_TRUE(s.anim.SetAnimationTimer(kTimerPlay));
  s.host.Run(800);
  EXPECT_EQ((std::vector<int64_t>{200, 400, 600, 800}), s.host.changedAt);

  s.anim.set_min_frame_delay(5);
  EXPECT_EQ(10, s.anim.min_frame_delay());
  s.anim.set_min_frame_delay(40000);
  EXPECT_EQ(32700, s.anim.min_frame_delay());
  s.anim.set_stepped_delay(-4);
  EXPECT_EQ(0, s.anim.stepped_delay());
  s.anim.set_loops(-3);
  EXPECT_EQ(3, s.anim.loops());
}

TEST(Animation, SingleFrameAndDesignModeSetNoTimer) {
  Fixture f;
  f.anim.Load({100});
  EXPECT_FALSE(f.anim.SetAnimationTimer(kTimerPlay));
  EXPECT_TRUE(f.host.intervals.empty());
  EXPECT_EQ(kStopped, f.anim.state());

  Fixture d;
  d.host.runMode = false;
  d.anim.Load({100, 100});
  EXPECT_FALSE(d.anim.SetAnimationTimer(kTimerPlay));
  EXPECT_FALSE(d.anim.SetAnimationTimer(kTimerDeferredBuild));
  EXPECT_TRUE(d.host.intervals.empty());

  Fixture e;  // nothing loaded
  EXPECT_FALSE(e.anim.SetAnimationTimer(kTimerPlay));
  EXPECT_TRUE(e.host.intervals.empty());
}

TEST(Animation, DeferredBuildRunsForOneFrameToo) {
  Fixture f;
  f.anim.Load({100});
  EXPECT_TRUE(f.anim.SetAnimationTimer(kTimerDeferredBuild));
  EXPECT_EQ((std::vector<unsigned>{20}), f.host.intervals);
  EXPECT_FALSE(f.anim.SetAnimationTimer(kTimerPlay));  // already playing: nothing happens
  EXPECT_EQ(1u, f.host.intervals.size());
}

TEST(Animation, ClearFromInsideTheFrameEventDoesNotRearm) {
  Fixture f;
  f.anim.Load({10, 10, 10});
  f.host.onFrameChanged = [&](int32_t frame) {
    if (frame == 2) f.anim.Reset();
  };
  ASSERT_TRUE(f.anim.SetAnimationTimer(kTimerPlay));
  f.host.Run();
  EXPECT_EQ((std::vector<int32_t>{1, 2}), f.host.changed);
  EXPECT_FALSE(f.host.due.has_value());
  EXPECT_EQ(0, f.anim.current_frame());
}

TEST(Animation, ReloadFromInsideTheFrameEventStartsOnlyTheNewTimer) {
  Fixture f;
  f.anim.Load({10, 10, 10});
  bool reloaded = false;
  f.host.onFrameChanged = [&](int32_t) {
    if (reloaded) return;
    reloaded = true;
    f.anim.Load({500, 500});
    f.anim.SetAnimationTimer(kTimerPlay);
  };
  ASSERT_TRUE(f.anim.SetAnimationTimer(kTimerPlay));
  f.host.now = 10;
  f.anim.OnFrameTimer();
  ASSERT_TRUE(f.host.due.has_value());
  EXPECT_EQ(510, *f.host.due);  // the new file's first delay, not the old one's
}

TEST(Animation, PauseFromInsideTheFrameEventStays) {
  Fixture f;
  f.anim.Load({10, 10});
  f.host.onFrameChanged = [&](int32_t) {
    f.anim.SetAnimationTimer(kTimerStop);
    f.anim.set_state(kPaused);
  };
  f.anim.SetAnimationTimer(kTimerPlay);
  f.host.Run();
  EXPECT_EQ(1u, f.host.changed.size());
  EXPECT_EQ(kPaused, f.anim.state());
}

TEST(Animation, LoopCounterNeverOverflows) {
  Fixture f;
  f.anim.Load({10, 10});
  f.anim.set_loops(65535);
  f.anim.ResetLoopsRemaining();
  EXPECT_EQ(32767, f.anim.loops_remaining());
  // Play without resetting the counter after it ran out: it goes below zero
  // and stops at its lower limit, and play goes on.
  Fixture g;
  g.anim.Load({10, 10});
  g.anim.set_loops(1);
  g.anim.SetAnimationTimer(kTimerPlay);  // counter still 0
  g.host.Run(100 * 40000);  // 40000 passes at 100 ms each
  EXPECT_EQ(std::numeric_limits<int16_t>::min(), g.anim.loops_remaining());
  EXPECT_TRUE(g.host.due.has_value());
  EXPECT_EQ(0, g.host.loopsEnded);
}

}  // namespace
}  // namespace anigif
