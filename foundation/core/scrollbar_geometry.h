// Window-free geometry of the custom scroll bars: where the bars lie over a
// target window, the arrows, filler and track of one bar, the thumb from the
// scroll state, and which part a point hits. All bar rectangles are in the bar
// window's own client coordinates.
#pragma once
#include <cstdint>

#include "foundation/core/int_rect.h"

namespace foundation {

// The pieces of a bar, numbered as the press tracking numbers them.
enum ScrollBarPart : int {
  kPartNone = 0,
  kPartFirstArrow = 1,
  kPartSecondArrow = 2,
  kPartTrackBefore = 3,
  kPartTrackAfter = 4,
  kPartThumb = 5,
};

inline constexpr int kMinThumbSize = 8;

struct BarGeometry {
  bool hasTrack = false;
  bool hasFiller = false;
  IntRect filler;
  IntRect firstArrow;
  IntRect secondArrow;
  IntRect trackBefore;
  IntRect trackAfter;
  IntRect thumb;
  int trackStart = 0;
  int trackLength = 0;
  int thumbStart = 0;
  int thumbSize = 0;
};

// Arrows, filler and track of a bar of the given client size; arrow is the
// arrow button's length along the bar. A bar long enough for two arrows and an
// 8-pixel track has a track; a shorter one that still holds both arrows gets a
// filler between them; a bar of at most two arrows splits into two halves
// (with a 1-pixel filler when its length is odd).
BarGeometry ComputeBarGeometry(int width, int height, int arrow, bool vertical);

struct ScrollState {
  int nMin = 0;
  int nMax = 0;
  unsigned nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Fills the thumb and the two track parts from the scroll state. No thumb
// (size 0) when the page covers the whole range or the range is empty; the
// thumb is at least kMinThumbSize long and never leaves the track. While the
// thumb is being dragged its position is the tracking position.
void ComputeThumb(BarGeometry& bar, const ScrollState& state, bool vertical, bool thumbPressed);

// The part under a point (kPartNone when none), tested in part order.
int HitTestBar(const BarGeometry& bar, IntPoint pt);

// What the layout needs to know of the target window.
struct BarLayoutInput {
  IntRect window;          // window rectangle (screen)
  IntPoint origin;         // its top-left in the parent's client coordinates
  int clientWidth = 0;     // client rectangle's right
  int clientHeight = 0;    // and bottom
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int vScrollWidth = 0;    // SM_CXVSCROLL
  int hScrollHeight = 0;   // SM_CYHSCROLL
  int parentClientWidth = 0;
  int parentClientHeight = 0;
  bool parentMaximized = false;
};

struct BarLayout {
  bool enabled = false;
  bool rightSide = true;
  bool vShown = false;
  bool hShown = false;
  bool sizerShown = false;
  bool grip = false;
  IntRect vBar;   // in the parent's client coordinates
  IntRect hBar;
  IntRect sizer;
};

// Where the vertical bar, the horizontal bar and the sizer go over the
// target's own scroll bars.
BarLayout ComputeBarLayout(const BarLayoutInput& in);

}  // namespace foundation
