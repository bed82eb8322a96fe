#include "controls/command.h"

#include "controls/core/units.h"
#include "controls/drawing.h"
#include "controls/mouse_over.h"
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

void Command::OnMouseDown(int16_t button, int16_t shift, int x, int y) {
  float X = PixelsToTwips(x), Y = PixelsToTwips(y);
  machine_.MouseDown(button, shift, X, Y);
  Raise(MouseDown, button, shift, X, Y);
}

void Command::OnMouseMove(int16_t buttons, int16_t shift, int x, int y) {
  machine_.MouseMove(Inside(x, y), shift);
  float X = PixelsToTwips(x), Y = PixelsToTwips(y);
  Raise(MouseMove, buttons, shift, X, Y);
}

void Command::OnMouseUp(int16_t button, int16_t shift, int x, int y) {
  machine_.MouseUp(button, Inside(x, y));  // Click comes before MouseUp
  float X = PixelsToTwips(x), Y = PixelsToTwips(y);
  Raise(MouseUp, button, shift, X, Y);
}

void Command::OnDoubleClick(int16_t, int16_t, int, int) {
  if (hwnd() && ::GetCapture() != hwnd()) ::SetCapture(hwnd());
  CommandMachine::Press press = machine_.DoubleClick();
  Raise(MouseDown, press.button, press.shift, press.x, press.y);
}

void Command::OnKeyDown(int keyCode, int16_t shift) {
  machine_.KeyDown(keyCode);
  int16_t code = static_cast<int16_t>(keyCode);
  Raise(KeyDown, code, shift);
}

void Command::OnKeyUp(int keyCode, int16_t shift) {
  machine_.KeyUp(keyCode);
  int16_t code = static_cast<int16_t>(keyCode);
  Raise(KeyUp, code, shift);
}

void Command::OnKeyPress(int keyAscii) {
  int16_t key = static_cast<int16_t>(keyAscii);
  Raise(KeyPress, key);
}

void Command::OnTimer(UINT_PTR id) {
  if (id == kOverTimerId) machine_.OverTimerTick();
}

// Shows the new look at once. Only our own paint runs here: a general message
// pump inside a mouse handler could destroy the button under its own feet.
void Command::PumpMessages() {
  if (hwnd()) ::UpdateWindow(hwnd());
}

bool Command::CursorOverButton() { return IsMouseOver(hwnd()); }

}  // namespace controls
