#include "editor/editor_art.h"

#include <array>

#include "foundation/handles.h"

namespace editor {
namespace {

struct Look {
  COLORREF face;
  COLORREF edge;
};

// Index: 0 normal, 1 hover, 2 pressed, 3 disabled or selected, 4 selected
// hover, 5 selected pressed.
constexpr std::array<Look, 6> kLooks = {{
    {RGB(0xF4, 0xF8, 0xFC), RGB(0x7F, 0x9D, 0xB9)},
    {RGB(0xE2, 0xEE, 0xFA), RGB(0x31, 0x6A, 0xC4)},
    {RGB(0xC6, 0xDA, 0xF0), RGB(0x31, 0x6A, 0xC4)},
    {RGB(0xC4, 0xDC, 0xF6), RGB(0x31, 0x6A, 0xC4)},
    {RGB(0xB2, 0xD0, 0xF2), RGB(0x31, 0x6A, 0xC4)},
    {RGB(0x9C, 0xC0, 0xEA), RGB(0x31, 0x6A, 0xC4)},
}};

void FillBox(HDC dc, int x, int y, int w, int h, COLORREF color) {
  RECT r{x, y, x + w, y + h};
  foundation::UniqueBrush brush(::CreateSolidBrush(color));
  ::FillRect(dc, &r, brush.get());
}

void Frame(HDC dc, int x, int y, int w, int h, const Look& look) {
  FillBox(dc, x, y, w, h, look.edge);
  FillBox(dc, x + 1, y + 1, w - 2, h - 2, look.face);
}

void Arrow(HDC dc, bool next, int x, int y, int w, int h, COLORREF color) {
  const int cx = x + w / 2, cy = y + h / 2, d = next ? 1 : -1;
  POINT points[3] = {{cx - 2 * d, cy - 4}, {cx + 3 * d, cy}, {cx - 2 * d, cy + 4}};
  foundation::UniqueBrush brush(::CreateSolidBrush(color));
  foundation::UniquePen pen(::CreatePen(PS_SOLID, 1, color));
  foundation::SelectionGuard selectBrush(dc, brush.get());
  foundation::SelectionGuard selectPen(dc, pen.get());
  ::Polygon(dc, points, 3);
}

}  // namespace

controls::PictureRef CategoryButtonStrip(int width, int height) {
  return controls::Picture::Draw(width * 6, height, [=](HDC dc) {
    for (int f = 0; f < 6; ++f) Frame(dc, f * width, 0, width, height, kLooks[static_cast<size_t>(f)]);
  });
}

controls::PictureRef PageButtonStrip(bool next, int width, int height) {
  return controls::Picture::Draw(width * 4, height, [=](HDC dc) {
    for (int f = 0; f < 4; ++f) {
      const bool disabled = f == 3;
      const Look look = disabled ? Look{RGB(0xEC, 0xEC, 0xEC), RGB(0xB0, 0xB0, 0xB0)} : kLooks[static_cast<size_t>(f)];
      Frame(dc, f * width, 0, width, height, look);
      Arrow(dc, next, f * width, f == 2 ? 1 : 0, width, height, disabled ? RGB(0xA0, 0xA0, 0xA0) : RGB(0x10, 0x40, 0x80));
    }
  });
}

}  // namespace editor
