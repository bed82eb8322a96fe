#include "foundation/core/snap_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace foundation {

namespace {

bool Near(int a, int b, int s) { return std::abs(a - b) < s; }

// The rectangle r, when it lies within reach of K across the given axis, is
// pulled onto one of K's edges: the first of the four edge pairs in reach
// decides the shift. dx and dy are only written when something is in reach,
// so a later candidate overrides an earlier one.
void PullOnto(const IntRect& r, const IntRect& K, int s, int& dx, int& dy) {
  if (r.top < K.bottom + s && K.top - s < r.bottom) {
    if (Near(r.left, K.left, s)) dx = K.left - r.left;
    else if (Near(r.left, K.right, s)) dx = K.right - r.left;
    else if (Near(r.right, K.left, s)) dx = K.left - r.right;
    else if (Near(r.right, K.right, s)) dx = K.right - r.right;
  }
  if (r.left < K.right + s && K.left - s < r.right) {
    if (Near(r.top, K.top, s)) dy = K.top - r.top;
    else if (Near(r.top, K.bottom, s)) dy = K.bottom - r.top;
    else if (Near(r.bottom, K.top, s)) dy = K.top - r.bottom;
    else if (Near(r.bottom, K.bottom, s)) dy = K.bottom - r.bottom;
  }
}

IntRect Union(const IntRect& a, const IntRect& b) {
  // As UnionRect: an empty rectangle adds nothing.
  if (a.Empty()) return b.Empty() ? IntRect{} : b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

std::size_t FindWindowIndex(const std::vector<MagneticEntry>& list, std::uintptr_t window) {
  for (std::size_t i = 1; i < list.size(); ++i)
    if (list[i].window == window) return i;
  return 0;
}

IntRect SnapSizing(const std::vector<MagneticEntry>& list, std::uintptr_t window, IntRect rc, int edge,
                   int s) {
  const IntRect o = rc;
  const bool left = edge == 1 || edge == 4 || edge == 7;
  const bool right = edge == 2 || edge == 5 || edge == 8;
  const bool top = edge == 3 || edge == 4 || edge == 5;
  const bool bottom = edge == 6 || edge == 7 || edge == 8;
  for (std::size_t k = 0; k < list.size(); ++k) {
    if (k != 0 && list[k].window == window) continue;
    const IntRect& K = list[k].rect;
    if (rc.top < K.bottom + s && K.top - s < rc.bottom) {
      if (left) {
        if (Near(o.left, K.left, s)) rc.left = K.left;
        else if (Near(o.left, K.right, s)) rc.left = K.right;
      } else if (right) {
        if (Near(o.right, K.left, s)) rc.right = K.left;
        else if (Near(o.right, K.right, s)) rc.right = K.right;
      }
    }
    if (rc.left < K.right + s && K.left - s < rc.right) {
      if (top) {
        if (Near(o.top, K.top, s)) rc.top = K.top;
        else if (Near(o.top, K.bottom, s)) rc.top = K.bottom;
      } else if (bottom) {
        if (Near(o.bottom, K.top, s)) rc.bottom = K.top;
        else if (Near(o.bottom, K.bottom, s)) rc.bottom = K.bottom;
      }
    }
  }
  return rc;
}

MoveStep SnapMoving(const std::vector<MagneticEntry>& list, std::uintptr_t window, IntRect proposed,
                    IntPoint startCursor, IntPoint cursor, IntPoint grip, int s) {
  // Follow the cursor with the grip taken at the start of the move, so that an
  // earlier snap never accumulates.
  IntRect rc = proposed.Offset(cursor.x + grip.x - proposed.left, cursor.y + grip.y - proposed.top);
  const std::size_t self = FindWindowIndex(list, window);
  auto gluedToSelf = [&](std::size_t i) { return i != 0 && list[i].glued && list[i].parent == window; };

  int dx = 0;
  int dy = 0;
  for (std::size_t c = 0; c < list.size(); ++c) {
    if ((self != 0 && c == self) || gluedToSelf(c)) continue;
    PullOnto(rc, list[c].rect, s, dx, dy);
  }
  // The glued windows pull the group as well, against everything not glued.
  const int mx = cursor.x - startCursor.x;
  const int my = cursor.y - startCursor.y;
  for (std::size_t i = 1; i < list.size(); ++i) {
    if (!gluedToSelf(i)) continue;
    const IntRect G = list[i].rect.Offset(mx, my);
    for (std::size_t h = 0; h < list.size(); ++h) {
      if (h == i || list[h].glued || (h != 0 && list[h].window == window)) continue;
      PullOnto(G, list[h].rect, s, dx, dy);
    }
  }
  MoveStep step;
  step.rect = rc.Offset(dx, dy);
  if (self != 0) {
    const IntRect& start = list[self].rect;
    for (std::size_t d = 1; d < list.size(); ++d) {
      if (!gluedToSelf(d)) continue;
      step.glued.push_back({d, {list[d].rect.left - start.left + step.rect.left,
                                list[d].rect.top - start.top + step.rect.top}});
    }
  }
  return step;
}

bool RectsTouch(const IntRect& a, const IntRect& b) {
  const IntRect u = Union(a, b);
  if (a.Width() + b.Width() < u.Width()) return false;
  if (a.Height() + b.Height() < u.Height()) return false;
  return b.left == a.left || b.right == a.left || b.left == a.right || b.right == a.right || a.top == b.top ||
         a.top == b.bottom || b.top == a.bottom || b.bottom == a.bottom;
}

void CheckGlue(std::vector<MagneticEntry>& list) {
  for (auto& e : list) e.glued = false;
  const std::size_t count = list.empty() ? 0 : list.size() - 1;
  for (std::size_t i = 1; i <= count; ++i) {
    if (list[i].parent == 0) continue;
    list[i].glued = RectsTouch(list[FindWindowIndex(list, list[i].parent)].rect, list[i].rect);
  }
  // Glue spreads one sibling further per round; count rounds reach the end of
  // any chain.
  for (std::size_t round = 0; round < count; ++round) {
    for (std::size_t i = 1; i <= count; ++i) {
      if (!list[i].glued) continue;
      for (std::size_t k = 1; k <= count; ++k) {
        if (k == i || list[k].glued || list[k].parent != list[i].parent) continue;
        list[k].glued = RectsTouch(list[i].rect, list[k].rect);
      }
    }
  }
}

}  // namespace foundation
