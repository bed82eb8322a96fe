// Plain integer rectangles and points for the window-free geometry of the
// window helpers (snapping, scroll-bar parts). Same convention as a RECT:
// right and bottom are exclusive.
#pragma once

namespace foundation {

struct IntPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const IntPoint& a, const IntPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct IntRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(IntPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  IntRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const IntRect& a, const IntRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

}  // namespace foundation
