#include "editor/core/editor_geometry.h"

#include <algorithm>

#include "foundation/core/rounding.h"

namespace editor {

int TwipsToPixels(int twips) { return foundation::RoundHalfEvenToInt32(twips / static_cast<double>(kTwipsPerPixel)); }

PixelPoint CellOrigin(int index) {
  if (index < 0 || index >= kCellCount) return {};
  return {TwipsToPixels(kCellLeftTwips[static_cast<size_t>(index % kCellColumns)]),
          TwipsToPixels(kCellTopTwips[static_cast<size_t>(index / kCellColumns)])};
}

int StripButtonTop(int index) { return std::max(index, 0) * (kStripButtonHeightTwips + kStripGapTwips); }

int StripHeight(int buttonCount) {
  return StripButtonTop(std::max(buttonCount, 1) - 1) + kStripButtonHeightTwips + kStripGapTwips;
}

StripScroll ComputeStripScroll(int stripHeightTwips, int viewportHeightTwips) {
  if (viewportHeightTwips > stripHeightTwips) return {false, 0};
  return {true, stripHeightTwips - viewportHeightTwips};
}

}  // namespace editor
