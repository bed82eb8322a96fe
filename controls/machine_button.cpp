#include "controls/machine_button.h"

#include "controls/core/units.h"
#include "controls/mouse_over.h"

namespace controls {

float MachineButton::ToEventUnits(int pixels) const {
  return units_ == EventUnits::kTwips ? PixelsToTwips(pixels) : static_cast<float>(pixels);
}

void MachineButton::OnMouseDown(int16_t button, int16_t shift, int x, int y) {
  float X = ToEventUnits(x), Y = ToEventUnits(y);
  machine_.MouseDown(button, shift, X, Y);
  Raise(MouseDown, button, shift, X, Y);
}

void MachineButton::OnMouseMove(int16_t buttons, int16_t shift, int x, int y) {
  machine_.MouseMove(Inside(x, y), shift);
  float X = ToEventUnits(x), Y = ToEventUnits(y);
  Raise(MouseMove, buttons, shift, X, Y);
}

void MachineButton::OnMouseUp(int16_t button, int16_t shift, int x, int y) {
  machine_.MouseUp(button, Inside(x, y));  // Click comes before MouseUp
  float X = ToEventUnits(x), Y = ToEventUnits(y);
  Raise(MouseUp, button, shift, X, Y);
}

void MachineButton::OnDoubleClick(int16_t, int16_t, int, int) {
  // A fast second click shows pressed again, with the first press's arguments.
  if (hwnd() && ::GetCapture() != hwnd()) ::SetCapture(hwnd());
  CommandMachine::Press press = machine_.DoubleClick();
  Raise(MouseDown, press.button, press.shift, press.x, press.y);
}

void MachineButton::OnKeyDown(int keyCode, int16_t shift) {
  machine_.KeyDown(keyCode);
  int16_t code = static_cast<int16_t>(keyCode);
  Raise(KeyDown, code, shift);
}

void MachineButton::OnKeyUp(int keyCode, int16_t shift) {
  machine_.KeyUp(keyCode);
  int16_t code = static_cast<int16_t>(keyCode);
  Raise(KeyUp, code, shift);
}

void MachineButton::OnKeyPress(int keyAscii) {
  int16_t key = static_cast<int16_t>(keyAscii);
  Raise(KeyPress, key);
}

void MachineButton::OnTimer(UINT_PTR id) {
  if (id == kOverTimerId) machine_.OverTimerTick();
}

// Shows the new look at once. Only our own paint runs here: a general message
// pump inside a mouse handler could destroy the button under its own feet.
void MachineButton::PumpMessages() {
  if (hwnd()) ::UpdateWindow(hwnd());
}

bool MachineButton::CursorOverButton() { return IsMouseOver(hwnd()); }

}  // namespace controls
