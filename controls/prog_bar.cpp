#include "controls/prog_bar.h"

#include <string>

#include "controls/core/prog_bar_math.h"
#include "controls/core/units.h"
#include "controls/drawing.h"
#include "foundation/ole_color.h"

namespace controls {

namespace {

constexpr uint32_t kDefaultColor = 0x8000000Du;  // system highlight
constexpr wchar_t kSearchingText[] = L"Searching..";

}  // namespace

void ProgBar::Initialize() {
  font_ = FontSpec{};
  RebuildBuffer();
  min_ = 0;
  max_ = 100;
  percent_ = 0;
  orientation_ = 0;
  look_ = 0;
  color_ = foundation::OleColorToRgb(kDefaultColor);
  DrawProgressBar();
}

void ProgBar::InitProperties() { Initialize(); }

void ProgBar::ReadProperties(const PropertyBag& bag) {
  Initialize();
  autoScroll_ = bag.ReadBool(L"AutoScroll", false);
  hatchStyle_ = bag.ReadLong(L"BrushStyle", HS_CROSS);
  SetColor(bag.ReadColor(L"Color", kDefaultColor));
  image_ = bag.ReadPicture(L"Image");
  SetMax(bag.ReadLong(L"Max", 100));
  SetMin(bag.ReadLong(L"Min", 0));
  SetOrientation(bag.ReadLong(L"Orientation", 0));
  SetScrolling(bag.ReadLong(L"Scrolling", 0));
  SetShowText(bag.ReadBool(L"ShowText", false));
  percent_ = bag.ReadLong(L"Value", 0);
  if (bag.Contains(L"Font")) font_ = bag.ReadFont(L"Font", font_);
  if (autoScroll_) StartTimer(kAutoScrollTimerId, kAutoScrollMs);
  DrawProgressBar();
}

void ProgBar::WriteProperties(PropertyBag& bag) const {
  bag.Write(L"AutoScroll", autoScroll_, false);
  bag.Write(L"Font", font_);
  bag.Write(L"BrushStyle", int32_t{hatchStyle_}, int32_t{HS_CROSS});
  bag.Write(L"Color", ColorToLong(color_), ColorToLong(kDefaultColor));
  bag.Write(L"Image", image_, PictureRef{});
  bag.Write(L"Max", max_, int32_t{100});
  bag.Write(L"Min", min_, int32_t{0});
  bag.Write(L"Orientation", orientation_, int32_t{0});
  bag.Write(L"Scrolling", look_, int32_t{0});
  bag.Write(L"ShowText", showText_, false);
  bag.Write(L"Value", percent_, int32_t{0});
}

void ProgBar::SetAutoScroll(bool on) {
  autoScroll_ = on;
  MarkChanged(L"AutoScroll");
  if (on) {
    StartTimer(kAutoScrollTimerId, kAutoScrollMs);
  } else {
    StopTimer(kAutoScrollTimerId);
  }
}

void ProgBar::SetBrushStyle(int hatchStyle) {
  hatchStyle_ = hatchStyle;
  MarkChanged(L"BrushStyle");
}

void ProgBar::SetColor(uint32_t oleColor) {
  color_ = foundation::OleColorToRgb(oleColor);
  DrawProgressBar();
}

void ProgBar::SetFont(const FontSpec& font) { font_ = font; }

void ProgBar::SetImage(PictureRef image) {
  image_ = std::move(image);
  MarkChanged(L"Image");
  DrawProgressBar();
}

void ProgBar::SetMin(int32_t min) {
  min_ = min;
  MarkChanged(L"Min");
}

void ProgBar::SetMax(int32_t max) {
  max_ = max;
  MarkChanged(L"Max");
}

void ProgBar::SetOrientation(int32_t orientation) {
  orientation_ = orientation;
  MarkChanged(L"Orientation");
  DrawProgressBar();
}

void ProgBar::SetScrolling(int32_t look) {
  look_ = look;
  MarkChanged(L"Scrolling");
  DrawProgressBar();
}

void ProgBar::SetShowText(bool show) {
  showText_ = show;
  MarkChanged(L"ShowText");
  DrawProgressBar();
}

int32_t ProgBar::GetValue() const { return ValueFromPercent(percent_, min_, max_); }

bool ProgBar::SetValue(int32_t value) {
  const std::optional<int32_t> percent = PercentFromValue(value, min_, max_);
  if (!percent) return false;
  percent_ = *percent;
  DrawProgressBar();
  return true;
}

void ProgBar::RebuildBuffer() {
  const int w = ScaleWidth(), h = ScaleHeight();
  const bool grow = buffer_.empty() ? (w > 0 && h > 0) : (w > buffer_.width() || h > buffer_.height());
  if (grow && buffer_.Resize(w, h)) bufferInUse_ = true;
}

void ProgBar::OnResize() {
  RebuildBuffer();
  DrawProgressBar();
}

void ProgBar::OnTimer(UINT_PTR id) {
  if (id == kAutoScrollTimerId) AutoScrollTick();
}

void ProgBar::AutoScrollTick() {
  if (percent_ >= 100) {
    percent_ = 0;
    DrawProgressBar();
  }
  ++percent_;
  DrawProgressBar();
}

void ProgBar::pDraw(HDC dc, int srcX, int srcY, int width, int height, int dstX, int dstY) const {
  if (!dc || buffer_.empty()) return;
  if (width <= 0) width = buffer_.width();
  if (height <= 0) height = buffer_.height();
  ::BitBlt(dc, dstX, dstY, width, height, buffer_.dc(), srcX, srcY, SRCCOPY);
}

void ProgBar::DrawGradient(uint32_t& colour1, uint32_t& colour2, int x, int y, int p5, int p6, HDC dc,
                           bool columnwise) const {
  colour1 = foundation::OleColorToRgb(colour1);
  colour2 = foundation::OleColorToRgb(colour2);
  ProgBarGradient(dc, colour1, colour2, x, y, p5, p6, columnwise);
}

void ProgBar::DrawProgressBar() {
  if (surface().empty()) return;
  // Neither a report above 100 nor one below 0 is shown as such.
  percent_ = PaintedPercent(percent_);
  ProgBarPaint p;
  p.dc = DrawingDc();
  p.color = color_;
  p.percent = percent_;
  p.look = look_;
  p.vertical = orientation_ != 0;
  p.hatchStyle = hatchStyle_;
  p.image = image_;
  p.client = {0, 0, ScaleWidth(), ScaleHeight()};
  DrawRect(p.dc, 0, 0, p.client.right, p.client.bottom, look_ == 6 ? RGB(0, 0, 0) : RGB(255, 255, 255), true);
  PaintProgBarLook(p);
  DrawBarText(p);
  if (bufferInUse_ && !buffer_.empty()) pDraw(surface().dc(), 0, 0, ScaleWidth(), ScaleHeight(), 0, 0);
  Present();
}

void ProgBar::DrawBarText(ProgBarPaint& p) {
  const std::wstring text = look_ == 2 ? std::wstring(kSearchingText) : std::to_wstring(percent_) + L" %";
  if (!showText_) return;
  HDC dc = p.dc;
  foundation::UniqueFont font = CreateGdiFont(font_, dc);
  const bool twoPass = look_ == 6 || look_ == 9;
  const double barEnd = percent_ / 100.0 * p.client.right;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  {
    foundation::SelectionGuard select(dc, font.get());
    ::SetTextColor(dc, look_ == 6 ? RGB(0xC0, 0xC0, 0xC0) : RGB(0, 0, 0));
    RECT measured{textRect_.left, textRect_.top, textRect_.right, textRect_.bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
    textRect_ = CentredText(p.client.right, p.client.bottom, measured.right - measured.left,
                            measured.bottom - measured.top);
    // Once the bar has passed the whole text only the second pass shows.
    if (!(twoPass && barEnd > textRect_.right)) {
      RECT rc{textRect_.left, textRect_.top, textRect_.right, textRect_.bottom};
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE);
    }
  }
  if (twoPass) {
    // The part of the text over the bar, in a colour that stands out on it.
    foundation::SelectionGuard select(dc, font.get());
    if (barEnd >= textRect_.left) ::SetTextColor(dc, look_ == 6 ? ShadeColor(color_, 80) : RGB(255, 255, 255));
    RECT rc{textRect_.left, textRect_.top, RoundHalfEven(barEnd), textRect_.bottom};
    if (rc.right > rc.left) ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE);
  }
  ::SetBkMode(dc, oldMode);
}

}  // namespace controls
