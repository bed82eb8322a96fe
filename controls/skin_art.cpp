#include "controls/skin_art.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>

#include "controls/core/color_schemes.h"
#include "controls/core/scroll_bar_state.h"

namespace controls {

namespace {

std::map<int, PictureRef>& Cache() {
  static std::map<int, PictureRef> cache;
  return cache;
}

// Cache keys: QQButton looks below 100, scroll bar pictures by their number.
PictureRef Cached(int key, const std::function<PictureRef()>& make) {
  auto& cache = Cache();
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  PictureRef picture = make();
  if (picture) cache.emplace(key, picture);
  return picture;
}

PictureRef FromPixels(int width, int height, const std::function<COLORREF(int x, int y)>& pixel) {
  return Picture::Draw(width, height, [&](HDC dc) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) ::SetPixelV(dc, x, y, pixel(x, y));
    }
  });
}

COLORREF Mix(COLORREF a, COLORREF b, double t) {
  auto ch = [t](int p, int q) { return static_cast<BYTE>(p + (q - p) * t + 0.5); };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

// ---- dialog skin button -------------------------------------------------

struct QQLook {
  COLORREF ring[3];        // outer, middle, inner frame ring
  COLORREF faceTop, faceBottom;
};

PictureRef DrawQQLook(int look) {
  static const QQLook looks[4] = {
      {{RGB(170, 170, 170), RGB(222, 222, 222), RGB(242, 242, 242)}, RGB(240, 240, 240), RGB(228, 228, 228)},
      {{RGB(112, 128, 150), RGB(236, 240, 245), RGB(250, 251, 253)}, RGB(252, 252, 253), RGB(222, 228, 236)},
      {{RGB(60, 127, 196), RGB(255, 214, 142), RGB(255, 240, 205)}, RGB(255, 255, 255), RGB(232, 240, 250)},
      {{RGB(58, 84, 120), RGB(160, 176, 198), RGB(196, 206, 220)}, RGB(206, 214, 226), RGB(232, 236, 242)},
  };
  const QQLook& s = looks[look];
  const COLORREF outside = RGB(0xD7, 0xD7, 0xD7);  // the button's own back colour
  return FromPixels(kQQSkinWidth, kQQSkinHeight, [&](int x, int y) {
    const int rx = std::min(x, kQQSkinWidth - 1 - x), ry = std::min(y, kQQSkinHeight - 1 - y);
    const int ring = std::min(rx, ry);
    // Rounded outer corners: the very corner pixel takes the background,
    // its two neighbours on the outer ring a blend.
    if (rx == 0 && ry == 0) return outside;
    if ((rx == 0 && ry == 1) || (rx == 1 && ry == 0)) return Mix(s.ring[0], outside, 0.5);
    if (ring < 3) return s.ring[ring];
    const double t = (y - 3) / double(kQQSkinHeight - 7);
    return Mix(s.faceTop, s.faceBottom, std::clamp(t, 0.0, 1.0));
  });
}

// ---- scroll bar ----------------------------------------------------------

ColorSchemeTable SchemeTable(int scheme) {
  ColorSchemeTable t{};
  FillColorSchemeTable(scheme, t);
  return t;
}

COLORREF GlyphColor(int scheme) {
  return scheme == 0 ? RGB(77, 97, 133) : scheme == 1 ? RGB(80, 104, 60) : RGB(72, 72, 80);
}

COLORREF TrackColor(int scheme) { return scheme == 2 ? RGB(246, 246, 248) : RGB(244, 243, 238); }
COLORREF TrackEdge(int scheme) { return scheme == 2 ? RGB(232, 232, 238) : RGB(232, 230, 222); }

// An arrow button of 16 x 17: a rounded box in the thumb's column colours of
// that state (border in the scheme's border colour), and a chevron.
PictureRef DrawArrow(int scheme, int state, bool up, bool disabled) {
  const ColorSchemeTable t = SchemeTable(scheme);
  const COLORREF border = disabled ? RGB(200, 200, 200) : static_cast<COLORREF>(t[state][15]);
  const COLORREF glyph = disabled ? RGB(170, 170, 170) : GlyphColor(scheme);
  const COLORREF track = TrackColor(scheme);
  constexpr int W = 16, H = 17;
  return FromPixels(W, H, [&](int x, int y) -> COLORREF {
    const int rx = std::min(x, W - 1 - x), ry = std::min(y, H - 1 - y);
    if (rx == 0 && ry == 0) return track;
    // Chevron: rows 6 to 10, two pixels thick, point at the top for the up
    // arrow; dx counts from the centre columns 7 and 8.
    const int dx = x < 8 ? 7 - x : x - 8;
    const int row = up ? y - 6 : 10 - y;  // 0 at the point
    if (row >= 0 && row <= 4 && (dx == row || dx == row - 1) && dx <= 3) return glyph;
    if (rx == 0 || ry == 0) return border;
    if (disabled) return RGB(244, 244, 244);
    return static_cast<COLORREF>(t[state][x]);
  });
}

PictureRef DrawTrackRow(int scheme, bool held) {
  const COLORREF body = held ? Mix(TrackColor(scheme), GlyphColor(scheme), 0.25) : TrackColor(scheme);
  const COLORREF edge = held ? Mix(TrackEdge(scheme), GlyphColor(scheme), 0.25) : TrackEdge(scheme);
  return FromPixels(17, 1, [&](int x, int) { return x == 0 || x == 16 ? edge : body; });
}

// Thumb caps: the rounded top (16 x 2) and bottom (16 x 3) of the body, whose
// border colour is column 15 of the normal state.
PictureRef DrawCap(int scheme, bool top) {
  const ColorSchemeTable t = SchemeTable(scheme);
  const COLORREF border = static_cast<COLORREF>(t[0][15]);
  const COLORREF track = TrackColor(scheme);
  const int H = top ? 2 : 3;
  return FromPixels(16, H, [&](int x, int y) -> COLORREF {
    const int edgeRow = top ? 0 : H - 1;  // the outer row of the cap
    const bool corner = x == 0 || x == 15;
    if (y == edgeRow) return corner ? track : border;
    if (corner) return border;
    if (!top && y == 0) return static_cast<COLORREF>(t[0][x]);
    return Mix(static_cast<COLORREF>(t[0][x]), RGB(255, 255, 255), 0.5);
  });
}

PictureRef DrawScrollSkin(int id) {
  using namespace scroll_skin;
  struct ArrowRange {
    int first, scheme;
    bool up;
  };
  static const ArrowRange arrows[] = {{kUpBlue, 0, true},   {kDownBlue, 0, false},  {kUpOlive, 1, true},
                                      {kDownOlive, 1, false}, {kUpSilver, 2, true}, {kDownSilver, 2, false}};
  for (const auto& a : arrows) {
    if (id >= a.first && id < a.first + 3) return DrawArrow(a.scheme, id - a.first, a.up, false);
  }
  switch (id) {
    case kUpDisabled: return DrawArrow(0, 0, true, true);
    case kDownDisabled: return DrawArrow(0, 0, false, true);
    case kTrack: return DrawTrackRow(0, false);
    case kTrackSilver: return DrawTrackRow(2, false);
    case kHeldTrack: return DrawTrackRow(0, true);
    case kHeldTrackSilver: return DrawTrackRow(2, true);
    case kThumbBlue - 2: return DrawCap(0, true);
    case kThumbBlue - 1: return DrawCap(0, false);
    case kThumbOlive - 2: return DrawCap(1, true);
    case kThumbOlive - 1: return DrawCap(1, false);
    case kThumbSilver - 2: return DrawCap(2, true);
    case kThumbSilver - 1: return DrawCap(2, false);
    default: return nullptr;
  }
}

}  // namespace

PictureRef QQButtonSkin(int look) {
  if (look < 0 || look > 3) return nullptr;
  return Cached(look, [look] { return DrawQQLook(look); });
}

PictureRef ScrollBarSkin(int id) {
  if (id < 100) return nullptr;
  return Cached(id, [id] { return DrawScrollSkin(id); });
}

void FreeSkinArt() { Cache().clear(); }

}  // namespace controls
