#include "controls/core/layout.h"

#include "controls/core/units.h"

namespace controls {

namespace {

PixelRect TwipRectToPixels(double x, double y, double w, double h) {
  return {TwipsToPixels(x), TwipsToPixels(y), TwipsToPixels(w), TwipsToPixels(h)};
}

bool HasArea(const PixelRect& r) { return r.width > 0 && r.height > 0; }

}  // namespace

std::vector<SlicePiece> NineSlicePieces(int width, int height, int skinWidth, int skinHeight) {
  const double W = PixelsToTwips(width), H = PixelsToTwips(height);
  const double SW = PixelsToTwips(skinWidth), SH = PixelsToTwips(skinHeight);
  constexpr double c = 45;  // corner: 3 pixels
  // The bottom corners take their source at the fixed 250 twips while the
  // bottom edge takes SH - 45; both land on the same pixel row after rounding.
  const double table[9][8] = {
      {0, 0, c, c, 0, 0, c, c},                          // top-left corner
      {W - c, 0, c, c, SW - c, 0, c, c},                 // top-right corner
      {W - c, H - c, c, c, SW - c, 250, c, c},           // bottom-right corner
      {0, H - c, c, c, 0, 250, c, c},                    // bottom-left corner
      {c, 0, W - 2 * c, c, c, 0, 225, c},                // top edge
      {W - c, c, c, H - 2 * c, SW - c, c, c, 225},       // right edge
      {0, c, c, H - 2 * c, 0, c, c, 225},                // left edge
      {c, H - c, W - 2 * c, c, c, SH - c, 225, c},       // bottom edge
      {c, c, W - 2 * c, H - 2 * c, c, c, 180, 180},      // centre
  };
  std::vector<SlicePiece> pieces;
  for (const auto& row : table) {
    SlicePiece p{TwipRectToPixels(row[0], row[1], row[2], row[3]), TwipRectToPixels(row[4], row[5], row[6], row[7])};
    if (HasArea(p.dest) && HasArea(p.source)) pieces.push_back(p);
  }
  return pieces;
}

BoxLines BoxLineTwips(int w, int h) {
  constexpr int line = kTwipsPerPixel;
  return {{0, 0, line, h}, {0, h - 10, w, line}, {w - 10, 0, line, h}, {0, 0, w, line}};
}

BoxLines BoxLinePixels(int width, int height) {
  const BoxLines t = BoxLineTwips(width * kTwipsPerPixel, height * kTwipsPerPixel);
  auto px = [](const PixelRect& r) { return TwipRectToPixels(r.x, r.y, r.width, r.height); };
  return {px(t.left), px(t.bottom), px(t.right), px(t.top)};
}

}  // namespace controls
