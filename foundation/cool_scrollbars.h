// Custom-drawn scroll bars laid over a child window's own ones. Three owner-
// drawn static windows (vertical bar, horizontal bar, sizer) are kept exactly
// over the places where the system puts the target's scroll bars and sizer;
// the target's own scroll bars still do the work (presses go through to the
// target), while the bars show the pressed part. Painting is done here, or,
// with CustomDraw, by the OnPaint callback.
#pragma once
#include <windows.h>

#include <array>
#include <functional>

#include "foundation/core/scrollbar_geometry.h"
#include "foundation/handles.h"
#include "foundation/subclass_host.h"

namespace foundation {

// ScrollBarID values.
inline constexpr int kHorizontalBar = 0;
inline constexpr int kVerticalBar = 1;
inline constexpr int kSizerBar = -1;

// Part numbers of the OnPaint callback.
enum CoolPaintPart : int {
  kPaintFirstArrow = 0,
  kPaintSecondArrow = 1,
  kPaintTrackBefore = 2,
  kPaintTrackAfter = 3,
  kPaintFiller = 4,
  kPaintThumb = 5,
  kPaintSizer = 6,
};

class cCoolScbars : private ISubclassingSink {
 public:
  // (device context, ScrollBarID, x1, y1, x2, y2, Part, Pressed), once per
  // part to paint, in the bar window's coordinates.
  using PaintHandler = std::function<void(HDC, int, int, int, int, int, int, bool)>;

  cCoolScbars() = default;
  cCoolScbars(const cCoolScbars&) = delete;
  cCoolScbars& operator=(const cCoolScbars&) = delete;
  ~cCoolScbars();

  // Puts the bars over a child window of this thread. False, with nothing left
  // behind, when bars are held already, the handle is not a window, or the
  // target is a top-level window (the bars are siblings of the target, and a
  // top-level window has no parent to hold them).
  bool InitializeCoolSB(HWND target, bool customDraw = false);
  // Takes the links off and destroys the bar windows; false when none are held.
  bool UninitializeCoolSB();
  // Repaints the three bar windows.
  void Refresh();

  bool CustomDraw() const noexcept { return customDraw_; }
  void CustomDraw(bool on);
  // The callback that paints while CustomDraw is on.
  void OnPaint(PaintHandler handler) { onPaint_ = std::move(handler); }

  // False when that bar has no thumb, else whether the target is enabled.
  bool Enabled(int scrollBarId) const;
  // True when the vertical bar stands at the right edge (the name is kept
  // from the class's interface; it is not negated).
  bool HasLeftScrollbar() const noexcept { return rightSide_; }
  bool HasSizer() const noexcept { return grip_ && rightSide_; }
  bool Initialized() const noexcept { return target_ != nullptr; }

  // The bar windows, for the owner's layout and for tests.
  HWND BarWindow(int scrollBarId) const;

 private:
  struct Bar {
    HWND hwnd = nullptr;
    BarGeometry geometry;
    std::array<bool, 6> pressed{};  // indexed by ScrollBarPart (0 unused)
  };

  void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) override;

  void Layout();
  void UpdateBar(int id);
  void StartPress(WPARAM hitTest, LPARAM point);
  void RepeatStep();
  void PaintBar(int id);
  void PaintSizer();
  void FillTrack(HDC dc, const RECT& rc);
  void DrawArrow(HDC dc, const IntRect& rc, UINT kind, bool pressed);

  HWND target_ = nullptr;
  HWND parent_ = nullptr;
  std::array<Bar, 2> bars_{};
  std::array<cSubclsThunk, 4> links_;  // target, vertical bar, horizontal bar, sizer
  HWND sizer_ = nullptr;
  RECT sizerRect_{};
  int currentBar_ = 0;
  int pressedPart_ = kPartNone;
  IntPoint pressedPoint_;
  bool enabled_ = true;
  bool rightSide_ = true;
  bool grip_ = false;
  bool customDraw_ = false;
  UniqueBrush trackBrush_;
  PaintHandler onPaint_;
};

}  // namespace foundation
