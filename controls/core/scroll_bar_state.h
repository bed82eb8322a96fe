// The XP-style vertical scroll bar without its window: properties, thumb
// geometry, hit test, press / drag / repeat / hover logic and the drawing
// decisions, fed with inputs and timer ticks by its host (the window, or a
// test with a fake clock). No <windows.h>.
//
// All positions are pixels of the control; the bar is 17 pixels wide. Parts:
// 1 up arrow, 2 thumb, 3 down arrow, 4 track above the thumb, 5 track below
// it, 10 none. Draw states: 0 normal, 1 hover, 2 pressed.
#pragma once
#include <cstdint>
#include <functional>

#include "controls/core/color_schemes.h"

namespace controls {

// Skin picture numbers (24-bit bitmaps drawn by the skin cache).
namespace scroll_skin {
inline constexpr int kTrack = 9130;             // schemes 0, 1 (and unknown); 17 x 1
inline constexpr int kTrackSilver = 9153;       // 17 x 1
inline constexpr int kHeldTrack = 9264;         // 17 x 1
inline constexpr int kHeldTrackSilver = 9265;   // 17 x 1
inline constexpr int kUpDisabled = 9260;        // 16 x 17
inline constexpr int kDownDisabled = 9261;      // 16 x 17
inline constexpr int kThumbBlue = 9133;         // caps: id - 2 (16 x 2), id - 1 (16 x 3)
inline constexpr int kThumbOlive = 9144;
inline constexpr int kThumbSilver = 9156;
// Arrows: first id of the three states (normal, hover, pressed), 16 x 17.
inline constexpr int kUpBlue = 9136, kDownBlue = 9139;
inline constexpr int kUpOlive = 9147, kDownOlive = 9150;
inline constexpr int kUpSilver = 9159, kDownSilver = 9162;
}  // namespace scroll_skin

inline constexpr int kScrollBarWidth = 17;
inline constexpr int kScrollArrowHeight = 17;
inline constexpr int kScrollMinHeight = 34;
inline constexpr int kScrollMinThumb = 10;
inline constexpr int kScrollArrowRepeatMs = 100;
inline constexpr int kScrollTrackRepeatMs = 200;
inline constexpr int kScrollHoverPollMs = 5;

inline constexpr uint8_t kPartNone = 10;

class ScrollBarHost {
 public:
  virtual ~ScrollBarHost() = default;
  // Window: size, enabled state.
  virtual int ControlHeight() const = 0;  // the inner height in pixels
  virtual void SetControlSize(int width, int height) = 0;
  virtual bool WindowEnabled() const = 0;
  virtual void SetWindowEnabled(bool enabled) = 0;
  // Drawing: BeginDraw / EndDraw bracket one update of the back image, which
  // EndDraw presents. Pictures by skin number, stretched onto the rectangle;
  // lines leave out their end point. Colours are OLE colours.
  virtual void BeginDraw() = 0;
  virtual void EndDraw() = 0;
  virtual void DrawSkin(int id, int x, int y, int width, int height) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2, uint32_t oleColor) = 0;
  // Timers.
  virtual void StartRepeatTimer(int intervalMs) = 0;
  virtual void StopRepeatTimer() = 0;
  virtual void StartHoverPoll(int intervalMs) = 0;
  virtual void StopHoverPoll() = 0;
  virtual bool CursorOverControl() const = 0;
  // "Invalid property value".
  virtual void ReportInvalidPropertyValue() = 0;
  // Events.
  virtual void RaiseChange() = 0;
  virtual void RaiseScroll() = 0;
  virtual void RaiseMouseMove(int16_t button, int16_t shift, float x, float y) = 0;
  virtual void MarkChanged(const wchar_t* property) = 0;
};

class ScrollBarState {
 public:
  explicit ScrollBarState(ScrollBarHost& host);

  // A new instance: LargeChange 10, Max 255, SmallChange 1, scheme 0 table.
  void InitNew();
  // Settings as read from the property bag, in reading order.
  struct StoredSettings {
    bool enabled = true;
    int32_t largeChange = 10, max = 255, min = 0, smallChange = 1, value = 0, colorScheme = 0;
  };
  void ApplyStored(const StoredSettings& s);
  StoredSettings Settings() const;

  // Width 17, height at least 34, thumb size, full redraw.
  void ResizeStep();

  // Properties (setters behave as the control's property setters).
  bool enabled() const { return host_.WindowEnabled(); }
  void set_enabled(bool v);
  int32_t large_change() const noexcept { return largeChange_; }
  void set_large_change(int32_t v);
  int32_t max() const noexcept { return max_; }
  void set_max(int32_t v);
  int32_t min() const noexcept { return min_; }
  void set_min(int32_t v);
  int32_t color_scheme() const noexcept { return scheme_; }
  void set_color_scheme(int32_t v);
  int32_t small_change() const noexcept { return smallChange_; }
  void set_small_change(int32_t v);
  int32_t value() const noexcept { return value_; }
  void set_value(int32_t v);

  // Input.
  void MouseDown(int16_t button, float y);
  void MouseMove(int16_t button, int16_t shift, float x, float y);
  void MouseUp();
  void RepeatTick();
  void HoverPollTick();

  // Geometry and state, for drawing and tests.
  int HitTest(float y) const;
  bool IsOverThumb() const;
  int32_t thumb_top() const noexcept { return thumbTop_; }
  int32_t thumb_height() const noexcept { return thumbHeight_; }
  int32_t free_track() const noexcept { return freeTrack_; }
  int hover_part() const noexcept { return hoverPart_; }
  int last_hover_part() const noexcept { return lastHoverPart_; }
  int pressed_part() const noexcept { return pressedPart_; }
  int last_drawn_code() const noexcept { return lastDrawn_; }
  bool button_down() const noexcept { return buttonDown_; }
  bool dragging() const noexcept { return dragging_; }
  bool repeat_running() const noexcept { return repeatRunning_; }
  bool hover_poll_running() const noexcept { return pollRunning_; }
  const ColorSchemeTable& colors() const noexcept { return colors_; }
  int thumb_skin_id() const;

  void CalcThumbSize();
  void CalcThumbPos();
  void Redraw();

 private:
  void UpdateAfterValue();
  void DrawTrack(bool wholeControl);
  void DrawPressedTrack();
  int ArrowSkinId(bool up, int state) const;
  void DrawUpArrow(int state);
  void DrawDownArrow(int state);
  void DrawThumb(int state);
  void DrawPart(int part, int state);
  void StepBy(int part);

  ScrollBarHost& host_;
  int32_t largeChange_ = 10, max_ = 255, min_ = 0, smallChange_ = 1, value_ = 0, scheme_ = 0;
  ColorSchemeTable colors_{};
  int32_t thumbTop_ = kScrollArrowHeight, thumbHeight_ = kScrollMinThumb, freeTrack_ = 0;
  int hoverPart_ = kPartNone, lastHoverPart_ = kPartNone, pressedPart_ = kPartNone;
  int lastDrawn_ = 0;
  bool buttonDown_ = false, dragging_ = false, repeatRunning_ = false, pollRunning_ = false;
  float pressY_ = 0;
  int32_t valueAtPress_ = 0;
};

}  // namespace controls
