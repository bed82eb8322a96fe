#include "panel/core/panel_layout.h"

#include <algorithm>

namespace panel {
namespace {
int NonNegative(int v) { return std::max(v, 0); }
}  // namespace

std::array<SkinPiece, 9> SkinPieces(int sw, int sh, int kw, int kh) {
  const int r = kw - kSkinRightStart;
  const int b = kh - kSkinBottomStart;
  const int L = kSkinLeftColumn, T = kSkinTopRow, M = kSkinMiddleWidth;
  const int band = (sw - L) - r;
  const int side = sh - kSkinBottomStart;
  const int srcSide = (kh - T) - kSkinBottomStart;
  return {{
      {{0, 0, L, T}, {0, 0, L, T}},
      {{L, 0, band, T}, {L, 0, M, T}},
      {{sw - r, 0, r, T}, {kSkinRightStart, 0, r, T}},
      {{0, T, L, side}, {0, T, L, srcSide}},
      {{L, T, band, side}, {L, T, M, T}},
      {{sw - r, T, r, side}, {kSkinRightStart, T, r, srcSide}},
      {{0, sh - b, L, b}, {0, kSkinBottomStart, L, b}},
      {{L, sh - b, band, b}, {L, kSkinBottomStart, M, b}},
      {{sw - r, sh - b, r, b}, {kSkinRightStart, kSkinBottomStart, r, b}},
  }};
}

PanelLayout ComputePanelLayout(int sw, int sh) {
  PanelLayout out{};
  out.exitLeft = sw - kTitleButtonWidth - 5;
  out.typeLeft = out.exitLeft - kTitleButtonWidth - 1;
  for (PageLayout& p : out.pages) {
    p.page = {kPageLeft, kPageTop, NonNegative(sw - 15), NonNegative(sh - 64)};
    p.frame = {0, 30, p.page.w, NonNegative(p.page.h - 30 - 25)};
    p.statusStrip = {0, p.frame.y + p.frame.h - 1, p.page.w, 25};
    p.listWidth = NonNegative(p.page.w - 69);
    p.viewportTwips = NonNegative(p.frame.h - 4) * 15;
    p.scrollTwips = NonNegative(p.frame.h - 2) * 15;
  }
  return out;
}

}  // namespace panel
