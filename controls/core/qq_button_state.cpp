#include "controls/core/qq_button_state.h"

namespace controls {

void QQButtonMachine::MouseMove(float x, float y, float width, float height) {
  if (x < 0 || x > width || y < 0 || y > height) {
    host_.PrintB(1);
    hover_ = false;
    host_.ReleaseMouse();
    return;
  }
  if (!hover_) {
    host_.PrintB(2);
    hover_ = true;
  }
  host_.CaptureMouse();
}

void QQButtonMachine::MouseDown(int16_t button) {
  if (button == 1) {
    host_.PrintB(3);
    armed_ = true;
    leftPressHere_ = true;
  } else {
    armed_ = false;
    leftPressHere_ = false;
  }
}

void QQButtonMachine::MouseUp(int16_t button, bool inside) {
  hover_ = false;
  host_.PrintB(1);
  const bool clicks = button == 1 && inside && leftPressHere_;
  leftPressHere_ = false;
  if (clicks) SurfaceClick();
}

void QQButtonMachine::DoubleClick(int16_t button) {
  if (button != 1) {
    MouseDown(button);
    return;
  }
  host_.PrintB(3);
  armed_ = true;
  // The surface raises no click for the second press of a double click.
  leftPressHere_ = false;
}

void QQButtonMachine::KeyDown(int keyCode) {
  if (keyCode == 13) SurfaceClick();
}

void QQButtonMachine::AccessKey() { SurfaceClick(); }

void QQButtonMachine::SurfaceClick() {
  // Armed stays set: after one left press, Enter clicks every time.
  if (armed_) host_.RaiseClick();
}

}  // namespace controls
