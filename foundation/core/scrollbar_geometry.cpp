#include "foundation/core/scrollbar_geometry.h"

#include <algorithm>

namespace foundation {

namespace {

// Style bits the layout reads (the same values as the system's).
constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsHScroll = 0x00100000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsExClientEdge = 0x200;
constexpr std::uint32_t kWsExLeftScrollBar = 0x4000;

// A span along the bar (a..b) across its full width, as a rectangle of the
// bar window.
IntRect Span(int a, int b, int across, bool vertical) {
  return vertical ? IntRect{0, a, across, b} : IntRect{a, 0, b, across};
}

// a * b / c rounded half away from zero, for c > 0 and a * b within 63 bits
// (a scroll range spans at most 2^32, b is a track length).
long long MulDivRound64(long long a, long long b, long long c) {
  const long long num = a * b;
  return num >= 0 ? (num + c / 2) / c : -((-num + c / 2) / c);
}

}  // namespace

BarGeometry ComputeBarGeometry(int width, int height, int arrow, bool vertical) {
  BarGeometry bar;
  const int len = std::max(vertical ? height : width, 0);
  const int across = vertical ? width : height;
  int firstEnd = 0;
  int secondStart = 0;
  if (len >= 2 * arrow + kMinThumbSize) {
    bar.hasTrack = true;
    firstEnd = arrow;
    secondStart = len - arrow;
  } else if (len > 2 * arrow) {
    firstEnd = arrow;
    secondStart = len - arrow;
    bar.hasFiller = true;
    bar.filler = Span(arrow, len - arrow, across, vertical);
  } else {
    firstEnd = len / 2;
    secondStart = len / 2 + len % 2;
    if (secondStart != firstEnd) {
      bar.hasFiller = true;
      bar.filler = Span(firstEnd, secondStart, across, vertical);
    }
  }
  bar.firstArrow = Span(0, firstEnd, across, vertical);
  bar.secondArrow = Span(secondStart, len, across, vertical);
  bar.trackStart = firstEnd;
  bar.trackLength = secondStart - firstEnd;
  bar.thumbStart = bar.trackStart;
  return bar;
}

void ComputeThumb(BarGeometry& bar, const ScrollState& s, bool vertical, bool thumbPressed) {
  // In 64 bits: nMax - nMin + 1 overflows an int for the full range.
  const long long range = static_cast<long long>(s.nMax) - s.nMin + 1;
  const long long page = s.nPage;
  if (range <= 0 || page >= range) {
    bar.thumbSize = 0;
    bar.thumbStart = bar.trackStart;
  } else {
    bar.thumbSize = std::max(static_cast<int>(MulDivRound64(page, bar.trackLength, range)), kMinThumbSize);
    // The last position that still shows a full page; the thumb never goes
    // past the end of the track, whatever the target reports.
    const long long lastPos = static_cast<long long>(s.nMax) - page + 1;
    const long long pos = std::clamp<long long>(thumbPressed ? s.nTrackPos : s.nPos, s.nMin, lastPos);
    const int room = std::max(bar.trackLength - bar.thumbSize, 0);
    bar.thumbStart = bar.trackStart + static_cast<int>(MulDivRound64(pos - s.nMin, room, range - page));
  }
  const int across = vertical ? bar.secondArrow.right : bar.secondArrow.bottom;
  const int firstEnd = vertical ? bar.firstArrow.bottom : bar.firstArrow.right;
  const int secondStart = vertical ? bar.secondArrow.top : bar.secondArrow.left;
  bar.trackBefore = Span(firstEnd, bar.thumbStart, across, vertical);
  bar.trackAfter = Span(bar.thumbStart + bar.thumbSize, secondStart, across, vertical);
  bar.thumb = Span(bar.thumbStart, bar.thumbStart + bar.thumbSize, across, vertical);
}

int HitTestBar(const BarGeometry& bar, IntPoint pt) {
  if (bar.firstArrow.Contains(pt)) return kPartFirstArrow;
  if (bar.secondArrow.Contains(pt)) return kPartSecondArrow;
  if (bar.trackBefore.Contains(pt)) return kPartTrackBefore;
  if (bar.trackAfter.Contains(pt)) return kPartTrackAfter;
  if (bar.thumb.Contains(pt)) return kPartThumb;
  return kPartNone;
}

BarLayout ComputeBarLayout(const BarLayoutInput& in) {
  BarLayout out;
  out.enabled = (in.style & kWsDisabled) == 0;
  out.rightSide = (in.exStyle & kWsExLeftScrollBar) == 0;
  const int border = ((in.style & kWsBorder) ? 1 : 0) + ((in.exStyle & kWsExClientEdge) ? 2 : 0);
  out.hShown = (in.style & kWsHScroll) && in.window.Height() - 2 * border > in.hScrollHeight;
  out.vShown = (in.style & kWsVScroll) && in.window.Width() - 2 * border > in.vScrollWidth;
  const int x0 = in.origin.x + border;
  const int y0 = in.origin.y + border;
  const int sideX = x0 + (out.rightSide ? in.clientWidth : 0);
  if (out.vShown) out.vBar = {sideX, y0, sideX + in.vScrollWidth, y0 + in.clientHeight};
  if (out.hShown) {
    const int hx = x0 + ((out.vShown && !out.rightSide) ? in.vScrollWidth : 0);
    out.hBar = {hx, y0 + in.clientHeight, hx + in.clientWidth, y0 + in.clientHeight + in.hScrollHeight};
  }
  out.sizerShown = out.vShown && out.hShown;
  if (out.sizerShown) {
    out.sizer = {sideX, y0 + in.clientHeight, sideX + in.vScrollWidth, y0 + in.clientHeight + in.hScrollHeight};
    // A grip only where dragging it sizes the parent: the target fills the
    // parent's client area and the parent is not maximized.
    out.grip = in.window.Width() == in.parentClientWidth && in.window.Height() == in.parentClientHeight &&
               !in.parentMaximized;
  }
  return out;
}

}  // namespace foundation
