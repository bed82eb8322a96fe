// QQButton: the push button of the dialogs. A fixed skin of four looks (0
// disabled, 1 normal, 2 hover, 3 pressed) stretched by nine-slice drawing,
// with the caption centred on it; Click only after a left press and release
// (or Enter / the access key once a left press has armed it).
#pragma once
#include <cstdint>
#include <string>

#include "controls/control_base.h"
#include "controls/core/qq_button_state.h"
#include "controls/picture.h"

namespace controls {

class QQButton : public ControlWindow, private QQButtonMachine::Host {
 public:
  QQButton() : machine_(*this) {}

  // Stored and saved, never drawn: the look is fixed.
  PictureRef GetPicture() const { return picture_; }
  void SetPicture(PictureRef picture);
  FontSpec GetFont() const { return font_; }
  void SetFont(const FontSpec& font);
  uint32_t GetForeColor() const { return foreColor_; }  // OLE colour
  void SetForeColor(uint32_t oleColor);
  bool GetEnabled() const { return IsWindowEnabledState(); }
  void SetEnabled(bool enabled);
  std::wstring GetCaption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  // The access key: the first character of the value in upper case (empty: none).
  std::wstring GetKeys() const { return keys_; }
  void SetKeys(const std::wstring& keys);

  void UserControl_Resize();
  // Draws a look (1 becomes 0 while disabled) and the caption.
  void PrintB(int state) override;
  void SetText(const std::wstring& caption, int state);

  // Events. X and Y are twips of the button; handlers may change the arguments.
  Event<> Click;
  Event<int16_t&, int16_t&, float&, float&> MouseDown;
  Event<int16_t&, int16_t&, float&, float&> MouseUp;
  Event<int16_t&, int16_t&, float&, float&> MouseMove;

  void WriteProperties(PropertyBag& bag) const override;

  const QQButtonMachine& machine() const noexcept { return machine_; }
  // The look drawn last (after the disabled rule).
  int drawn_state() const noexcept { return drawnState_; }

 protected:
  const wchar_t* ClassName() const override { return L"ControlsQQButton"; }
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override { UserControl_Resize(); }
  void OnMouseDown(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseUp(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseMove(int16_t buttons, int16_t shift, int x, int y) override;
  void OnDoubleClick(int16_t button, int16_t shift, int x, int y) override;
  void OnKeyDown(int keyCode, int16_t shift) override;
  std::wstring AccessKeys() const override { return keys_; }
  void OnAccessKey(wchar_t) override { machine_.AccessKey(); }

 private:
  // QQButtonMachine::Host
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void RaiseClick() override { Raise(Click); }

  void ApplyFont();

  QQButtonMachine machine_;
  PictureRef picture_;
  FontSpec font_;
  foundation::UniqueFont gdiFont_;
  uint32_t foreColor_ = 0x80000012u;
  std::wstring caption_;
  std::wstring keys_;
  int drawnState_ = 1;
};

}  // namespace controls
