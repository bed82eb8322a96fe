// The XP-look button face as numbers: the brightness shift every colour of
// the face comes from, the gradient amount of each row, the edge and ring
// lines with their shifts, and the corner pixels the rounded outline cuts
// away. Colours are RGB values with red in the low byte. No <windows.h>.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/core/int_rect.h"

namespace controls {

// Base-colour shifts of the face.
inline constexpr int32_t kFaceLighten = 48;    // back colour -> face colour T
inline constexpr int32_t kPressedDarken = -32; // T -> pressed colour P
// Total gradient shift across the height of each look.
inline constexpr int kNormalSpan = 25;
inline constexpr int kPressedSpan = 15;
inline constexpr int kDisabledSpan = 50;
// The one-pixel frame around the whole button.
inline constexpr uint32_t kFaceFrameColor = 0x4B4B4Bu;  // RGB(75, 75, 75)
// The four inner corner pixels: system colour 21 (3-D dark shadow).
inline constexpr uint32_t kFaceCornerOleColor = 0x80000015u;

// Red and green move by amount; blue moves in proportion to its own value
// (B + B * amount / 192, truncated toward zero), so a colour without blue
// keeps none. Each channel is clamped to 0..255.
uint32_t ShiftColor(uint32_t rgb, int32_t amount);

// The gradient amount of row (or step) index of a face height pixels high
// for a total span: -(span / height) * index with the ratio kept in single
// precision, rounded halves to even. A height below 1 gives 0.
int32_t GradientAmount(int span, int height, int index);

// One line of the face, drawn from (x1, y1) to (x2, y2) without the end
// point, in a colour shifted by amount from its base.
struct FaceLine {
  int x1, y1, x2, y2;
  int32_t amount;
  friend bool operator==(const FaceLine&, const FaceLine&) = default;
};

// The eight edge lines of the normal look without focus (and of the disabled
// look), shifted from the face colour T.
std::vector<FaceLine> EdgeLines(int width, int height);
// The eight lines of the pressed look, shifted from the pressed colour P.
std::vector<FaceLine> PressedLines(int width, int height);
// The five lines of the focus ring (from the pressed colour setting) and of
// the hover ring (from the hover colour setting); each ring starts with a
// frame of RingFrame in its base colour.
std::vector<FaceLine> FocusRingLines(int width, int height);
std::vector<FaceLine> HoverRingLines(int width, int height);
foundation::IntRect RingFrame(int width, int height);

// The twelve pixels the rounded outline removes, three per corner, in the
// order the region is cut.
std::vector<foundation::IntPoint> RoundRegionCuts(int width, int height);

}  // namespace controls
