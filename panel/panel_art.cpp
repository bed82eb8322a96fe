#include "panel/panel_art.h"

#include <cmath>

#include "foundation/handles.h"
#include "panel/core/panel_layout.h"

namespace panel {
namespace {

// The panel's light-blue palette.
constexpr COLORREF kTitleTop = RGB(0x4E, 0xA6, 0xEE);
constexpr COLORREF kTitleBottom = RGB(0x2F, 0x84, 0xD6);
constexpr COLORREF kStrip = RGB(0xBF, 0xE0, 0xFF);
constexpr COLORREF kBody = RGB(0xDD, 0xF0, 0xFF);
constexpr COLORREF kBorder = RGB(0x3A, 0x86, 0xCF);
constexpr COLORREF kFace = RGB(0xFF, 0xD2, 0x3C);

void Fill(HDC dc, int x, int y, int w, int h, COLORREF c) {
  RECT r{x, y, x + w, y + h};
  foundation::UniqueBrush b(::CreateSolidBrush(c));
  ::FillRect(dc, &r, b.get());
}

COLORREF Mix(COLORREF a, COLORREF b, double t) {
  auto ch = [t](int x, int y) { return static_cast<BYTE>(std::lround(x + (y - x) * t)); };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

void VerticalGradient(HDC dc, int x, int y, int w, int h, COLORREF top, COLORREF bottom) {
  for (int i = 0; i < h; ++i) Fill(dc, x, y + i, w, 1, Mix(top, bottom, h > 1 ? static_cast<double>(i) / (h - 1) : 0));
}

void Frame(HDC dc, int x, int y, int w, int h, COLORREF c) {
  Fill(dc, x, y, w, 1, c);
  Fill(dc, x, y + h - 1, w, 1, c);
  Fill(dc, x, y, 1, h, c);
  Fill(dc, x + w - 1, y, 1, h, c);
}

void Ellipse(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF line) {
  foundation::UniqueBrush brush(::CreateSolidBrush(fill));
  foundation::UniquePen pen(::CreatePen(PS_SOLID, 1, line));
  foundation::SelectionGuard sb(dc, brush.get());
  foundation::SelectionGuard sp(dc, pen.get());
  ::Ellipse(dc, l, t, r, b);
}

}  // namespace

void DrawLogo(HDC dc, int x, int y, int size) {
  Ellipse(dc, x, y, x + size, y + size, kFace, RGB(0x8A, 0x5A, 0x00));
  const int eye = std::max(1, size / 8);
  Ellipse(dc, x + size * 3 / 10 - eye / 2, y + size * 3 / 10, x + size * 3 / 10 + eye, y + size * 3 / 10 + eye + 1,
          RGB(0, 0, 0), RGB(0, 0, 0));
  Ellipse(dc, x + size * 6 / 10, y + size * 3 / 10, x + size * 6 / 10 + eye + eye / 2, y + size * 3 / 10 + eye + 1,
          RGB(0, 0, 0), RGB(0, 0, 0));
  foundation::UniquePen pen(::CreatePen(PS_SOLID, std::max(1, size / 12), RGB(0x60, 0x30, 0x00)));
  foundation::SelectionGuard sp(dc, pen.get());
  ::Arc(dc, x + size / 4, y + size / 4, x + size * 3 / 4, y + size * 3 / 4 + size / 10, x + size / 4,
        y + size * 6 / 10, x + size * 3 / 4, y + size * 6 / 10);
}

namespace {

// Face colours of a button frame: index 0 normal, 1 hover, 2 pressed, 3 disabled;
// the selected frames of a toggle use the deeper tone.
struct FrameLook {
  COLORREF top, bottom, border;
};
FrameLook LookFor(int look, bool selected) {
  if (selected) {
    switch (look) {
      case 1: return {RGB(0xFF, 0xFF, 0xFF), RGB(0xC8, 0xE6, 0xFF), kBorder};
      case 2: return {RGB(0xA8, 0xD4, 0xF8), RGB(0xD8, 0xEE, 0xFF), kBorder};
      default: return {RGB(0xF4, 0xFA, 0xFF), RGB(0xDD, 0xF0, 0xFF), kBorder};
    }
  }
  switch (look) {
    case 1: return {RGB(0xE4, 0xF4, 0xFF), RGB(0x9C, 0xD0, 0xFA), kBorder};
    case 2: return {RGB(0x7E, 0xBC, 0xF0), RGB(0xB6, 0xDC, 0xFC), RGB(0x1E, 0x64, 0xB4)};
    case 3: return {RGB(0xE6, 0xE6, 0xE6), RGB(0xD0, 0xD0, 0xD0), RGB(0xA0, 0xA0, 0xA0)};
    default: return {RGB(0xCC, 0xE8, 0xFF), RGB(0x8E, 0xC6, 0xF4), RGB(0x5A, 0x9C, 0xDC)};
  }
}

void Glyph(HDC dc, StripKind kind, int x, int y, int w, int h, COLORREF c) {
  foundation::UniquePen pen(::CreatePen(PS_SOLID, 2, c));
  foundation::SelectionGuard sp(dc, pen.get());
  const int cx = x + w / 2, cy = y + h / 2;
  switch (kind) {
    case StripKind::kClose:
      ::MoveToEx(dc, cx - 4, cy - 4, nullptr);
      ::LineTo(dc, cx + 4, cy + 4);
      ::MoveToEx(dc, cx + 4, cy - 4, nullptr);
      ::LineTo(dc, cx - 4, cy + 4);
      break;
    case StripKind::kPin:
      Ellipse(dc, cx - 3, cy - 6, cx + 4, cy + 1, c, c);
      ::MoveToEx(dc, cx, cy, nullptr);
      ::LineTo(dc, cx, cy + 6);
      break;
    case StripKind::kPrevious:
    case StripKind::kNext: {
      const int d = kind == StripKind::kNext ? 1 : -1;
      POINT pts[3] = {{cx - 2 * d, cy - 4}, {cx + 3 * d, cy}, {cx - 2 * d, cy + 4}};
      foundation::UniqueBrush b(::CreateSolidBrush(c));
      foundation::SelectionGuard sb(dc, b.get());
      ::Polygon(dc, pts, 3);
      break;
    }
    default:
      break;
  }
}

}  // namespace

controls::PictureRef PanelSkin() {
  static const controls::PictureRef skin = controls::Picture::Draw(kSkinWidth, kSkinHeight, [](HDC dc) {
    Fill(dc, 0, 0, kSkinWidth, kSkinHeight, kBody);
    VerticalGradient(dc, 0, 0, kSkinWidth, 24, kTitleTop, kTitleBottom);  // title strip
    VerticalGradient(dc, 0, 24, kSkinWidth, 28, kStrip, kBody);          // tab strip
    Fill(dc, 0, 51, kSkinWidth, 1, RGB(0x9C, 0xCC, 0xF4));
    Frame(dc, 0, 0, kSkinWidth, kSkinHeight, kBorder);
    DrawLogo(dc, 3, 3, 19);  // under the menu picture
  });
  return skin;
}

controls::PictureRef ButtonStrip(StripKind kind, int frameWidth, int frameHeight, bool toggle) {
  const int frames = toggle ? 6 : 4;
  return controls::Picture::Draw(frameWidth * frames, frameHeight, [=](HDC dc) {
    for (int f = 0; f < frames; ++f) {
      // 4 frames: normal, hover, pressed, disabled; toggles: normal, hover,
      // pressed, selected, selected hover, selected pressed.
      const bool selected = toggle && f >= 3;
      const int look = toggle ? (f % 3) : f;
      const FrameLook l = LookFor(look, selected);
      const int x = f * frameWidth;
      if (kind == StripKind::kTab) {
        VerticalGradient(dc, x, 0, frameWidth, frameHeight, l.top, selected ? kBody : l.bottom);
        Fill(dc, x, 0, frameWidth, 1, l.border);
        Fill(dc, x, 0, 1, frameHeight, l.border);
        Fill(dc, x + frameWidth - 1, 0, 1, frameHeight, l.border);
        if (!selected) Fill(dc, x, frameHeight - 1, frameWidth, 1, l.border);
      } else {
        VerticalGradient(dc, x, 0, frameWidth, frameHeight, l.top, l.bottom);
        Frame(dc, x, 0, frameWidth, frameHeight, l.border);
      }
      const COLORREF glyph = look == 3 && !selected ? RGB(0x90, 0x90, 0x90) : RGB(0x10, 0x40, 0x80);
      Glyph(dc, kind, x, look == 2 ? 1 : 0, frameWidth, frameHeight, glyph);
    }
  });
}

}  // namespace panel
