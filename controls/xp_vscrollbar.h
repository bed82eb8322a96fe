// xp_VScrollBar: the XP-style vertical scroll bar, 17 pixels wide, drawn from
// the kit's skin pictures and the colour scheme's thumb table (0 blue, 1 olive,
// 2 silver). Arrows step by SmallChange every 100 ms while held (the first step
// after 100 ms), the track pages by LargeChange at once and then every 200 ms
// until the thumb reaches the cursor, the thumb drags. Change follows every
// change of Value (and every repeat step), Scroll every move while a left press
// is held, MouseMove every move.
//
// An out-of-range LargeChange or SmallChange shows "Invalid property value"
// through foundation::ShowMessage (replaceable in tests) and stores 1.
#pragma once
#include <cstdint>

#include "controls/control_base.h"
#include "controls/core/scroll_bar_state.h"

namespace controls {

class XpVScrollBar : public ControlWindow, private ScrollBarHost {
 public:
  static constexpr UINT_PTR kRepeatTimerId = 1;
  static constexpr UINT_PTR kHoverTimerId = 2;

  XpVScrollBar() : state_(*this) {}

  bool GetEnabled() const { return IsWindowEnabledState(); }
  void SetEnabled(bool enabled) { state_.set_enabled(enabled); }
  int32_t GetLargeChange() const { return state_.large_change(); }
  void SetLargeChange(int32_t v) { state_.set_large_change(v); }
  int32_t GetMax() const { return state_.max(); }
  void SetMax(int32_t v) { state_.set_max(v); }
  int32_t GetMin() const { return state_.min(); }
  void SetMin(int32_t v) { state_.set_min(v); }
  int32_t GetColorScheme() const { return state_.color_scheme(); }
  void SetColorScheme(int32_t v) { state_.set_color_scheme(v); }
  int32_t GetSmallChange() const { return state_.small_change(); }
  void SetSmallChange(int32_t v) { state_.set_small_change(v); }
  int32_t GetValue() const { return state_.value(); }
  void SetValue(int32_t v) { state_.set_value(v); }

  Event<> Change;
  Event<> Scroll;
  Event<int16_t, int16_t, float, float> MouseMove;  // Button, Shift, X, Y (pixels)

  void WriteProperties(PropertyBag& bag) const override;

  // Drives the bar without real timers (tests, and the timers themselves).
  ScrollBarState& state() noexcept { return state_; }
  const ScrollBarState& state() const noexcept { return state_; }

 protected:
  const wchar_t* ClassName() const override { return L"ControlsXpVScrollBar"; }
  void InitProperties() override { state_.InitNew(); }
  void ReadProperties(const PropertyBag& bag) override;
  void OnResize() override { state_.ResizeStep(); }
  void OnMouseDown(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseUp(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseMove(int16_t buttons, int16_t shift, int x, int y) override;
  void OnDoubleClick(int16_t button, int16_t shift, int x, int y) override { OnMouseDown(button, shift, x, y); }
  void OnTimer(UINT_PTR id) override;
  bool TakesFocusOnPress() const override { return false; }

 private:
  // ScrollBarHost
  int ControlHeight() const override { return ScaleHeight(); }
  void SetControlSize(int width, int height) override;
  bool WindowEnabled() const override { return IsWindowEnabledState(); }
  void SetWindowEnabled(bool enabled) override { SetWindowEnabledState(enabled); }
  void BeginDraw() override { ++drawDepth_; }
  void EndDraw() override;
  void DrawSkin(int id, int x, int y, int width, int height) override;
  void DrawLine(int x1, int y1, int x2, int y2, uint32_t oleColor) override;
  void StartRepeatTimer(int intervalMs) override { StartTimer(kRepeatTimerId, static_cast<UINT>(intervalMs)); }
  void StopRepeatTimer() override { StopTimer(kRepeatTimerId); }
  void StartHoverPoll(int intervalMs) override { StartTimer(kHoverTimerId, static_cast<UINT>(intervalMs)); }
  void StopHoverPoll() override { StopTimer(kHoverTimerId); }
  bool CursorOverControl() const override;
  void ReportInvalidPropertyValue() override;
  void RaiseChange() override { Raise(Change); }
  void RaiseScroll() override { Raise(Scroll); }
  void RaiseMouseMove(int16_t button, int16_t shift, float x, float y) override { Raise(MouseMove, button, shift, x, y); }
  void MarkChanged(const wchar_t* property) override { ControlWindow::MarkChanged(property); }

  ScrollBarState state_;
  int drawDepth_ = 0;
};

}  // namespace controls
