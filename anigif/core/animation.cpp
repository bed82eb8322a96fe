#include "anigif/core/animation.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace anigif {

void Animation::Load(std::vector<int32_t> delays) {
  Reset();
  delays_ = std::move(delays);
  current_ = delays_.empty() ? 0 : 1;
}

void Animation::Reset() {
  SetAnimationTimer(kTimerStop);
  delays_.clear();
  current_ = 0;
  ++generation_;
}

void Animation::set_min_frame_delay(int32_t ms) { minFrameDelay_ = std::clamp(ms, 10, 32700); }

void Animation::set_loops(int32_t loops) {
  loops_ = loops == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max() : std::abs(loops);
}

void Animation::ResetLoopsRemaining() {
  loopsRemaining_ = static_cast<int16_t>(std::min<int32_t>(loops_, std::numeric_limits<int16_t>::max()));
}

unsigned Animation::Interval() const {
  if (steppedDelay_ != 0) return static_cast<unsigned>(steppedDelay_);
  int32_t delay = current_ >= 1 && current_ <= frame_count() ? delays_[current_ - 1] : 0;
  return static_cast<unsigned>(std::max(delay, minFrameDelay_));
}

bool Animation::SetAnimationTimer(TimerMode mode) {
  if (mode == kTimerStop) {
    if (host_.RunMode()) host_.KillTimer();
    state_ = kStopped;
    return false;
  }
  if (state_ == kPlaying) return false;
  state_ = kStopped;
  if (current_ == 0 || !host_.RunMode()) return false;
  if (mode == kTimerPlay && frame_count() < 2) return false;
  const unsigned interval = mode == kTimerPlay ? Interval() : static_cast<unsigned>(kDeferredBuildDelay);
  if (!host_.SetTimer(interval, mode)) return false;
  state_ = kPlaying;
  return true;
}

void Animation::OnFrameTimer() {
  host_.KillTimer();
  if (current_ == 0 || frame_count() == 0) {
    state_ = kStopped;
    return;
  }
  const int32_t shown = current_;
  bool wrapped = false;
  if (++current_ > frame_count()) {
    current_ = 1;
    wrapped = true;
  }
  bool rearm = true;
  if (frame_count() == 1) {
    loopsRemaining_ = 0;
    state_ = kStopped;
    rearm = false;
  } else if (wrapped && loops_ != 0) {
    // Below its lower limit the counter stays there: play goes on endlessly,
    // as it does once the counter has passed zero.
    if (loopsRemaining_ != std::numeric_limits<int16_t>::min()) --loopsRemaining_;
    if (loopsRemaining_ == 0) {
      state_ = kStopped;
      rearm = false;
    }
  }
  const uint32_t generation = generation_;
  host_.Refresh();
  host_.FrameChanged(shown, true);
  if (rearm) {
    // The host may have cleared, reloaded, stopped or paused from inside the
    // event: then the timer must not come back for frames that are gone.
    if (generation != generation_ || state_ != kPlaying || current_ == 0) return;
    host_.SetTimer(Interval(), kTimerPlay);
  } else {
    host_.LoopsEnded();
  }
}

}  // namespace anigif
