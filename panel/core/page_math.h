// Page and grid arithmetic of the panel's grids.
#pragma once
#include <cstdint>
#include <vector>

namespace panel {

inline constexpr int kFacesPerPage = 50;
inline constexpr int kSymbolsPerPage = 40;

// Pages needed to show every item: rounded up, so the last items are always
// reachable (0 items give 0 pages).
int PageCount(int items, int pageSize);

// Geometry of the main emoticon grid in twips (15 to the pixel): five 645 x 645
// cells to a row, 660 apart, the first at (10, 10).
inline constexpr int kTwipsPerPixel = 15;
// The nearest whole pixel, halves to even.
int TwipsToPixels(int twips);
inline constexpr int kCellTwips = 645;
inline constexpr int kCellStrideTwips = 660;
inline constexpr int kCellOriginTwips = 10;
inline constexpr int kCellsPerRow = 5;

struct CellPlace {
  int left;  // twips
  int top;
};

struct MainGridLayout {
  // Cells 1..count (index 0 here is cell 1): the emoticons, one blank cell after
  // them, and blanks completing the last row of emoticons.
  std::vector<CellPlace> cells;
  // The content's height in pixels: 1 pixel below the last row of emoticons.
  double containerHeightPixels = 0;
};

// The layout for n emoticons (n >= 1).
MainGridLayout LayoutMainGrid(int n);

struct ScrollState {
  bool enabled;
  double max;  // pixels; negative when the content fits (the bar then stores 32767)
};
// Scroll state of a grid page: content height in pixels, the viewport height in
// twips and the frame height in pixels.
ScrollState ComputeScrollState(double contentPixels, double viewportTwips, double framePixels);

}  // namespace panel
