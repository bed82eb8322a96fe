#include "controls/prog_bar_painters.h"

#include "controls/core/prog_bar_math.h"
#include "controls/core/units.h"
#include "controls/drawing.h"
#include "foundation/handles.h"
#include "foundation/ole_color.h"

namespace controls {

namespace {

constexpr COLORREF kBlack = 0;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kSilver = 0xC0C0C0;

RECT ToRect(const foundation::IntRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void FrameColor(HDC dc, const foundation::IntRect& r, COLORREF color) {
  DrawRect(dc, r.left, r.top, r.right, r.bottom, color, false);
}

void FillColor(HDC dc, int left, int top, int right, int bottom, uint32_t oleColor) {
  DrawRect(dc, left, top, right, bottom, foundation::OleColorToRgb(oleColor), true);
}

void Edge(HDC dc, const foundation::IntRect& r, UINT edge) {
  RECT rc = ToRect(r);
  ::DrawEdge(dc, &rc, edge, BF_RECT);
}

// The bar end of the looks that scale the percent by a divisor.
int BarEnd(const ProgBarPaint& p, double divisor, int inset) {
  const foundation::IntRect& c = p.client;
  return RoundHalfEven(p.percent / divisor * (c.right - c.left - inset) + c.left);
}

void DrawXPChunks(ProgBarPaint& p) {
  const foundation::IntRect& c = p.client;
  const uint32_t a = ShadeColor(p.color, 150);
  if (!p.vertical) {
    if (p.bar.right < 15) p.bar.right = 12;
    const int r = p.bar.right + 4 > c.right ? p.bar.right - 4 : p.bar.right;
    if (p.look == 2) {
      for (int i = 0; i < 3; ++i) {
        const int left = RoundHalfEven(p.bar.right + (p.gap + 10) * i - (100 - p.percent) / 100.0 * 45);
        ProgBarGradient(p.dc, ShadeColor(p.color, 220 - 40 * i), ShadeColor(p.color, 200 - 40 * i), left, 3, 9,
                        c.bottom - 2, true);
      }
      return;
    }
    ProgBarGradient(p.dc, a, p.color, 4, 3, r, 6, false);
    FillColor(p.dc, 4, 8, r, c.bottom - 8, p.color);
    ProgBarGradient(p.dc, p.color, a, 4, c.bottom - 10, r, 6, false);
    return;
  }
  if (p.look == 2) {
    for (int i = 0; i < 3; ++i) {
      ProgBarGradient(p.dc, ShadeColor(p.color, 220 - 40 * i), ShadeColor(p.color, 200 - 40 * i), c.right - 2,
                      p.bar.top + 12 * i, 2, 9, false);
    }
    return;
  }
  ProgBarGradient(p.dc, a, p.color, 4, p.bar.top, 4, c.bottom, true);
  FillColor(p.dc, 9, p.bar.top, c.right - 8, c.bottom, p.color);
  ProgBarGradient(p.dc, p.color, a, c.right - 8, p.bar.top, 4, c.bottom, true);
}

// Look 0's white gaps between the chunks, across the whole client rectangle.
void PaintClassicBack(const ProgBarPaint& p) {
  const int step = p.gap + p.chunk;
  const foundation::IntRect& c = p.client;
  if (!p.vertical) {
    for (int x = p.bar.left + p.chunk; x <= p.bar.right; x += step) FillColor(p.dc, x + 1, c.top, x + 1 + p.gap, c.bottom, kWhite);
  } else {
    for (int y = p.bar.bottom; y >= p.bar.top + p.chunk; y -= step) FillColor(p.dc, c.left, y - 2, c.right, y - 2 + p.gap, kWhite);
  }
}

void DrawXPFrame(ProgBarPaint& p) {
  p.client.left -= 3;
  const int R = p.client.right, B = p.client.bottom;
  ProgBarLine(p.dc, 2, 1, R - 2, 1, 0xBEBEBE);
  ProgBarLine(p.dc, 2, B - 2, R - 2, B - 2, 0xEFEFEF);
  ProgBarLine(p.dc, 1, 2, 1, B - 2, 0xBEBEBE);
  ProgBarLine(p.dc, 2, 2, 2, B - 2, 0xEFEFEF);
  ProgBarLine(p.dc, 2, 2, R - 2, 2, 0xEFEFEF);
  ProgBarLine(p.dc, R - 2, 2, R - 2, B - 2, 0xEFEFEF);
  FrameColor(p.dc, p.client, 0x686868);
  struct Dot {
    int x, y;
    COLORREF c;
  };
  const Dot dots[] = {
      {0, 0, 0xFFFFFF},         {0, 1, 0xA6ABAC},         {0, 2, 0x7D7E7F},         {1, 0, 0xA7ABAC},
      {1, 1, 0x777777},         {2, 0, 0x7D7E7F},         {2, 2, 0xBEBEBE},         {0, B - 1, 0xFFFFFF},
      {1, B - 1, 0xA6ABAC},     {2, B - 1, 0x7D7E7F},     {0, B - 3, 0x7D7E7F},     {0, B - 2, 0xA7ABAC},
      {1, B - 2, 0x777777},     {R - 1, 0, 0xFFFFFF},     {R - 1, 1, 0xBEBEBE},     {R - 1, 2, 0x7D7E7F},
      {R - 2, 2, 0xBEBEBE},     {R - 2, 1, 0x686868},     {R - 1, B - 1, 0xFFFFFF}, {R - 1, B - 2, 0xBEBEBE},
      {R - 1, B - 3, 0x7D7E7F}, {R - 2, B - 2, 0x777777}, {R - 2, B - 1, 0xBEBEBE}, {R - 3, B - 1, 0x7D7E7F},
  };
  for (const Dot& d : dots) ::SetPixelV(p.dc, d.x, d.y, d.c);
}

void PaintTube(ProgBarPaint& p) {
  const TubeBar t = CalcTubeBar(p.look, p.vertical, p.percent, p.client);
  p.client = t.client;
  p.bar = t.bar;
  p.fraction = t.fraction;
  p.chunk = t.chunk;
  p.gap = t.gap;
  DrawXPChunks(p);
  if (p.look == 0) PaintClassicBack(p);
  DrawXPFrame(p);
}

void PaintStyleFlat(ProgBarPaint& p) {
  const foundation::IntRect& c = p.client;
  FrameColor(p.dc, c, ShadeColor(p.color, 100));
  p.bar = {1, 1, BarEnd(p, 100, 0), c.bottom - 1};
  FillColor(p.dc, p.bar.left, p.bar.top, p.bar.right, p.bar.bottom, ShadeColor(p.color, 180));
}

void PaintStyleTwoTone(ProgBarPaint& p) {
  Edge(p.dc, p.client, EDGE_ETCHED);
  ProgBarGradient(p.dc, ShadeColor(p.color, 140), ShadeColor(p.color, 200), 2, 2, BarEnd(p, 100, 4),
                  p.client.bottom - 3, true);
}

void PaintStyleCylinder(ProgBarPaint& p) {
  const foundation::IntRect& c = p.client;
  FrameColor(p.dc, c, ShadeColor(p.color, 10));
  const int right = BarEnd(p, 101, 0);
  ProgBarGradient(p.dc, p.color, ShadeColor(p.color, 100), 2, 2, c.right - 2, c.bottom - 5, false);
  ProgBarGradient(p.dc, ShadeColor(p.color, 250), p.color, 3, 3, right, c.bottom - 6, false);
  ProgBarLine(p.dc, right, 2, right, c.bottom - 2, ShadeColor(p.color, 25));
}

void PaintStyleDark(ProgBarPaint& p) {
  FrameColor(p.dc, p.client, BlendColor(p.color, kBlack, 200));
  const uint32_t k = ShadeColor(BlendColor(p.color, kBlack, 100), 10);
  ProgBarGradient(p.dc, kBlack, k, 2, 2, BarEnd(p, 100, 5), p.client.bottom - 2, true);
}

void PaintStyleHatch(ProgBarPaint& p) {
  Edge(p.dc, p.client, EDGE_BUMP);
  p.bar = {2, 2, BarEnd(p, 101, 0), p.client.bottom - 2};
  foundation::UniqueBrush brush(::CreateHatchBrush(p.hatchStyle, p.color));
  if (!brush) return;
  // The hatch's background is the DC's background colour, and only shows
  // while the DC paints opaque (the text step leaves it transparent).
  const COLORREF oldBack = ::SetBkColor(p.dc, ShadeColor(p.color, 140));
  const int oldMode = ::SetBkMode(p.dc, OPAQUE);
  RECT rc = ToRect(p.bar);
  ::FillRect(p.dc, &rc, brush.get());
  ::SetBkMode(p.dc, oldMode);
  ::SetBkColor(p.dc, oldBack);
}

void PaintStylePattern(ProgBarPaint& p) {
  Edge(p.dc, p.client, BDR_SUNKENOUTER);
  if (!p.image || !p.image->bitmap()) return;
  foundation::UniqueBrush brush(::CreatePatternBrush(p.image->bitmap()));
  if (!brush) return;
  foundation::SelectionGuard select(p.dc, brush.get());
  ::PatBlt(p.dc, 2, 2, BarEnd(p, 101, 0), p.client.bottom - 4, PATCOPY);
}

void PaintStyleGlass(ProgBarPaint& p) {
  const foundation::IntRect& c = p.client;
  const int right = BarEnd(p, 100, 4);
  const int h = RoundHalfEven((c.bottom - 3) / 2.0);
  ProgBarGradient(p.dc, kWhite, kSilver, 2, 2, c.right - 3, h, false);
  ProgBarGradient(p.dc, BlendColor(kSilver, kBlack, 255), kSilver, 2, h, c.right - 3, h, false);
  ProgBarGradient(p.dc, ShadeColor(p.color, 150), BlendColor(p.color, kBlack, 180), 2, 2, right, h, false);
  ProgBarGradient(p.dc, BlendColor(p.color, kBlack, 190), p.color, 2, h, right, h, false);
  p.client.left += 3;
  DrawXPFrame(p);
}

}  // namespace

void ProgBarLine(HDC dc, int x1, int y1, int x2, int y2, uint32_t oleColor) {
  DrawPenLine(dc, x1, y1, x2, y2, foundation::OleColorToRgb(oleColor));
}

void ProgBarGradient(HDC dc, uint32_t colour1, uint32_t colour2, int x, int y, int p5, int p6, bool columnwise) {
  const uint32_t a = foundation::OleColorToRgb(colour1), b = foundation::OleColorToRgb(colour2);
  const int n = columnwise ? p5 : p6;
  for (int i = 0; i <= n; ++i) {
    const uint32_t color = GradientStepColor(a, b, n, i);
    if (columnwise) {
      ProgBarLine(dc, x + i, y, x + i, p6, color);
    } else {
      ProgBarLine(dc, x, y + i, p5, y + i, color);
    }
  }
}

void PaintProgBarLook(ProgBarPaint& p) {
  switch (p.look) {
    case 3: PaintStyleFlat(p); break;
    case 4: PaintStyleTwoTone(p); break;
    case 5: PaintStyleCylinder(p); break;
    case 6: PaintStyleDark(p); break;
    case 7: PaintStyleHatch(p); break;
    case 8: PaintStylePattern(p); break;
    case 9: PaintStyleGlass(p); break;
    default: PaintTube(p); break;
  }
}

}  // namespace controls
