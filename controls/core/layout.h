// Layout arithmetic of the skinned buttons and the bordered box: the nine
// pieces of a stretched button skin and the four border lines of a box. The
// layouts are defined in twips (as the host lays out) and turned into pixel
// rectangles here. No <windows.h>.
#pragma once
#include <vector>

namespace controls {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// One piece of a nine-slice drawing: the source rectangle of the skin is
// stretched onto the destination rectangle of the surface.
struct SlicePiece {
  PixelRect dest;
  PixelRect source;
};

// The nine pieces, in drawing order (four corners, four edges, centre), of a
// skin of skinWidth x skinHeight pixels stretched to width x height pixels with
// 3-pixel (45-twip) corners. Pieces whose destination or source has no area
// (a button under 6 pixels) are left out rather than drawn mirrored.
std::vector<SlicePiece> NineSlicePieces(int width, int height, int skinWidth, int skinHeight);

// The four one-pixel border lines of a box of width x height twips, as twip
// rectangles in the order left, bottom, right, top. The bottom and right lines
// sit 10 twips in from the far edge, which lands them on the last pixel row and
// column.
struct BoxLines {
  PixelRect left, bottom, right, top;
};
BoxLines BoxLineTwips(int widthTwips, int heightTwips);
// The same lines in pixels of a box of width x height pixels.
BoxLines BoxLinePixels(int width, int height);

}  // namespace controls
