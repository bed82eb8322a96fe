#include "controls/core/command_state.h"

namespace controls {

int CommandEffectiveState(int state, bool enabled) { return enabled ? state : 0; }

std::optional<int> CommandFrameForState(int state, bool check) {
  switch (state) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    case 0: return 3;
    case 4: return check ? std::optional<int>(4) : std::nullopt;
    case 5: return check ? std::optional<int>(5) : std::nullopt;
    default: return std::nullopt;
  }
}

int CommandMachine::VisualState() const {
  if (pressed_) return status_ ? 5 : 3;
  if (hover_) return check_ && status_ ? 4 : 2;
  return status_ ? 0 : 1;
}

void CommandMachine::MouseDown(int16_t button, int16_t shift, float x, float y) {
  last_ = {button, shift, x, y};
  if (button != 2) {
    pressed_ = true;
    host_.Refresh();
  }
}

void CommandMachine::MouseMove(bool inside, int16_t shift) {
  if (inside && !hover_) {
    host_.StartOverTimer();
    hover_ = true;
    host_.HoverChanged(true);
    host_.RaiseMouseIn(shift);
    host_.Refresh();
    host_.PumpMessages();
  }
}

void CommandMachine::MouseUp(int16_t button, bool inside) {
  pressed_ = false;
  if (button != 2) {
    host_.Refresh();
    if (inside) host_.RaiseClick();
  }
}

CommandMachine::Press CommandMachine::DoubleClick() {
  const Press replay = last_;
  MouseDown(replay.button, replay.shift, replay.x, replay.y);
  return replay;
}

void CommandMachine::OverTimerTick() {
  if (host_.CursorOverButton()) return;
  host_.StopOverTimer();
  hover_ = false;
  host_.HoverChanged(false);
  host_.RaiseMouseOut(last_.shift);
  host_.Refresh();
  if (pressed_) {
    // Held outside: show the idle look, but stay pressed so that coming back
    // inside shows the pressed look again.
    pressed_ = false;
    host_.Refresh();
    pressed_ = true;
  }
}

void CommandMachine::KeyDown(int keyCode) {
  if (!keyHeld_) {
    if (keyCode == 13) {
      host_.RaiseClick();
    } else if (keyCode == 32) {
      pressed_ = true;
      host_.Refresh();
      host_.RaiseClick();
    }
    keyHeld_ = true;
  }
}

void CommandMachine::KeyUp(int keyCode) {
  if (keyCode == 32) {
    pressed_ = false;
    host_.Refresh();
  }
  keyHeld_ = false;
}

void CommandMachine::AccessKey(int keyAscii, bool enabled) {
  if (enabled && (keyAscii == 13 || keyAscii == 27)) host_.RaiseClick();
}

void CommandMachine::FocusChanged(bool hasFocus) {
  focus_ = hasFocus;
  if (!hasFocus) pressed_ = false;
  host_.Refresh();
}

}  // namespace controls
