#include "panel/core/page_math.h"

#include "foundation/core/rounding.h"

namespace panel {

int TwipsToPixels(int twips) { return foundation::RoundHalfEvenToInt32(twips / static_cast<double>(kTwipsPerPixel)); }

int PageCount(int items, int pageSize) {
  if (items <= 0 || pageSize <= 0) return 0;
  return (items - 1) / pageSize + 1;
}

MainGridLayout LayoutMainGrid(int n) {
  MainGridLayout out;
  if (n < 1) n = 1;
  // Cell i (1-based) of the run: emoticons 1..n, then the blank n+1, then blanks
  // to fill the last emoticon row. Each new cell goes right of the one before;
  // after every fifth cell a new row starts under the cell five before.
  int total = n + 1;
  if (n % kCellsPerRow > 0) total = n + (kCellsPerRow - n % kCellsPerRow);
  // The blank after the emoticons starts a new row when n is a multiple of 5.
  if (total < n + 1) total = n + 1;
  out.cells.push_back({kCellOriginTwips, kCellOriginTwips});
  for (int i = 2; i <= total; ++i) {
    const CellPlace& prev = out.cells[static_cast<size_t>(i - 2)];
    CellPlace c{prev.left + kCellTwips + 15, prev.top};
    // Only cells up to n + 1 start rows; the completing blanks stay on the last row.
    if ((i - 1) % kCellsPerRow == 0 && i <= n + 1) {
      c.top = kCellTwips + out.cells[static_cast<size_t>(i - 6)].top + 15;
      c.left = kCellOriginTwips;
    }
    out.cells.push_back(c);
  }
  const int lastEmoticonTop = out.cells[static_cast<size_t>(n - 1)].top;
  out.containerHeightPixels = static_cast<double>(kCellTwips + lastEmoticonTop + 15) / kTwipsPerPixel;
  return out;
}

ScrollState ComputeScrollState(double contentPixels, double viewportTwips, double framePixels) {
  ScrollState s;
  s.enabled = !(contentPixels * kTwipsPerPixel <= viewportTwips);
  s.max = contentPixels - framePixels + 4;
  return s;
}

}  // namespace panel
