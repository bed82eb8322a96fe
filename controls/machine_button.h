// What every command button of the kit shares: a CommandMachine fed by the
// window's mouse, key, focus and hover-timer input, and the events it raises.
// Kinds differ in their drawing, their hover poll period and the unit their
// mouse events report (twips for the picture-strip Command, pixels for the
// owner-drawn buttons).
#pragma once
#include <cstdint>

#include "controls/control_base.h"
#include "controls/core/command_state.h"

namespace controls {

class MachineButton : public ControlWindow, protected CommandMachine::Host {
 public:
  static constexpr UINT_PTR kOverTimerId = 1;
  enum class EventUnits { kTwips, kPixels };

  bool GetEnabled() const { return IsWindowEnabledState(); }
  const CommandMachine& machine() const noexcept { return machine_; }

  // Events; handlers may change the arguments.
  Event<> Click;
  Event<int16_t&, int16_t&> KeyDown;  // KeyCode, Shift
  Event<int16_t&> KeyPress;           // KeyAscii
  Event<int16_t&, int16_t&> KeyUp;
  Event<int16_t&, int16_t&, float&, float&> MouseDown;  // Button, Shift, X, Y
  Event<int16_t&, int16_t&, float&, float&> MouseMove;
  Event<int16_t&, int16_t&, float&, float&> MouseUp;
  Event<int16_t&> MouseIn;   // Shift of the move that came in
  Event<int16_t&> MouseOut;  // Shift of the last press

 protected:
  MachineButton(UINT overTimerMs, EventUnits units) : machine_(*this), overTimerMs_(overTimerMs), units_(units) {}

  void OnMouseDown(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseUp(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseMove(int16_t buttons, int16_t shift, int x, int y) override;
  void OnDoubleClick(int16_t button, int16_t shift, int x, int y) override;
  void OnKeyDown(int keyCode, int16_t shift) override;
  void OnKeyUp(int keyCode, int16_t shift) override;
  void OnKeyPress(int keyAscii) override;
  void OnTimer(UINT_PTR id) override;
  void OnFocusChanged(bool hasFocus) override { machine_.FocusChanged(hasFocus); }
  void OnAccessKey(wchar_t key) override { machine_.AccessKey(key, GetEnabled()); }

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < ScaleWidth() && y < ScaleHeight(); }

  CommandMachine machine_;

 private:
  // CommandMachine::Host
  void StartOverTimer() override { StartTimer(kOverTimerId, overTimerMs_); }
  void StopOverTimer() override { StopTimer(kOverTimerId); }
  void PumpMessages() override;
  bool CursorOverButton() override;
  void RaiseClick() override { Raise(Click); }
  void RaiseMouseIn(int16_t shift) override { Raise(MouseIn, shift); }
  void RaiseMouseOut(int16_t shift) override { Raise(MouseOut, shift); }

  float ToEventUnits(int pixels) const;

  const UINT overTimerMs_;
  const EventUnits units_;
};

}  // namespace controls
