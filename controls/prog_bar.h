// ProgBar: an owner-drawn progress bar. It keeps its position as a whole
// percent (0..100), paints it in one of ten looks (Scrolling, painters in
// controls/prog_bar_painters.h), can write the percent or "Searching.." over
// the bar, and with AutoScroll runs as an endless marquee on a 10 ms timer.
// Each paint goes into a back buffer that only ever grows and reaches the
// control's surface in one copy. No events.
#pragma once
#include <cstdint>

#include "controls/back_surface.h"
#include "controls/control_base.h"
#include "controls/picture.h"
#include "controls/prog_bar_painters.h"

namespace controls {

class ProgBar : public ControlWindow {
 public:
  static constexpr UINT_PTR kAutoScrollTimerId = 1;
  static constexpr UINT kAutoScrollMs = 10;

  // Repaints.
  void DrawProgressBar();
  // BitBlt from the back buffer to dc; a width or height of 0 or less stands
  // for the buffer's.
  void pDraw(HDC dc, int srcX, int srcY, int width, int height, int dstX, int dstY) const;
  // The painters' line and gradient for a host's own drawing (see
  // prog_bar_painters.h); the gradient writes the translated colours back.
  void DrawLine(int x1, int y1, int x2, int y2, HDC dc, uint32_t oleColor) const {
    ProgBarLine(dc, x1, y1, x2, y2, oleColor);
  }
  void DrawGradient(uint32_t& colour1, uint32_t& colour2, int x, int y, int p5, int p6, HDC dc, bool columnwise) const;
  // The DC every painter draws into: the back buffer's, or the surface's
  // when no buffer could be made.
  HDC hdc() { return DrawingDc(); }

  bool GetAutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool on);
  int GetBrushStyle() const { return hatchStyle_; }
  void SetBrushStyle(int hatchStyle);  // no repaint
  // Stored as RGB (an OLE colour is translated on the way in); repaints but
  // marks no change.
  uint32_t GetColor() const { return color_; }
  void SetColor(uint32_t oleColor);
  FontSpec GetFont() const { return font_; }
  void SetFont(const FontSpec& font);  // no repaint
  PictureRef GetImage() const { return image_; }
  void SetImage(PictureRef image);
  int32_t GetMin() const { return min_; }
  void SetMin(int32_t min);  // no repaint
  int32_t GetMax() const { return max_; }
  void SetMax(int32_t max);  // no repaint
  int32_t GetOrientation() const { return orientation_; }  // 0 horizontal, else vertical
  void SetOrientation(int32_t orientation);
  int32_t GetScrolling() const { return look_; }
  void SetScrolling(int32_t look);
  bool GetShowText() const { return showText_; }
  void SetShowText(bool show);
  // Value <-> percent (Value * 100 / Max + Min). False, keeping the percent,
  // when Max is 0.
  int32_t GetValue() const;
  bool SetValue(int32_t value);

  int32_t percent() const noexcept { return percent_; }
  // Rebuilds the back buffer for the current size (it only grows).
  void RebuildBuffer();
  int buffer_width() const noexcept { return buffer_.width(); }
  int buffer_height() const noexcept { return buffer_.height(); }
  // One step of the marquee (what the 10 ms timer runs).
  void AutoScrollTick();

  void WriteProperties(PropertyBag& bag) const override;

 protected:
  const wchar_t* ClassName() const override { return L"ControlsProgBar"; }
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override;
  void OnTimer(UINT_PTR id) override;
  void OnAmbientChanged() override { DrawProgressBar(); }
  bool TakesFocusOnPress() const override { return false; }

 private:
  void Initialize();
  HDC DrawingDc() { return buffer_.empty() ? surface().dc() : buffer_.dc(); }
  void DrawBarText(ProgBarPaint& p);

  uint32_t color_ = 0;
  int32_t min_ = 0, max_ = 100;
  int32_t percent_ = 0;
  bool autoScroll_ = false;
  bool showText_ = false;
  int32_t look_ = 0;
  int32_t orientation_ = 0;
  int hatchStyle_ = HS_CROSS;
  PictureRef image_;
  FontSpec font_;
  BackSurface buffer_;
  bool bufferInUse_ = false;
  foundation::IntRect textRect_;
};

}  // namespace controls
