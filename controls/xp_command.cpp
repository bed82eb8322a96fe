#include "controls/xp_command.h"

#include "controls/xp_face.h"

namespace controls {

namespace {

constexpr uint32_t kDefaultBack = 0x8000000Fu;
constexpr uint32_t kDefaultPressed = 0xE4AD89u;
constexpr uint32_t kDefaultHover = 0x30B3F8u;

}  // namespace

void XpCommand::SetXPColorPressed(uint32_t oleColor) {
  pressedColor_ = oleColor;
  MarkChanged(L"XPColor_Pressed");
}

void XpCommand::SetXPColorHover(uint32_t oleColor) {
  hoverColor_ = oleColor;
  MarkChanged(L"XPColor_Hover");
}

void XpCommand::DrawFace() {
  XpFaceState s;
  s.width = ScaleWidth();
  s.height = ScaleHeight();
  s.enabled = GetEnabled();
  s.pressed = machine().pressed();
  s.hover = machine().hover();
  s.focus = machine().has_focus();
  s.backColor = backColor_;
  s.pressedColor = pressedColor_;
  s.hoverColor = hoverColor_;
  DrawXPButton(surface().dc(), s);
}

void XpCommand::ApplyPictureSizeOfNewPicture() {
  if (GetPictureSize() == kPictureSizeOriginal) SetPictureDrawSize(16, 16);
}

void XpCommand::ShapeWindow() { MakeRoundRegion(hwnd(), ScaleWidth(), ScaleHeight()); }

void XpCommand::InitOwnProperties() {
  backColor_ = kDefaultBack;
  pressedColor_ = kDefaultPressed;
  hoverColor_ = kDefaultHover;
  showBorderOnFocus_ = true;
}

void XpCommand::ReadOwnProperties(const PropertyBag& bag) {
  backColor_ = bag.ReadColor(L"BackColor", kDefaultBack);
  showBorderOnFocus_ = bag.ReadBool(L"ShowBorderOnFocus", true);
  pressedColor_ = bag.ReadColor(L"XPColor_Pressed", kDefaultPressed);
  hoverColor_ = bag.ReadColor(L"XPColor_Hover", kDefaultHover);
}

void XpCommand::WriteOwnProperties(PropertyBag& bag) const {
  bag.Write(L"ShowBorderOnFocus", showBorderOnFocus_, true);
  bag.Write(L"BackColor", ColorToLong(backColor_), ColorToLong(kDefaultBack));
  WriteForeColor(bag);
  WriteMaskAndTransparent(bag);
  bag.Write(L"XPColor_Pressed", ColorToLong(pressedColor_), ColorToLong(kDefaultPressed));
  bag.Write(L"XPColor_Hover", ColorToLong(hoverColor_), ColorToLong(kDefaultHover));
}

}  // namespace controls
