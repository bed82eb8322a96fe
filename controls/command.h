// Command: a button drawn entirely from one picture, a horizontal strip of
// equal frames (4: normal, hover, pressed, disabled / selected idle; with Check
// set 6: adds selected-hover and selected-pressed). Used as a push button and,
// with Check, as a toggle whose Status the host sets.
//
// The strip belongs to the host (Picture). The button sizes itself to one
// frame; without a picture it keeps the size its host gives it and shows its
// caption on the host's back colour.
//
// Stored settings: "Enabled" is always written; a bag that lacks it reads as
// disabled, so hosts building a bag by hand must include it.
#pragma once
#include <cstdint>
#include <string>

#include "controls/control_base.h"
#include "controls/core/command_state.h"
#include "controls/picture.h"

namespace controls {

class Command : public ControlWindow, private CommandMachine::Host {
 public:
  static constexpr UINT_PTR kOverTimerId = 1;
  static constexpr UINT kOverTimerMs = 10;

  Command() : machine_(*this) {}

  PictureRef GetPicture() const { return picture_; }
  void SetPicture(PictureRef picture);
  uint32_t GetForeColor() const { return foreColor_; }  // OLE colour
  void SetForeColor(uint32_t oleColor);
  bool GetEnabled() const { return IsWindowEnabledState(); }
  void SetEnabled(bool enabled);
  std::wstring GetCaption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  // Selected state of a toggle; set by the host only (a click leaves it).
  bool GetStatus() const { return machine_.status(); }
  void SetStatus(bool status);
  // Toggle mode: a 6-frame strip.
  bool GetCheck() const { return machine_.check(); }
  void SetCheck(bool check);

  void UserControl_Resize();
  // Redraws the look the state calls for.
  void Refresh() override;
  void PrintB(int state);
  void SetText(const std::wstring& caption, int state);

  // Events (X, Y in twips; handlers may change the arguments).
  Event<> Click;
  Event<int16_t&, int16_t&, float&, float&> MouseDown;
  Event<int16_t&, int16_t&, float&, float&> MouseMove;
  Event<int16_t&, int16_t&, float&, float&> MouseUp;
  Event<int16_t&> MouseIn;
  Event<int16_t&> MouseOut;
  Event<int16_t&, int16_t&> KeyDown;  // KeyCode, Shift
  Event<int16_t&> KeyPress;           // KeyAscii
  Event<int16_t&, int16_t&> KeyUp;

  void WriteProperties(PropertyBag& bag) const override;

  const CommandMachine& machine() const noexcept { return machine_; }
  // The look and frame drawn last (frame -1: none).
  int drawn_state() const noexcept { return drawnState_; }
  int drawn_frame() const noexcept { return drawnFrame_; }

 protected:
  const wchar_t* ClassName() const override { return L"ControlsCommand"; }
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override { UserControl_Resize(); }
  void OnMouseDown(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseUp(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseMove(int16_t buttons, int16_t shift, int x, int y) override;
  void OnDoubleClick(int16_t button, int16_t shift, int x, int y) override;
  void OnKeyDown(int keyCode, int16_t shift) override;
  void OnKeyUp(int keyCode, int16_t shift) override;
  void OnKeyPress(int keyAscii) override;
  void OnTimer(UINT_PTR id) override;
  void OnFocusChanged(bool hasFocus) override { machine_.FocusChanged(hasFocus); }
  void OnAmbientChanged() override;
  void OnAccessKey(wchar_t key) override { machine_.AccessKey(key, GetEnabled()); }

 private:
  // CommandMachine::Host
  void StartOverTimer() override { StartTimer(kOverTimerId, kOverTimerMs); }
  void StopOverTimer() override { StopTimer(kOverTimerId); }
  void PumpMessages() override;
  bool CursorOverButton() override;
  void RaiseClick() override { Raise(Click); }
  void RaiseMouseIn(int16_t shift) override { Raise(MouseIn, shift); }
  void RaiseMouseOut(int16_t shift) override { Raise(MouseOut, shift); }

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < ScaleWidth() && y < ScaleHeight(); }
  void SizeToFrame();

  CommandMachine machine_;
  PictureRef picture_;
  uint32_t foreColor_ = 0x80000012u;
  std::wstring caption_;
  foundation::UniqueFont gdiFont_;
  int drawnState_ = 1;
  int drawnFrame_ = -1;
};

}  // namespace controls
