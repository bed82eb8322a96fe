// XpCommand: the owner-drawn push button with the XP look (controls/xp_face.h)
// and a rounded window outline, on the owner-drawn button engine. Its face
// colour comes from the stored "BackColor" only (there is no BackColor
// member); "ShowBorderOnFocus" is kept in the bag but the focus ring is drawn
// whenever the button has the focus.
#pragma once
#include <cstdint>

#include "controls/owner_drawn_button.h"

namespace controls {

class XpCommand : public OwnerDrawnButton {
 public:
  // OLE colours; setting them marks the change but does not redraw.
  uint32_t GetXPColorPressed() const { return pressedColor_; }
  void SetXPColorPressed(uint32_t oleColor);
  uint32_t GetXPColorHover() const { return hoverColor_; }
  void SetXPColorHover(uint32_t oleColor);

 protected:
  const wchar_t* ClassName() const override { return L"ControlsXpCommand"; }
  uint32_t DefaultForeColor() const override { return 0x404040u; }
  int32_t NewControlPictureSize() const override { return kPictureSizeOriginal; }
  uint32_t FaceBackColor() const override { return backColor_; }
  void DrawFace() override;
  // With the original-size mode a new picture is drawn 16 x 16 until the
  // mode is set again.
  void ApplyPictureSizeOfNewPicture() override;
  void ShapeWindow() override;
  void InitOwnProperties() override;
  void ReadOwnProperties(const PropertyBag& bag) override;
  void WriteOwnProperties(PropertyBag& bag) const override;

 private:
  uint32_t backColor_ = 0x8000000Fu;
  uint32_t pressedColor_ = 0xE4AD89u;
  uint32_t hoverColor_ = 0x30B3F8u;
  bool showBorderOnFocus_ = true;
};

}  // namespace controls
