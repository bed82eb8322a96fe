// The ten looks of the progress bar and the line and gradient routines they
// share. A painter draws into the paint's DC with the bar colour (already
// RGB), the percent and the client rectangle, after the rectangle was filled
// white (black for look 6); some painters move the client rectangle's left
// edge for the ones after them, as the text step reads it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "controls/picture.h"
#include "foundation/core/int_rect.h"

namespace controls {

inline constexpr int kProgBarLooks = 10;

struct ProgBarPaint {
  HDC dc = nullptr;
  COLORREF color = 0;
  int32_t percent = 0;
  int look = 0;
  bool vertical = false;
  int hatchStyle = HS_CROSS;
  PictureRef image;
  foundation::IntRect client;  // left and top 0 when a paint starts
  foundation::IntRect bar;
  double fraction = 0;
  int chunk = 0, gap = 2;
};

// Runs the painter of p.look (any look outside 0..9 paints as look 1).
void PaintProgBarLook(ProgBarPaint& p);

// A one-pixel solid line without its end point; colour is an OLE colour.
void ProgBarLine(HDC dc, int x1, int y1, int x2, int y2, uint32_t oleColor);

// One line per step from colour1 to colour2 (OLE colours, translated):
// columns x .. x + p5 from y down to p6 when columnwise, else rows y .. y + p6
// from x across to p5. A count of 0 draws one line in colour1; a negative
// count draws nothing.
void ProgBarGradient(HDC dc, uint32_t colour1, uint32_t colour2, int x, int y, int p5, int p6, bool columnwise);

}  // namespace controls
