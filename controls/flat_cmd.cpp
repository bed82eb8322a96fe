#include "controls/flat_cmd.h"

#include "controls/drawing.h"
#include "foundation/ole_color.h"

namespace controls {

namespace {

constexpr uint32_t kDefaultBack = 0x8000000Fu;
constexpr uint32_t kShadow = 0x80000010u;     // button shadow
constexpr uint32_t kHighlight = 0x80000014u;  // button highlight

}  // namespace

void FlatCmd::SetBackColor(uint32_t oleColor) {
  backColor_ = oleColor;
  MarkChanged(L"BackColor");
  Refresh();
}

void FlatCmd::SetNoBorderEffect(bool off) {
  noBorderEffect_ = off;
  MarkChanged(L"NoBorderEffect");
  Refresh();
}

void FlatCmd::DrawFace() {
  if (GetTransparentBG()) CopyParentBackground();
  if (!noBorderEffect_) DrawBorders();
}

void FlatCmd::CopyParentBackground() {
  // Without a picture on the host the plain BackColor surface stays.
  const PictureRef& picture = ambient().picture;
  HWND parent = hwnd() ? ::GetParent(hwnd()) : nullptr;
  if (!picture || !picture->bitmap() || !parent) return;
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  POINT origin{r.left, r.top};
  ::ScreenToClient(parent, &origin);
  foundation::UniqueMemoryDc source(::CreateCompatibleDC(surface().dc()));
  if (!source) return;
  foundation::SelectionGuard select(source.get(), picture->bitmap());
  ::BitBlt(surface().dc(), 0, 0, ScaleWidth(), ScaleHeight(), source.get(), origin.x, origin.y, SRCCOPY);
}

void FlatCmd::DrawBorders() {
  // The second rectangle reaches one pixel past the control: only its top row
  // and left column land, so the right column and bottom row keep the first colour.
  const bool sunken = machine().pressed();
  const COLORREF first = foundation::OleColorToRgb(sunken ? kHighlight : kShadow);
  const COLORREF second = foundation::OleColorToRgb(sunken ? kShadow : kHighlight);
  const int w = ScaleWidth(), h = ScaleHeight();
  DrawRect(surface().dc(), 0, 0, w, h, first, false);
  DrawRect(surface().dc(), 0, 0, w + 1, h + 1, second, false);
}

void FlatCmd::ApplyPictureSizeOfNewPicture() {
  if (GetPictureSize() == kPictureSizeOriginal && GetPicture()) {
    SetPictureDrawSize(GetPicture()->width(), GetPicture()->height());
  }
}

void FlatCmd::InitOwnProperties() {
  backColor_ = kDefaultBack;
  noBorderEffect_ = false;
}

void FlatCmd::ReadOwnProperties(const PropertyBag& bag) {
  backColor_ = bag.ReadColor(L"BackColor", kDefaultBack);
  noBorderEffect_ = bag.ReadBool(L"NoBorderEffect", false);
}

void FlatCmd::WriteOwnProperties(PropertyBag& bag) const {
  bag.Write(L"BackColor", ColorToLong(backColor_), ColorToLong(kDefaultBack));
  WriteForeColor(bag);
  bag.Write(L"NoBorderEffect", noBorderEffect_, false);
  WriteMaskAndTransparent(bag);
}

}  // namespace controls
