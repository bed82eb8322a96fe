// The press, hover and toggle logic of the skinned picture button as a plain
// state machine, and the choice of frame for each look. The owner-drawn
// command buttons (XpCommand, FlatCmd) run the same machine and read its
// pressed, hover and focus flags instead of a frame. No <windows.h>.
//
// Looks (states): 0 disabled (and selected idle), 1 normal, 2 hover, 3 pressed,
// 4 selected and hovered, 5 selected and pressed.
#pragma once
#include <cstdint>
#include <optional>

namespace controls {

// The frame of the strip painted for a state: n = 6 frames when check is set,
// else 4. A disabled button always shows state 0. States without a frame in
// the strip (4 and 5 of a 4-frame strip) paint nothing.
int CommandEffectiveState(int state, bool enabled);
std::optional<int> CommandFrameForState(int state, bool check);
inline int CommandFrameCount(bool check) { return check ? 6 : 4; }

class CommandMachine {
 public:
  struct Host {
    virtual ~Host() = default;
    virtual void Refresh() = 0;  // redraw with VisualState()
    virtual void StartOverTimer() = 0;
    virtual void StopOverTimer() = 0;
    // Lets pending window messages run (after the first move inside).
    virtual void PumpMessages() = 0;
    // Whether the window under the cursor is the button itself.
    virtual bool CursorOverButton() = 0;
    virtual void RaiseClick() = 0;
    virtual void RaiseMouseIn(int16_t shift) = 0;
    virtual void RaiseMouseOut(int16_t shift) = 0;
    // The pointer came onto the button (true) or the hover poll found it gone
    // (false); called right after the hover flag changed, before the event.
    virtual void HoverChanged(bool /*hover*/) {}
  };

  explicit CommandMachine(Host& host) : host_(host) {}

  // The look the button shows now.
  int VisualState() const;

  // Mouse input: x, y in pixels, inside when 0 <= x < width and 0 <= y < height.
  // The caller raises MouseDown / MouseMove / MouseUp after each of these.
  void MouseDown(int16_t button, int16_t shift, float x, float y);
  void MouseMove(bool inside, int16_t shift);
  void MouseUp(int16_t button, bool inside);
  // The second press of a double click replays the stored press; returns the
  // stored arguments so the caller raises MouseDown with them.
  struct Press {
    int16_t button, shift;
    float x, y;
  };
  Press DoubleClick();
  // The 10 ms poll while hovering.
  void OverTimerTick();
  // Keys: Enter and Space click once per press, however long they repeat.
  void KeyDown(int keyCode);
  void KeyUp(int keyCode);
  // Enter or Esc reaching the button as default or cancel button.
  void AccessKey(int keyAscii, bool enabled);
  void FocusChanged(bool hasFocus);

  bool status() const noexcept { return status_; }
  void set_status(bool v) noexcept { status_ = v; }
  bool check() const noexcept { return check_; }
  void set_check(bool v) noexcept { check_ = v; }
  bool pressed() const noexcept { return pressed_; }
  bool hover() const noexcept { return hover_; }
  bool key_held() const noexcept { return keyHeld_; }
  bool has_focus() const noexcept { return focus_; }
  const Press& last_press() const noexcept { return last_; }

 private:
  Host& host_;
  bool status_ = false;
  bool check_ = false;
  bool pressed_ = false;
  bool hover_ = false;
  bool keyHeld_ = false;
  bool focus_ = false;
  Press last_{0, 0, 0.0f, 0.0f};
};

}  // namespace controls
