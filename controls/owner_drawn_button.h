// The engine of the owner-drawn command buttons (XpCommand, FlatCmd): their
// shared settings, the press, hover and key handling of CommandMachine with a
// 100 ms hover-leave poll, the layout of picture and word-wrapped caption,
// their drawing (pictures and caption embossed while disabled, both shifted a
// pixel right and down while pressed) and the property-bag keys they share.
// A kind of button supplies its face (DrawFace), its own settings and the few
// places where the two kinds differ.
//
// Drawing is in pixels on the back surface; mouse events report pixels too.
// Refresh draws: clear with FaceBackColor, DrawFace, layout, picture, caption.
#pragma once
#include <cstdint>
#include <string>

#include "controls/core/button_layout.h"
#include "controls/machine_button.h"
#include "controls/picture.h"

namespace controls {

// Sizes of the picture by PictureSize.
inline constexpr int32_t kPictureSize16 = 0;
inline constexpr int32_t kPictureSize32 = 1;
inline constexpr int32_t kPictureSizeOriginal = 2;

class OwnerDrawnButton : public MachineButton {
 public:
  static constexpr UINT kOverTimerMs = 100;

  // Mouse events report pixels.
  OwnerDrawnButton() : MachineButton(kOverTimerMs, EventUnits::kPixels) {}

  // Full redraw.
  void Refresh() override;

  void SetEnabled(bool enabled);
  FontSpec GetFont() const { return font_; }
  // Takes name, size, bold, italic, underline and strikethrough; the
  // character set stays the control's own.
  void SetFont(const FontSpec& font);
  int16_t GetMousePointer() const { return mousePointer_; }
  void SetMousePointer(int16_t pointer);
  PictureRef GetMouseIcon() const { return mouseIcon_; }
  void SetMouseIcon(PictureRef icon);
  std::wstring GetCaption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  int32_t GetPicturePosition() const { return picturePosition_; }
  void SetPicturePosition(int32_t position);  // no range check
  // The picture drawn now (the hover picture while the pointer is over the button).
  PictureRef GetPicture() const { return currentPicture_; }
  // Becomes the normal and the current picture.
  void SetPicture(PictureRef picture);
  int32_t GetPictureWidth() const { return pictureWidth_; }
  void SetPictureWidth(int32_t width);
  int32_t GetPictureHeight() const { return pictureHeight_; }
  void SetPictureHeight(int32_t height);
  int32_t GetPictureSize() const { return pictureSize_; }
  void SetPictureSize(int32_t mode);
  // Takes effect at the next time the pointer comes onto the button.
  PictureRef GetPictureHover() const { return hoverPicture_; }
  void SetPictureHover(PictureRef picture);
  uint32_t GetForeColor() const { return foreColor_; }  // OLE colours
  void SetForeColor(uint32_t oleColor);
  uint32_t GetMaskColor() const { return maskColor_; }  // RGB, compared as is
  void SetMaskColor(uint32_t color);
  bool GetTransparentBG() const { return transparentBG_; }
  void SetTransparentBG(bool transparent);
  int OriginalPictureWidth() const { return originalWidth_; }
  int OriginalPictureHeight() const { return originalHeight_; }

  void WriteProperties(PropertyBag& bag) const override;

  // Drives the hover-leave poll without the real timer.
  void OverTimerTick() { machine_.OverTimerTick(); }
  const ButtonLayout& layout() const noexcept { return layout_; }

 protected:
  // What the two kinds do differently.
  virtual uint32_t DefaultForeColor() const = 0;
  virtual int32_t NewControlPictureSize() const = 0;
  virtual uint32_t FaceBackColor() const = 0;  // OLE colour the surface is cleared with
  virtual void DrawFace() = 0;
  virtual bool PictureLeftAtEdge() const { return false; }
  // After a new picture was set: what PictureSizeOriginal does to the drawn size.
  virtual void ApplyPictureSizeOfNewPicture() = 0;
  // After a resize (XpCommand cuts its rounded outline here).
  virtual void ShapeWindow() {}
  virtual void InitOwnProperties() {}
  virtual void ReadOwnProperties(const PropertyBag&) {}
  // Written after the shared keys, in the kind's own order.
  virtual void WriteOwnProperties(PropertyBag&) const {}

  void WriteForeColor(PropertyBag& bag) const;
  void WriteMaskAndTransparent(PropertyBag& bag) const;
  void SetPictureDrawSize(int32_t width, int32_t height) {
    pictureWidth_ = width;
    pictureHeight_ = height;
  }

  const wchar_t* ClassName() const override = 0;
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override { UserControl_Resize(); }
  void OnAmbientChanged() override { Refresh(); }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void HoverChanged(bool hover) override;

  void UserControl_Resize();
  void ApplyFont();
  void CalcLayout();
  void DrawPicture();
  void DrawBitmapPicture(const Picture& picture, const foundation::IntRect& at);
  void DrawIconPicture(const Picture& picture, const foundation::IntRect& at);
  void DrawCaption();

  std::wstring caption_;
  int32_t picturePosition_ = 1;
  PictureRef normalPicture_, hoverPicture_, currentPicture_;
  int32_t pictureWidth_ = 16, pictureHeight_ = 16;
  int32_t pictureSize_ = kPictureSize32;
  int32_t originalWidth_ = 0, originalHeight_ = 0;
  uint32_t foreColor_ = 0x80000012u;
  uint32_t maskColor_ = 0;
  bool transparentBG_ = false;
  FontSpec font_;
  foundation::UniqueFont gdiFont_;
  int16_t mousePointer_ = 0;
  PictureRef mouseIcon_;
  ButtonLayout layout_;
};

}  // namespace controls
