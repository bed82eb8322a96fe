// The panel window's layout as a function of its inner size, and the
// nine-piece cut of its skin picture.
#pragma once
#include <array>

namespace panel {

struct Box4 {
  int x, y, w, h;
};

// The skin picture's fixed cut.
inline constexpr int kSkinLeftColumn = 68;
inline constexpr int kSkinTopRow = 74;
inline constexpr int kSkinRightStart = 116;
inline constexpr int kSkinBottomStart = 122;
inline constexpr int kSkinMiddleWidth = 48;
inline constexpr int kSkinWidth = 181;
inline constexpr int kSkinHeight = 198;

struct SkinPiece {
  Box4 dest;
  Box4 source;
};
// The nine copies, in painting order, for an inner size sw x sh and a skin of kw x kh.
std::array<SkinPiece, 9> SkinPieces(int sw, int sh, int kw = kSkinWidth, int kh = kSkinHeight);

struct PageLayout {
  Box4 page;          // in the window, pixels
  Box4 frame;         // in the page
  Box4 statusStrip;   // in the page
  int listWidth;      // category list width (left 66, top 4, 20 high)
  int viewportTwips;  // viewport height inside the frame, twips
  int scrollTwips;    // scroll bar height inside the frame, twips
};

struct PanelLayout {
  int exitLeft, typeLeft;  // the title-strip buttons, top 0, 31 x 20
  std::array<PageLayout, 3> pages;
};

inline constexpr int kPageLeft = 8;
inline constexpr int kPageTop = 55;
inline constexpr int kTitleButtonWidth = 31;
inline constexpr int kTitleButtonHeight = 20;

// Sizes that would come out negative (a very short window) are clamped to zero.
PanelLayout ComputePanelLayout(int sw, int sh);

}  // namespace panel
