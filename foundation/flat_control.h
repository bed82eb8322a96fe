// Flat, hover-aware frames for combo boxes, text boxes and list boxes: a thin
// grey-brown frame at rest, a blue one while the mouse is over the control or
// it has the focus, and a flat drop-down button for combo boxes. Each object
// watches its control through sink links of the subclassing host and draws the
// frame after the control has painted.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/subclass_host.h"

namespace foundation {

// Frame colours (OLE colours).
inline constexpr std::uint32_t kFlatIdleColor = RGB(167, 163, 150);
inline constexpr std::uint32_t kFlatHotColor = RGB(127, 157, 185);
inline constexpr std::uint32_t kOleButtonFace = 0x8000000F;
inline constexpr std::uint32_t kOleWindowText = 0x80000008;
inline constexpr std::uint32_t kOleButtonShadow = 0x80000010;

// The error Attach records for a handle that is no window.
inline constexpr long kFlatAttachError = static_cast<long>(0x80040419);
inline constexpr wchar_t kFlatAttachErrorText[] =
    L"Incorrect control type passed to 'Attach' parameter - must be a control with a hWnd property.";

// Blends two OLE colours with alpha on a scale of 113 (see BlendRgb).
COLORREF BlendColor(std::uint32_t a, std::uint32_t b, int alpha);
// The drop-down button's fill while hot, and while the list is open.
COLORREF HotButtonColor();
COLORREF PressedButtonColor();

class cFlatControl : private ISubclassingSink {
 public:
  // Draw states.
  static constexpr int kStateIdle = 1;
  static constexpr int kStateHot = 2;
  static constexpr int kStatePressed = 4;

  cFlatControl() = default;
  cFlatControl(const cFlatControl&) = delete;
  cFlatControl& operator=(const cFlatControl&) = delete;
  ~cFlatControl();

  int FlatStyle() const noexcept { return flatStyle_; }
  void FlatStyle(int style) noexcept { flatStyle_ = style; }

  // Ends any earlier attachment and watches the control: by its window class
  // a combo box ("ComboBox", or the combo inside a "ComboBoxEx32"), a text
  // box ("Edit"), a list box ("ListBox"), or another control. A text box (and
  // another control that is no drop-down combo) is moved 2 pixels right and
  // down and made 4 pixels narrower and lower, leaving room for the 2-pixel
  // ring drawn around it. False, with the error recorded (LastError), when the
  // handle is no window.
  bool Attach(HWND control);
  // Stops watching; the control keeps its look until it repaints.
  void Detach();

  // Whether a combo box's list is open.
  bool DroppedDown() const;

  // Called once the watched control has been destroyed (the object is then
  // detached); the owner may delete the object from inside the call.
  void OnControlDestroyed(std::function<void(cFlatControl*)> handler) { onDestroyed_ = std::move(handler); }

  HWND hwnd() const noexcept { return window_; }
  HWND EditWindow() const noexcept { return editWindow_; }
  bool IsCombo() const noexcept { return isCombo_; }
  bool MouseOver() const noexcept { return mouseOver_; }
  long LastError() const noexcept { return lastError_; }
  const std::wstring& LastErrorText() const noexcept { return lastErrorText_; }

 private:
  void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) override;

  void AttachMessages(HWND window);
  bool Focused() const;
  void CheckMouseLeave(bool testCursor);
  void DrawFlat(bool hot, bool dropped);
  void DrawControl(int state, COLORREF color1, COLORREF color2);
  void DrawBorder(int state, COLORREF color1, COLORREF color2);
  void DrawComboButton(int state, COLORREF color1, COLORREF color2);

  HWND window_ = nullptr;
  HWND editWindow_ = nullptr;
  HWND notifyWindow_ = nullptr;
  bool mouseOver_ = false;
  bool isCombo_ = false;
  bool isEdit_ = false;
  int flatStyle_ = 1;
  long lastError_ = 0;
  std::wstring lastErrorText_;
  cSubclsThunk windowLink_;
  cSubclsThunk editLink_;
  cSubclsThunk notifyLink_;
  std::function<void(cFlatControl*)> onDestroyed_;
};

// The flat-border objects of one window's controls. The window keeps the list
// for as long as it lives; an object leaves the list when its control is
// destroyed, so a dialog that opens again does not pile up dead objects.
class FlatControlList {
 public:
  FlatControlList() = default;
  FlatControlList(const FlatControlList&) = delete;
  FlatControlList& operator=(const FlatControlList&) = delete;

  // Takes the object (attached already) and drops it when its control goes.
  cFlatControl* Add(std::unique_ptr<cFlatControl> control);
  std::size_t size() const noexcept { return items_.size(); }
  // The object watching the control, or nullptr.
  cFlatControl* Find(HWND control) const;

 private:
  std::vector<std::unique_ptr<cFlatControl>> items_;
};

// Gives the window's combo boxes, text boxes and list boxes (all of them,
// inside its container windows too, depth first in z-order) the flat look: a
// single-line text box gets the height of 260 twips and loses its border, a
// list box gets a flat single border, and each of them gets a cFlatControl
// kept in the list.
void MakeControlsFlat(HWND form, FlatControlList& list);

}  // namespace foundation
