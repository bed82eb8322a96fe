// FlatCmd: the owner-drawn command button with a flat face in its BackColor
// (or, with TransparentBG, the part of the host's picture behind it) and a
// one-pixel 3-D frame, raised at rest and under the pointer, sunken while
// pressed; NoBorderEffect leaves the frame out. Keeps a rectangular window.
// Everything else is the owner-drawn button engine's.
#pragma once
#include <cstdint>

#include "controls/owner_drawn_button.h"

namespace controls {

class FlatCmd : public OwnerDrawnButton {
 public:
  uint32_t GetBackColor() const { return backColor_; }  // OLE colour
  void SetBackColor(uint32_t oleColor);
  bool GetNoBorderEffect() const { return noBorderEffect_; }
  void SetNoBorderEffect(bool off);

 protected:
  const wchar_t* ClassName() const override { return L"ControlsFlatCmd"; }
  uint32_t DefaultForeColor() const override { return 0x80000012u; }
  int32_t NewControlPictureSize() const override { return kPictureSize32; }
  uint32_t FaceBackColor() const override { return backColor_; }
  void DrawFace() override;
  bool PictureLeftAtEdge() const override { return true; }
  // With the original-size mode a new picture is drawn at its own size.
  void ApplyPictureSizeOfNewPicture() override;
  void InitOwnProperties() override;
  void ReadOwnProperties(const PropertyBag& bag) override;
  void WriteOwnProperties(PropertyBag& bag) const override;

 private:
  void CopyParentBackground();
  void DrawBorders();

  uint32_t backColor_ = 0x8000000Fu;
  bool noBorderEffect_ = false;
};

}  // namespace controls
