// Window-free geometry of magnetic snapping: where a moved or sized window's
// edges jump to, which registered windows are glued to their parents, and
// where the glued windows go when their parent moves. Window handles are kept
// as plain numbers here; 0 marks the work area's entry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/core/int_rect.h"

namespace foundation {

inline constexpr int kDefaultSnapWidth = 10;

// One entry of the magnetic window list. Entry 0 is the work area (window 0,
// never glued); entries 1..n are the registered windows in registration order.
struct MagneticEntry {
  std::uintptr_t window = 0;
  std::uintptr_t parent = 0;  // 0: none
  bool glued = false;
  IntRect rect;  // screen rectangle as last taken (the work area for entry 0)
};

// Position 1..n of the window in the list, 0 when it is not registered.
std::size_t FindWindowIndex(const std::vector<MagneticEntry>& list, std::uintptr_t window);

// WM_SIZING codes: 1 left, 2 right, 3 top, 4 top-left, 5 top-right, 6 bottom,
// 7 bottom-left, 8 bottom-right. Only the edges the code moves are snapped,
// each to the nearest candidate edge closer than snapWidth (strictly), the
// later candidate winning; distances are measured from the proposed rectangle.
IntRect SnapSizing(const std::vector<MagneticEntry>& list, std::uintptr_t window, IntRect proposed, int edge,
                   int snapWidth);

// Where a glued window goes in one move step.
struct GluedMove {
  std::size_t index = 0;
  IntPoint position;
};

struct MoveStep {
  IntRect rect;                   // the moved window's snapped rectangle
  std::vector<GluedMove> glued;  // new top-left corners of the windows glued to it
};

// One move step of window `window`: its rectangle (of the given size) is put
// at cursor + grip, then shifted by the snap of itself and of the windows
// glued to it (their rectangles moved by cursor - startCursor) against the
// other candidates. The glued windows keep their offsets to the moved window.
MoveStep SnapMoving(const std::vector<MagneticEntry>& list, std::uintptr_t window, IntRect proposed,
                    IntPoint startCursor, IntPoint cursor, IntPoint grip, int snapWidth);

// True when the rectangles lie against each other: their extents do not leave
// a gap in either direction, and at least one edge coordinate is shared.
// Corners that meet count; an overlap without a shared edge coordinate does not.
bool RectsTouch(const IntRect& a, const IntRect& b);

// Recomputes every entry's glued flag from the rectangles in the list: a
// window with a parent is glued when it touches the parent (an unregistered
// parent stands for the work area); glue then spreads to siblings that touch a
// glued sibling.
void CheckGlue(std::vector<MagneticEntry>& list);

}  // namespace foundation
