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

#include "controls/machine_button.h"
#include "controls/picture.h"

namespace controls {

class Command : public MachineButton {
 public:
  static constexpr UINT kOverTimerMs = 10;

  // Mouse events report twips.
  Command() : MachineButton(kOverTimerMs, EventUnits::kTwips) {}

  PictureRef GetPicture() const { return picture_; }
  void SetPicture(PictureRef picture);
  uint32_t GetForeColor() const { return foreColor_; }  // OLE colour
  void SetForeColor(uint32_t oleColor);
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

  void WriteProperties(PropertyBag& bag) const override;

  // The look and frame drawn last (frame -1: none).
  int drawn_state() const noexcept { return drawnState_; }
  int drawn_frame() const noexcept { return drawnFrame_; }

 protected:
  const wchar_t* ClassName() const override { return L"ControlsCommand"; }
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override { UserControl_Resize(); }
  void OnAmbientChanged() override;

 private:
  void SizeToFrame();

  PictureRef picture_;
  uint32_t foreColor_ = 0x80000012u;
  std::wstring caption_;
  foundation::UniqueFont gdiFont_;
  int drawnState_ = 1;
  int drawnFrame_ = -1;
};

}  // namespace controls
