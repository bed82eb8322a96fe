#include "controls/owner_drawn_button.h"

#include "controls/drawing.h"
#include "controls/mouse_pointer.h"
#include "foundation/ole_color.h"

namespace controls {

namespace {

constexpr int kMinimumPixels = 10;    // below this the control grows to 150 twips
constexpr int kGrownPixels = 150 / 15;
constexpr UINT kCaptionFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
constexpr uint32_t kEmbossLight = 0x80000014u;   // 3-D highlight
constexpr uint32_t kEmbossShadow = 0x80000010u;  // button shadow

DRAWTEXTPARAMS TextParams() {
  DRAWTEXTPARAMS p{};
  p.cbSize = sizeof(p);
  p.iTabLength = 1;
  p.iLeftMargin = 1;
  p.iRightMargin = 1;
  return p;
}

RECT ToRect(const foundation::IntRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A memory DC holding a bitmap of its own for one drawing step.
struct Canvas {
  foundation::UniqueMemoryDc dc;
  foundation::UniqueBitmap bitmap;
  HGDIOBJ previous = nullptr;
  Canvas(HDC like, int w, int h) : dc(::CreateCompatibleDC(like)), bitmap(::CreateCompatibleBitmap(like, w, h)) {
    if (dc && bitmap) previous = ::SelectObject(dc.get(), bitmap.get());
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() { Deselect(); }
  void Deselect() {
    if (previous) ::SelectObject(dc.get(), previous);
    previous = nullptr;
  }
  bool ok() const { return previous != nullptr; }
  HDC get() const { return dc.get(); }
};

}  // namespace

void OwnerDrawnButton::InitProperties() {
  caption_ = ambient().displayName;
  picturePosition_ = 1;
  normalPicture_ = hoverPicture_ = currentPicture_ = nullptr;
  pictureWidth_ = pictureHeight_ = 16;
  pictureSize_ = NewControlPictureSize();
  foreColor_ = DefaultForeColor();
  maskColor_ = 0;
  transparentBG_ = false;
  font_ = ambient().font;
  ApplyFont();
  InitOwnProperties();
  UserControl_Resize();
}

void OwnerDrawnButton::ReadProperties(const PropertyBag& bag) {
  ReadOwnProperties(bag);
  foreColor_ = bag.ReadColor(L"ForeColor", DefaultForeColor());
  caption_ = bag.ReadString(L"Caption", ambient().displayName);
  picturePosition_ = bag.ReadLong(L"PicturePosition", 1);
  currentPicture_ = bag.ReadPicture(L"Picture");
  pictureWidth_ = bag.ReadLong(L"PictureWidth", 16);
  pictureHeight_ = bag.ReadLong(L"PictureHeight", 16);
  pictureSize_ = bag.ReadLong(L"PictureSize", kPictureSize32);
  originalWidth_ = bag.ReadLong(L"OriginalPicSizeW", 16);
  originalHeight_ = bag.ReadLong(L"OriginalPicSizeH", 16);
  font_ = bag.ReadFont(L"Font", ambient().font);
  ApplyFont();
  hoverPicture_ = bag.ReadPicture(L"PictureHover");
  normalPicture_ = bag.ReadPicture(L"Picture");
  mouseIcon_ = bag.ReadPicture(L"MouseIcon");
  SetWindowEnabledState(bag.ReadBool(L"Enabled", true));
  mousePointer_ = static_cast<int16_t>(bag.ReadLong(L"MousePointer", 0));
  maskColor_ = bag.ReadColor(L"MaskColor", 0);
  transparentBG_ = bag.ReadBool(L"TransparentBG", false);
  UserControl_Resize();
}

void OwnerDrawnButton::WriteProperties(PropertyBag& bag) const {
  bag.Write(L"Caption", caption_, ambient().displayName);
  bag.Write(L"PicturePosition", picturePosition_, int32_t{1});
  // The normal picture: saved while the pointer is over the button, the
  // drawn one is the hover picture, which would come back as both.
  bag.Write(L"Picture", normalPicture_, PictureRef{});
  bag.Write(L"PictureWidth", pictureWidth_, int32_t{16});
  bag.Write(L"PictureHeight", pictureHeight_, int32_t{16});
  bag.Write(L"PictureSize", pictureSize_, kPictureSize32);
  bag.Write(L"OriginalPicSizeW", int32_t{originalWidth_}, int32_t{16});
  bag.Write(L"OriginalPicSizeH", int32_t{originalHeight_}, int32_t{16});
  bag.Write(L"PictureHover", hoverPicture_, PictureRef{});
  bag.Write(L"Enabled", GetEnabled(), true);
  bag.Write(L"Font", font_, ambient().font);
  bag.Write(L"MouseIcon", mouseIcon_, PictureRef{});
  bag.Write(L"MousePointer", int32_t{mousePointer_}, int32_t{0});
  WriteOwnProperties(bag);
}

void OwnerDrawnButton::WriteForeColor(PropertyBag& bag) const {
  bag.Write(L"ForeColor", ColorToLong(foreColor_), ColorToLong(DefaultForeColor()));
}

void OwnerDrawnButton::WriteMaskAndTransparent(PropertyBag& bag) const {
  bag.Write(L"MaskColor", ColorToLong(maskColor_), int32_t{0});
  bag.Write(L"TransparentBG", transparentBG_, false);
}

void OwnerDrawnButton::SetEnabled(bool enabled) {
  SetWindowEnabledState(enabled);
  MarkChanged(L"Enabled");
  Refresh();
}

void OwnerDrawnButton::SetFont(const FontSpec& font) {
  const int charset = font_.charset;
  font_ = font;
  font_.charset = charset;
  MarkChanged(L"Font");
  ApplyFont();
  Refresh();
}

void OwnerDrawnButton::SetMousePointer(int16_t pointer) {
  mousePointer_ = pointer;
  MarkChanged(L"MousePointer");
}

void OwnerDrawnButton::SetMouseIcon(PictureRef icon) {
  mouseIcon_ = std::move(icon);
  MarkChanged(L"MouseIcon");
}

void OwnerDrawnButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  MarkChanged(L"Caption");
  Refresh();
}

void OwnerDrawnButton::SetPicturePosition(int32_t position) {
  picturePosition_ = position;
  MarkChanged(L"PicturePosition");
  Refresh();
}

void OwnerDrawnButton::SetPicture(PictureRef picture) {
  normalPicture_ = currentPicture_ = std::move(picture);
  if (currentPicture_) {
    originalWidth_ = currentPicture_->width();
    originalHeight_ = currentPicture_->height();
  } else {
    originalWidth_ = originalHeight_ = 32;
  }
  MarkChanged(L"Picture");
  ApplyPictureSizeOfNewPicture();
  Refresh();
}

void OwnerDrawnButton::SetPictureWidth(int32_t width) {
  pictureWidth_ = width;
  MarkChanged(L"PictureWidth");
  Refresh();
}

void OwnerDrawnButton::SetPictureHeight(int32_t height) {
  pictureHeight_ = height;
  MarkChanged(L"PictureHeight");
  Refresh();
}

void OwnerDrawnButton::SetPictureSize(int32_t mode) {
  pictureSize_ = mode;
  MarkChanged(L"PictureSize");
  switch (mode) {
    case kPictureSize16: pictureWidth_ = pictureHeight_ = 16; break;
    case kPictureSize32: pictureWidth_ = pictureHeight_ = 32; break;
    case kPictureSizeOriginal:
      if (currentPicture_) {
        pictureWidth_ = originalWidth_;
        pictureHeight_ = originalHeight_;
      } else {
        pictureWidth_ = pictureHeight_ = 32;
      }
      break;
    default: break;
  }
  Refresh();
}

void OwnerDrawnButton::SetPictureHover(PictureRef picture) {
  hoverPicture_ = std::move(picture);
  MarkChanged(L"PictureHover");
}

void OwnerDrawnButton::SetForeColor(uint32_t oleColor) {
  foreColor_ = oleColor;
  MarkChanged(L"ForeColor");
  Refresh();
}

void OwnerDrawnButton::SetMaskColor(uint32_t color) {
  maskColor_ = color;
  MarkChanged(L"MaskColor");
  Refresh();
}

void OwnerDrawnButton::SetTransparentBG(bool transparent) {
  transparentBG_ = transparent;
  MarkChanged(L"TransparentBG");
  Refresh();
}

void OwnerDrawnButton::ApplyFont() { gdiFont_ = CreateGdiFont(font_, surface().dc()); }

void OwnerDrawnButton::UserControl_Resize() {
  // A control narrower or lower than 10 pixels grows to 150 twips that way.
  const int w = ScaleWidth() < kMinimumPixels ? kGrownPixels : ScaleWidth();
  const int h = ScaleHeight() < kMinimumPixels ? kGrownPixels : ScaleHeight();
  if (w != ScaleWidth() || h != ScaleHeight()) Resize(w, h);
  ShapeWindow();
  Refresh();
}

void OwnerDrawnButton::Refresh() {
  BackSurface& s = surface();
  if (s.empty()) return;
  s.Fill(foundation::OleColorToRgb(FaceBackColor()));
  DrawFace();
  CalcLayout();
  DrawPicture();
  DrawCaption();
  Present();
}

void OwnerDrawnButton::CalcLayout() {
  ButtonLayoutInput in;
  in.width = ScaleWidth();
  in.height = ScaleHeight();
  in.hasPicture = currentPicture_ != nullptr;
  in.hasCaption = !caption_.empty();
  in.pictureWidth = pictureWidth_;
  in.pictureHeight = pictureHeight_;
  in.picturePosition = picturePosition_;
  in.pictureLeftAtEdge = PictureLeftAtEdge();
  in.previousPicture = layout_.picture;
  // The caption wraps at the width of the content area.
  const foundation::IntRect content{4, 4, in.width - 4, in.height - 4};
  RECT measured = ToRect(content);
  DRAWTEXTPARAMS params = TextParams();
  HDC dc = surface().dc();
  {
    foundation::SelectionGuard select(dc, gdiFont_.get());
    ::DrawTextExW(dc, caption_.data(), static_cast<int>(caption_.size()), &measured, DT_CALCRECT | kCaptionFlags,
                  &params);
  }
  in.captionWidth = measured.right - measured.left;
  in.captionHeight = measured.bottom - measured.top;
  layout_ = ComputeButtonLayout(in);
}

void OwnerDrawnButton::DrawPicture() {
  if (!currentPicture_) return;
  foundation::IntRect at = layout_.picture;
  if (machine_.pressed()) at = at.Offset(1, 1);
  if (currentPicture_->bitmap()) {
    DrawBitmapPicture(*currentPicture_, at);
  } else if (currentPicture_->icon()) {
    DrawIconPicture(*currentPicture_, at);
  }
}

void OwnerDrawnButton::DrawBitmapPicture(const Picture& picture, const foundation::IntRect& at) {
  HDC surfaceDc = surface().dc();
  const int ow = picture.width(), oh = picture.height();
  const int pw = pictureWidth_, ph = pictureHeight_;
  if (ow <= 0 || oh <= 0 || pw <= 0 || ph <= 0) return;
  Canvas original(surfaceDc, ow, oh);
  Canvas scaled(surfaceDc, pw, ph);
  foundation::UniqueMemoryDc source(::CreateCompatibleDC(surfaceDc));
  if (!original.ok() || !scaled.ok() || !source) return;
  foundation::SelectionGuard selectPicture(source.get(), picture.bitmap());
  const int oldMode = ::SetStretchBltMode(scaled.get(), COLORONCOLOR);
  if (GetEnabled()) {
    ::BitBlt(original.get(), 0, 0, ow, oh, source.get(), 0, 0, SRCCOPY);
    ::StretchBlt(scaled.get(), 0, 0, pw, ph, original.get(), 0, 0, ow, oh, SRCCOPY);
    TransBlt(surfaceDc, surfaceDc, scaled.get(), 0, 0, pw, ph, at.left, at.top, maskColor_);
  } else {
    // Masked onto white, then embossed: what was white stays out of the emboss.
    DrawRect(original.get(), 0, 0, ow, oh, RGB(255, 255, 255), true);
    TransBlt(original.get(), original.get(), source.get(), 0, 0, ow, oh, 0, 0, maskColor_);
    ::StretchBlt(scaled.get(), 0, 0, pw, ph, original.get(), 0, 0, ow, oh, SRCCOPY);
    scaled.Deselect();
    ::DrawStateW(surfaceDc, nullptr, nullptr, reinterpret_cast<LPARAM>(scaled.bitmap.get()), 0, at.left, at.top, 0,
                 0, DST_BITMAP | DSS_DISABLED);
  }
  ::SetStretchBltMode(scaled.get(), oldMode);
}

void OwnerDrawnButton::DrawIconPicture(const Picture& picture, const foundation::IntRect& at) {
  HDC surfaceDc = surface().dc();
  const int pw = at.Width(), ph = at.Height();
  if (GetEnabled()) {
    ::DrawIconEx(surfaceDc, at.left, at.top, picture.icon(), pw, ph, 0, nullptr, DI_NORMAL);
    return;
  }
  const int ow = picture.width(), oh = picture.height();
  if (ow <= 0 || oh <= 0 || pw <= 0 || ph <= 0) return;
  Canvas original(surfaceDc, ow, oh);  // starts black: black is the transparent colour
  Canvas scaled(surfaceDc, pw, ph);
  if (!original.ok() || !scaled.ok()) return;
  ::DrawStateW(original.get(), nullptr, nullptr, reinterpret_cast<LPARAM>(picture.icon()), 0, 0, 0, 0, 0,
               DST_ICON | DSS_DISABLED);
  ::StretchBlt(scaled.get(), 0, 0, pw, ph, original.get(), 0, 0, ow, oh, SRCCOPY);
  TransBlt(surfaceDc, surfaceDc, scaled.get(), 0, 0, pw, ph, at.left, at.top, RGB(0, 0, 0));
}

void OwnerDrawnButton::DrawCaption() {
  if (caption_.empty()) return;
  HDC dc = surface().dc();
  foundation::IntRect at = layout_.caption;
  if (machine_.pressed()) at = at.Offset(1, 1);
  foundation::SelectionGuard select(dc, gdiFont_.get());
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  DRAWTEXTPARAMS params = TextParams();
  auto draw = [&](const foundation::IntRect& r, COLORREF color) {
    ::SetTextColor(dc, color);
    RECT rc = ToRect(r);
    ::DrawTextExW(dc, caption_.data(), static_cast<int>(caption_.size()), &rc, kCaptionFlags, &params);
  };
  if (GetEnabled()) {
    draw(at, foundation::OleColorToRgb(foreColor_));
  } else {
    draw(at.Offset(1, 1), foundation::OleColorToRgb(kEmbossLight));
    draw(at, foundation::OleColorToRgb(kEmbossShadow));
  }
  ::SetBkMode(dc, oldMode);
}

void OwnerDrawnButton::HoverChanged(bool hover) {
  if (!hover) {
    currentPicture_ = normalPicture_;
  } else if (hoverPicture_) {
    currentPicture_ = hoverPicture_;
  }
}

LRESULT OwnerDrawnButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
    if (HCURSOR cursor = CursorForPointer(mousePointer_, mouseIcon_)) {
      ::SetCursor(cursor);
      return TRUE;
    }
  }
  return ControlWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace controls
