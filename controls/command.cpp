#include "controls/command.h"

#include "controls/core/units.h"
#include "controls/drawing.h"
#include "foundation/ole_color.h"

namespace controls {

void Command::InitProperties() {
  gdiFont_ = CreateGdiFont(ambient().font, surface().dc());
  UserControl_Resize();
}

void Command::ReadProperties(const PropertyBag& bag) {
  gdiFont_ = CreateGdiFont(ambient().font, surface().dc());
  // An absent "Enabled" reads as False: the key is always written.
  SetWindowEnabledState(bag.ReadBool(L"Enabled", false));
  caption_ = bag.ReadString(L"Caption", L"");
  if (PictureRef picture = bag.ReadPicture(L"Picture")) SetPicture(picture);
  foreColor_ = bag.ReadColor(L"ForeColor", 0x80000012u);
  machine_.set_status(bag.ReadBool(L"Status", false));
  machine_.set_check(bag.ReadBool(L"Check", false));
  UserControl_Resize();
}

void Command::WriteProperties(PropertyBag& bag) const {
  bag.Write(L"Picture", picture_, PictureRef{});
  bag.Write(L"Caption", caption_, std::wstring());
  bag.Write(L"ForeColor", ColorToLong(foreColor_), ColorToLong(0x80000012u));
  bag.Write(L"Enabled", GetEnabled());  // no default: always written
  bag.Write(L"Status", GetStatus(), false);
  bag.Write(L"Check", GetCheck(), false);
}

void Command::SetPicture(PictureRef picture) {
  picture_ = std::move(picture);
  Refresh();
  MarkChanged(L"Picture");
}

void Command::SetForeColor(uint32_t oleColor) {
  foreColor_ = oleColor;
  Refresh();
  MarkChanged(L"ForeColor");
}

void Command::SetEnabled(bool enabled) {
  SetWindowEnabledState(enabled);
  MarkChanged(L"Enabled");
  Refresh();
}

void Command::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Refresh();
  MarkChanged(L"Caption");
}

void Command::SetStatus(bool status) {
  machine_.set_status(status);
  Refresh();
}

void Command::SetCheck(bool check) {
  machine_.set_check(check);
  UserControl_Resize();
}

void Command::OnAmbientChanged() {
  gdiFont_ = CreateGdiFont(ambient().font, surface().dc());
  Refresh();
}

void Command::SizeToFrame() {
  // Without a strip the button keeps the size its host gave it.
  if (!picture_) return;
  const int frameWidth = RoundHalfEven(static_cast<double>(picture_->width()) / CommandFrameCount(GetCheck()));
  if (frameWidth != ScaleWidth() || picture_->height() != ScaleHeight()) Resize(frameWidth, picture_->height());
}

void Command::UserControl_Resize() {
  SizeToFrame();
  Refresh();
}

void Command::Refresh() {
  PrintB(machine_.VisualState());
  Present();
}

void Command::PrintB(int state) {
  SizeToFrame();
  BackSurface& s = surface();
  if (s.empty()) return;
  s.Fill(foundation::OleColorToRgb(ambient().backColor));
  state = CommandEffectiveState(state, GetEnabled());
  drawnState_ = state;
  drawnFrame_ = -1;
  if (picture_) {
    if (const auto frame = CommandFrameForState(state, GetCheck())) {
      const int n = CommandFrameCount(GetCheck());
      const int frameWidth = RoundHalfEven(static_cast<double>(picture_->width()) / n);
      DrawPicturePart(s.dc(), 0, 0, frameWidth, picture_->height(), *picture_, *frame * frameWidth, 0, frameWidth,
                      picture_->height());
      drawnFrame_ = *frame;
    }
  }
  SetText(caption_, state);
}

void Command::SetText(const std::wstring& caption, int) {
  BackSurface& s = surface();
  if (s.empty()) return;
  const SIZE text = MeasureText(s.dc(), gdiFont_.get(), caption);
  DrawTextAt(s.dc(), gdiFont_.get(), caption, RoundHalfEven((s.width() - text.cx) / 2.0),
             RoundHalfEven((s.height() - text.cy) / 2.0), foundation::OleColorToRgb(foreColor_));
}

}  // namespace controls
