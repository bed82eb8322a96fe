// The animation state machine: play, pause, stop, frame advance with per-frame
// delays and loop counting. The timer, the repaint and the events go through
// AnimationHost, so tests drive it with a fake clock.
#pragma once
#include <cstdint>
#include <vector>

namespace anigif {

enum AnimationState : int32_t { kStopped = 0, kPlaying = 1, kPaused = 2 };
enum TimerMode : int32_t { kTimerStop = 0, kTimerPlay = 1, kTimerDeferredBuild = 2 };

inline constexpr int kDeferredBuildDelay = 20;

class AnimationHost {
 public:
  virtual ~AnimationHost() = default;
  virtual bool RunMode() const = 0;
  // One timer per control: setting replaces the previous one.
  virtual bool SetTimer(unsigned intervalMs, TimerMode mode) = 0;
  virtual void KillTimer() = 0;
  virtual void Refresh() = 0;
  virtual void FrameChanged(int32_t frame, bool fromTick) = 0;
  virtual void LoopsEnded() = 0;
};

class Animation {
 public:
  explicit Animation(AnimationHost& host) : host_(host) {}

  // Frame delays in milliseconds, one per frame; current frame becomes 1.
  void Load(std::vector<int32_t> delays);
  // Forgets the frames: timer off, state stopped, current frame 0.
  void Reset();

  bool SetAnimationTimer(TimerMode mode);
  // One tick of the play timer.
  void OnFrameTimer();

  int32_t state() const { return state_; }
  void set_state(int32_t s) { state_ = s; }
  int32_t current_frame() const { return current_; }
  void set_current_frame(int32_t f) { current_ = f; }
  int32_t frame_count() const { return static_cast<int32_t>(delays_.size()); }

  int32_t min_frame_delay() const { return minFrameDelay_; }
  void set_min_frame_delay(int32_t ms);
  int32_t stepped_delay() const { return steppedDelay_; }
  void set_stepped_delay(int32_t ms) { steppedDelay_ = ms < 1 ? 0 : ms; }
  int32_t loops() const { return loops_; }
  void set_loops(int32_t loops);
  int16_t loops_remaining() const { return loopsRemaining_; }
  // LoopsRemaining = Loops, held in 16 bits (a larger count plays 32767 times).
  void ResetLoopsRemaining();

  // The interval for the frame now current.
  unsigned Interval() const;

 private:
  AnimationHost& host_;
  std::vector<int32_t> delays_;
  int32_t state_ = kStopped;
  int32_t current_ = 0;
  int32_t minFrameDelay_ = 50;
  int32_t steppedDelay_ = 0;
  int32_t loops_ = 0;
  int16_t loopsRemaining_ = 0;
  uint32_t generation_ = 0;  // changes at every load and reset
};

}  // namespace anigif
