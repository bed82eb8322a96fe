// Where the editor's grid cells and category buttons go. The window layer
// works in twips (15 to the pixel); the grid's cell table is kept in twips
// and turned into pixels here. No windows.
#pragma once
#include <array>

namespace editor {

inline constexpr int kTwipsPerPixel = 15;

// The grid: 50 cells of 43 x 43 pixels, ten to a row.
inline constexpr int kCellCount = 50;
inline constexpr int kCellColumns = 10;
inline constexpr int kCellPixels = 43;
inline constexpr std::array<int, 10> kCellLeftTwips = {10, 680, 1340, 2000, 2650, 3310, 3970, 4630, 5295, 5955};
inline constexpr std::array<int, 5> kCellTopTwips = {10, 675, 1335, 2000, 2650};
// The grid's own panel: 6615 x 3320 twips.
inline constexpr int kGridWidthPixels = 441;
inline constexpr int kGridHeightPixels = 221;

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// Twips to whole pixels, halves to even.
int TwipsToPixels(int twips);

// The top-left corner of cell index (0..49) inside the grid panel, in pixels;
// (0, 0) for an index outside the grid.
PixelPoint CellOrigin(int index);

// The category strip: buttons one under the other with a one-pixel gap.
inline constexpr int kStripButtonWidthTwips = 1680;
inline constexpr int kStripButtonHeightTwips = 330;
inline constexpr int kStripGapTwips = 15;
inline constexpr int kStripViewportHeightTwips = 3600;

// Top of category button index (0-based), in twips.
int StripButtonTop(int index);
// Height of the strip holding buttonCount buttons (at least one: the first
// button is always there), in twips.
int StripHeight(int buttonCount);

struct StripScroll {
  bool enabled = false;
  int max = 0;  // twips the strip can move up
};
// The scroll bar is needed unless the viewport is taller than the strip.
StripScroll ComputeStripScroll(int stripHeightTwips, int viewportHeightTwips);

}  // namespace editor
