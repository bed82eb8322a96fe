// Box: a plain panel with a one-pixel border in its own colour, used as the
// frame around grids and lists. It is a container: the host places child
// windows inside it (their notifications are passed on to the box's parent).
// No events. The border lines sit on the first and last pixel rows and columns.
#pragma once
#include <cstdint>

#include "controls/control_base.h"

namespace controls {

class Box : public ControlWindow {
 public:
  bool GetEnabled() const { return IsWindowEnabledState(); }
  void SetEnabled(bool enabled) { SetWindowEnabledState(enabled); }  // no change mark
  uint32_t GetBackColor() const { return backColor_; }  // OLE colours
  void SetBackColor(uint32_t oleColor);
  // The colour of all four lines (read back: the left line's).
  uint32_t GetLineColor() const { return lineColors_[0]; }
  void SetLineColor(uint32_t oleColor);

  void WriteProperties(PropertyBag& bag) const override;

 protected:
  const wchar_t* ClassName() const override { return L"ControlsBox"; }
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override { Draw(); }
  void OnAmbientChanged() override { Draw(); }
  bool TakesFocusOnPress() const override { return false; }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Draw();

  uint32_t backColor_ = 0xFFFFFFu;
  // Left, bottom, right, top: each line keeps its own colour, as each is read
  // from the stored settings on its own.
  uint32_t lineColors_[4] = {0xB99D7Fu, 0xB99D7Fu, 0xB99D7Fu, 0xB99D7Fu};
};

}  // namespace controls
