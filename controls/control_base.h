// The common base of every control of the kit.
//
// One window class per control kind (ClassName()), one C++ object per window:
// foundation::WindowBase stores the object at creation and lets go of it at
// WM_NCDESTROY. A control:
//  - draws only into its back surface (surface()); WM_PAINT merely presents
//    it, and Present() shows a finished drawing at once;
//  - raises its events as callbacks (Event<...> members), synchronously, on
//    the UI thread, from inside the input handler that caused them;
//  - keeps its design-time settings in a PropertyBag: Create() reads the
//    host's bag (ReadProperties) or sets up a new instance (InitProperties),
//    SaveProperties() writes them back; a setter that changes a design
//    setting calls MarkChanged(name), which reaches the host through
//    PropertyChanged;
//  - takes font, colours and display name from the host's AmbientProperties;
//  - gets its mouse input with signed client coordinates in pixels and the
//    host-style button and shift masks below; the mouse is captured while a
//    button is held on it, so the release always comes back to it.
//
// Usage by a host:
//   controls::QQButton ok;
//   ok.Click = [&] { ... };
//   ok.Create(parent, IDC_OK, 10, 10, 97, 25, &bag, ambient);
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "controls/back_surface.h"
#include "controls/control_font.h"
#include "controls/picture.h"
#include "controls/property_bag.h"
#include "foundation/window_base.h"

namespace controls {

// Mouse buttons and shift keys as the controls' events report them.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;
inline constexpr int16_t kMiddleButton = 4;
inline constexpr int16_t kShiftMask = 1;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kAltMask = 4;

// What the host supplies to every control it places.
struct AmbientProperties {
  FontSpec font;                      // the host's font
  uint32_t foreColor = 0x80000012u;   // OLE colour: button text
  uint32_t backColor = 0x8000000Fu;   // OLE colour: button face
  std::wstring displayName;           // the control's name on its host, e.g. L"Command1"
  // The host's background picture, drawn from its client origin (none: a
  // plain background). A see-through control shows its part of it.
  PictureRef picture;
};

// An event of a control: empty until the host assigns a handler.
template <class... Args>
using Event = std::function<void(Args...)>;

// Raises an event if the host handles it.
template <class... Args, class... Actual>
void Raise(const Event<Args...>& event, Actual&&... args) {
  if (event) event(std::forward<Actual>(args)...);
}

class ControlWindow : public foundation::WindowBase {
 public:
  // Creates the control as a visible child of parent at (x, y), size in
  // pixels. bag: the stored design settings, or nullptr for a new instance.
  // False when the window could not be created.
  bool Create(HWND parent, int id, int x, int y, int width, int height, const PropertyBag* bag = nullptr,
              const AmbientProperties& ambient = {});

  // Writes the design settings (keys, defaults and order of the control kind).
  virtual void WriteProperties(PropertyBag& bag) const = 0;
  PropertyBag SaveProperties() const {
    PropertyBag bag;
    WriteProperties(bag);
    return bag;
  }

  // Raised with the property name when a design setting changed (the host
  // then knows to save the settings).
  Event<const wchar_t*> PropertyChanged;

  const AmbientProperties& ambient() const noexcept { return ambient_; }
  // A change of the host's ambient properties (calls OnAmbientChanged).
  void SetAmbientProperties(const AmbientProperties& ambient);

  // The finished drawing (tests read pixels here).
  const BackSurface& surface() const noexcept { return surface_; }
  // Client size in pixels.
  int ScaleWidth() const noexcept { return surface_.width(); }
  int ScaleHeight() const noexcept { return surface_.height(); }

  // Position and size in the parent's client pixels.
  void Move(int x, int y, int width, int height);
  void Resize(int width, int height);

  // The window's own enabled state (a disabled window gets no mouse input).
  bool IsWindowEnabledState() const noexcept;

  // Runs the control's access-key handling when it is enabled (a host calls
  // this for its default and cancel buttons with Enter and Esc).
  void PressAccessKey(wchar_t key);
  // Finds the enabled, visible control of ours under root whose access keys
  // hold key (case-insensitive) and presses it; false when none has it.
  static bool DispatchAccessKey(HWND root, wchar_t key);

 protected:
  // The window class name of the control kind (one class per kind).
  virtual const wchar_t* ClassName() const = 0;

  // A new instance (no stored settings) / a stored one. Both run after the
  // window exists and has its size; ambient() is already set.
  virtual void InitProperties() {}
  virtual void ReadProperties(const PropertyBag&) {}

  // The client size changed; the surface already has the new size. Not
  // called before the settings are read (Init/ReadProperties run their own
  // resize step).
  virtual void OnResize() {}
  // x, y: client pixels, signed (negative left of or above the control
  // while the mouse is captured).
  virtual void OnMouseDown(int16_t /*button*/, int16_t /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseUp(int16_t /*button*/, int16_t /*shift*/, int /*x*/, int /*y*/) {}
  // buttons: the held buttons as a mask.
  virtual void OnMouseMove(int16_t /*buttons*/, int16_t /*shift*/, int /*x*/, int /*y*/) {}
  // The second left press of a double click (instead of OnMouseDown).
  virtual void OnDoubleClick(int16_t /*button*/, int16_t /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnKeyDown(int /*keyCode*/, int16_t /*shift*/) {}
  virtual void OnKeyUp(int /*keyCode*/, int16_t /*shift*/) {}
  virtual void OnKeyPress(int /*keyAscii*/) {}
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnFocusChanged(bool /*hasFocus*/) {}
  virtual void OnAmbientChanged() {}
  // Access keys of the control (empty: none) and their handling.
  virtual std::wstring AccessKeys() const { return {}; }
  virtual void OnAccessKey(wchar_t /*key*/) {}
  // Whether a press gives the control the keyboard focus.
  virtual bool TakesFocusOnPress() const { return true; }

  // Subclasses may handle further messages; call ControlWindow::HandleMessage for the rest.
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  BackSurface& surface() noexcept { return surface_; }
  // Shows the back surface on the window now.
  void Present();
  // Tells the host a design setting changed.
  void MarkChanged(const wchar_t* propertyName);
  // Window timers of this control; an id already running is restarted.
  void StartTimer(UINT_PTR id, UINT intervalMs);
  void StopTimer(UINT_PTR id);
  // Sets the window's enabled state (no redraw, no change mark).
  void SetWindowEnabledState(bool enabled);

 private:
  void SyncSurfaceSize();
  static BOOL CALLBACK FindAccessKeyOwner(HWND child, LPARAM param);

  AmbientProperties ambient_;
  BackSurface surface_;
  bool propertiesLoaded_ = false;  // OnResize waits for the settings
};

// The current shift-key mask (Shift 1, Ctrl 2, Alt 4).
int16_t CurrentShiftMask();

}  // namespace controls
