// The press and hover logic of the dialog skin button as a plain state
// machine: inputs are the mouse and key events of the button's surface, outputs
// go to a host (the window, or a test's recorder). No <windows.h>.
//
// Looks: 0 disabled, 1 normal, 2 hover, 3 pressed. Click is gated by Armed:
// the last press was with the left button (or a double click).
#pragma once
#include <cstdint>

namespace controls {

class QQButtonMachine {
 public:
  struct Host {
    virtual ~Host() = default;
    virtual void PrintB(int state) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void RaiseClick() = 0;
  };

  explicit QQButtonMachine(Host& host) : host_(host) {}

  // x, y and the surface's width and height in one unit (twips or pixels). Leaving the
  // button (even by one pixel) draws the normal look and releases the capture;
  // every move inside keeps the mouse captured, so the move that leaves still
  // arrives.
  void MouseMove(float x, float y, float width, float height);
  // button: 1 left, 2 right, 4 middle.
  void MouseDown(int16_t button);
  // The surface's click follows a left release inside the button after a left
  // press on it (not after the second press of a double click).
  void MouseUp(int16_t button, bool inside);
  // The second press of a double click.
  void DoubleClick(int16_t button);
  // Enter on the button, or its access key: click only when armed.
  void KeyDown(int keyCode);
  void AccessKey();

  bool hover() const noexcept { return hover_; }
  bool armed() const noexcept { return armed_; }

 private:
  void SurfaceClick();

  Host& host_;
  bool hover_ = false;
  bool armed_ = false;
  bool leftPressHere_ = false;  // a left press began on the button: its release clicks
};

}  // namespace controls
