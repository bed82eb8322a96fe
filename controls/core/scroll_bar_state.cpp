#include "controls/core/scroll_bar_state.h"

#include <algorithm>

#include "controls/core/units.h"

namespace controls {

namespace {

bool IsDrawnPart(int part) { return part == 1 || part == 2 || part == 3; }

// Clamps a wide intermediate into the 32-bit property range.
int32_t Narrow(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

ScrollBarState::ScrollBarState(ScrollBarHost& host) : host_(host) { FillColorSchemeTable(0, colors_); }

void ScrollBarState::InitNew() {
  largeChange_ = 10;
  max_ = 255;
  smallChange_ = 1;
  FillColorSchemeTable(0, colors_);
  ResizeStep();
}

void ScrollBarState::ApplyStored(const StoredSettings& s) {
  host_.SetWindowEnabled(s.enabled);
  set_large_change(s.largeChange);
  set_max(s.max);
  set_min(s.min);
  set_small_change(s.smallChange);
  set_value(s.value);
  // The scheme is taken as stored, without its setter's -1 rule.
  scheme_ = s.colorScheme;
  FillColorSchemeTable(scheme_, colors_);
  ResizeStep();
}

ScrollBarState::StoredSettings ScrollBarState::Settings() const {
  return {host_.WindowEnabled(), largeChange_, max_, min_, smallChange_, value_, scheme_};
}

void ScrollBarState::ResizeStep() {
  const int height = host_.ControlHeight();
  host_.SetControlSize(kScrollBarWidth, std::max(height, kScrollMinHeight));
  CalcThumbSize();
  Redraw();
}

void ScrollBarState::set_enabled(bool v) {
  host_.SetWindowEnabled(v);
  host_.MarkChanged(L"Enabled");
  Redraw();
}

void ScrollBarState::set_large_change(int32_t v) {
  if (v < 0 || v > 10000) {
    host_.ReportInvalidPropertyValue();
    v = 1;
  }
  largeChange_ = v;
  ResizeStep();
  host_.MarkChanged(L"LargeChange");
}

void ScrollBarState::set_max(int32_t v) {
  max_ = v < 0 ? 32767 : v;
  set_value(std::min(value_, max_));
  ResizeStep();
  host_.MarkChanged(L"Max");
}

void ScrollBarState::set_min(int32_t v) {
  min_ = (v < 0 || v > 32767) ? 0 : v;
  set_value(std::max(value_, min_));
  ResizeStep();
  host_.MarkChanged(L"Min");
}

void ScrollBarState::set_color_scheme(int32_t v) {
  if (v == -1) v = 0;
  if (v == scheme_) return;
  scheme_ = v;
  FillColorSchemeTable(scheme_, colors_);
  Redraw();
  host_.MarkChanged(L"ColorScheme");
}

void ScrollBarState::set_small_change(int32_t v) {
  if (v < 0 || v > 32767) {
    host_.ReportInvalidPropertyValue();
    v = 1;
  }
  smallChange_ = v;
  host_.MarkChanged(L"SmallChange");
}

void ScrollBarState::set_value(int32_t v) {
  if (v == value_) return;
  if (v < min_) {
    value_ = min_;
  } else if (v > max_) {
    value_ = max_;
  } else {
    value_ = v;
  }
  // These run even when clamping left the stored number as it was.
  UpdateAfterValue();
  host_.RaiseChange();
  host_.MarkChanged(L"Value");
}

void ScrollBarState::CalcThumbSize() {
  const int height = host_.ControlHeight();
  if (height <= kScrollMinHeight || largeChange_ < 1 || max_ < 1) return;
  const double L = largeChange_, M = max_, T = height - 2 * kScrollArrowHeight;
  int32_t h = L <= M ? RoundHalfEven(L / (L + M) * T) : RoundHalfEven((1 - M / (L + M)) * T);
  if (h < kScrollMinThumb) h = kScrollMinThumb;
  thumbHeight_ = h;
  freeTrack_ = RoundHalfEven(T - h);
}

void ScrollBarState::CalcThumbPos() {
  // A zero maximum (possible while Min is above it) keeps the thumb at the top
  // instead of dividing by zero.
  if (value_ < 1 || max_ <= 0) {
    thumbTop_ = kScrollArrowHeight;
    return;
  }
  const double travel = host_.ControlHeight() - 2 * kScrollArrowHeight - thumbHeight_;
  thumbTop_ = RoundHalfEven(travel / max_ * value_ + kScrollArrowHeight);
}

int ScrollBarState::HitTest(float y) const {
  if (y <= kScrollArrowHeight) return 1;
  if (thumbTop_ <= y && y <= thumbTop_ + thumbHeight_) return 2;
  if (y >= host_.ControlHeight() - kScrollArrowHeight) return 3;
  if (y < thumbTop_) return 4;
  return 5;
}

bool ScrollBarState::IsOverThumb() const { return thumbTop_ <= pressY_ && pressY_ <= thumbTop_ + thumbHeight_; }

void ScrollBarState::MouseDown(int16_t button, float y) {
  pressedPart_ = hoverPart_;
  if (lastDrawn_ == hoverPart_ + 10) return;  // that part is already drawn pressed
  host_.BeginDraw();
  // Any button pages the track once at once.
  if (pressedPart_ == 4) {
    set_value(Narrow(int64_t{value_} - largeChange_ >= min_ ? int64_t{value_} - largeChange_ : min_));
  } else if (pressedPart_ == 5) {
    set_value(Narrow(int64_t{value_} + largeChange_ > max_ ? max_ : int64_t{value_} + largeChange_));
  }
  if (button == 1) {
    if (pressedPart_ == 1) {
      DrawUpArrow(2);
    } else if (pressedPart_ == 2) {
      DrawThumb(2);
      dragging_ = true;
    } else if (pressedPart_ == 3) {
      DrawDownArrow(2);
    }
    buttonDown_ = true;
    pressY_ = y;
    valueAtPress_ = value_;
    if (pressedPart_ != 2 && !repeatRunning_ && !dragging_) {
      // An arrow's first step comes with the first tick, not at the press.
      const bool arrow = pressedPart_ == 1 || pressedPart_ == 3;
      host_.StartRepeatTimer(arrow ? kScrollArrowRepeatMs : kScrollTrackRepeatMs);
      repeatRunning_ = true;
    }
  }
  host_.EndDraw();
}

void ScrollBarState::MouseMove(int16_t button, int16_t shift, float x, float y) {
  if (button == 1 && buttonDown_) {
    if (pressedPart_ == 2) {
      // A thumb that fills the track has no travel: the value stays put
      // rather than dividing by a zero (or negative) free length.
      const int64_t d = freeTrack_ > 0 ? RoundHalfEven((y - pressY_) / freeTrack_ * max_) : 0;
      const int64_t n = int64_t{valueAtPress_} + d;
      set_value(Narrow(n > max_ ? max_ : n < min_ ? min_ : n));
    } else if (pressedPart_ == 4 || pressedPart_ == 5) {
      pressY_ = y;  // the repeat pages towards the cursor
    }
    host_.RaiseScroll();
  } else {
    hoverPart_ = HitTest(y);
    if (hoverPart_ != lastHoverPart_) {
      if (IsDrawnPart(hoverPart_)) {
        host_.BeginDraw();
        if (IsDrawnPart(lastHoverPart_)) DrawPart(lastHoverPart_, 0);
        DrawPart(hoverPart_, button == 1 ? 2 : 1);
        host_.EndDraw();
      } else if (IsDrawnPart(lastHoverPart_)) {
        host_.BeginDraw();
        DrawPart(lastHoverPart_, 0);
        host_.EndDraw();
      }
    }
  }
  lastHoverPart_ = hoverPart_;
  if (!pollRunning_) {
    host_.StartHoverPoll(kScrollHoverPollMs);
    pollRunning_ = true;
  }
  host_.RaiseMouseMove(button, shift, x, y);
}

void ScrollBarState::MouseUp() {
  buttonDown_ = false;
  Redraw();
  dragging_ = false;
}

void ScrollBarState::StepBy(int part) {
  const int64_t v = value_;
  switch (part) {
    case 1: set_value(Narrow(v - 1 >= min_ ? v - smallChange_ : min_)); break;
    case 3: set_value(Narrow(v + 1 <= max_ ? v + smallChange_ : max_)); break;
    case 4: set_value(Narrow(v - largeChange_ >= min_ ? v - largeChange_ : min_)); break;
    case 5: set_value(Narrow(v + largeChange_ > max_ ? max_ : v + largeChange_)); break;
    default: break;
  }
}

void ScrollBarState::RepeatTick() {
  if (!dragging_ && buttonDown_) {
    StepBy(pressedPart_);
    host_.RaiseChange();  // also when the step could not move the value
  }
  if ((IsOverThumb() || !buttonDown_) && repeatRunning_) {
    host_.BeginDraw();
    DrawThumb(0);
    host_.EndDraw();
    repeatRunning_ = false;
    host_.StopRepeatTimer();
  }
}

void ScrollBarState::HoverPollTick() {
  if (host_.CursorOverControl() || buttonDown_) return;
  host_.BeginDraw();
  if (IsDrawnPart(lastHoverPart_)) DrawPart(lastHoverPart_, 0);
  lastHoverPart_ = kPartNone;
  host_.EndDraw();
  pollRunning_ = false;
  host_.StopHoverPoll();
}

int ScrollBarState::thumb_skin_id() const {
  return scheme_ == 0 ? scroll_skin::kThumbBlue : scheme_ == 1 ? scroll_skin::kThumbOlive : scroll_skin::kThumbSilver;
}

void ScrollBarState::Redraw() {
  host_.BeginDraw();
  DrawTrack(true);
  DrawUpArrow(0);
  DrawDownArrow(0);
  DrawThumb(0);
  host_.EndDraw();
}

void ScrollBarState::UpdateAfterValue() {
  host_.BeginDraw();
  DrawTrack(false);
  CalcThumbPos();
  DrawThumb(hoverPart_ == 2 ? 2 : 0);
  DrawPressedTrack();
  host_.EndDraw();
}

void ScrollBarState::DrawTrack(bool wholeControl) {
  const int id = scheme_ == 2 ? scroll_skin::kTrackSilver : scroll_skin::kTrack;
  const int height = host_.ControlHeight();
  if (wholeControl) {
    host_.DrawSkin(id, 0, 0, kScrollBarWidth, height);
  } else {
    host_.DrawSkin(id, 0, kScrollArrowHeight, kScrollBarWidth, height - 2 * kScrollArrowHeight);
  }
}

void ScrollBarState::DrawPressedTrack() {
  if (dragging_) return;
  const int id = scheme_ == 2 ? scroll_skin::kHeldTrackSilver : scroll_skin::kHeldTrack;
  if (lastHoverPart_ == 4) {
    host_.DrawSkin(id, 0, kScrollArrowHeight, kScrollBarWidth, thumbTop_ - kScrollArrowHeight);
  } else if (lastHoverPart_ == 5) {
    host_.DrawSkin(id, 0, thumbTop_ + thumbHeight_, kScrollBarWidth,
                   RoundHalfEven(static_cast<double>(host_.ControlHeight()) - kScrollArrowHeight - thumbHeight_ - thumbTop_));
  }
}

int ScrollBarState::ArrowSkinId(bool up, int state) const {
  using namespace scroll_skin;
  if (!host_.WindowEnabled()) return up ? kUpDisabled : kDownDisabled;
  if (scheme_ == 0) return (up ? kUpBlue : kDownBlue) + state;
  if (scheme_ == 1) return (up ? kUpOlive : kDownOlive) + state;
  if (scheme_ == 2) return (up ? kUpSilver : kDownSilver) + state;
  return 0;  // other schemes have no arrow pictures
}

void ScrollBarState::DrawUpArrow(int state) {
  if (const int id = ArrowSkinId(true, state)) host_.DrawSkin(id, 1, 0, 16, kScrollArrowHeight);
  lastDrawn_ = state * 5 + 1;
}

void ScrollBarState::DrawDownArrow(int state) {
  if (const int id = ArrowSkinId(false, state)) {
    host_.DrawSkin(id, 1, host_.ControlHeight() - kScrollArrowHeight, 16, kScrollArrowHeight);
  }
  lastDrawn_ = state * 5 + 3;
}

void ScrollBarState::DrawThumb(int state) {
  if (host_.WindowEnabled() && host_.ControlHeight() > 47) {
    CalcThumbPos();
    const int top = thumbTop_, h = thumbHeight_;
    for (int i = 1; i <= kThumbColumns; ++i) host_.DrawLine(i, top + 2, i, top + h - 2, colors_[state][i - 1]);
    uint32_t light = 0xFFFFFF, dark = 0xA2958E;  // silver: RGB(142, 149, 162)
    if (scheme_ == 0) {
      dark = 0xF8B08C;  // RGB(140, 176, 248)
    } else if (scheme_ == 1) {
      light = 0xACDFD0;  // RGB(208, 223, 172)
      dark = 0x739D8C;   // RGB(140, 157, 115)
    }
    if (h > 15) {
      // The grip: four light and four dark lines, alternating, mid-thumb.
      const int m = RoundHalfEven(h / 2.0 - 4 + top);
      for (int k = 0; k < 8; k += 2) host_.DrawLine(6, m + k, 11, m + k, light);
      for (int k = 1; k < 8; k += 2) host_.DrawLine(7, m + k, 12, m + k, dark);
    }
    const int id = thumb_skin_id();
    host_.DrawSkin(id - 2, 1, top, 16, 2);
    host_.DrawSkin(id - 1, 1, top + h - 3, 16, 3);
  }
  lastDrawn_ = state * 5 + 2;
}

void ScrollBarState::DrawPart(int part, int state) {
  if (part == 1) DrawUpArrow(state);
  if (part == 2) DrawThumb(state);
  if (part == 3) DrawDownArrow(state);
}

}  // namespace controls
