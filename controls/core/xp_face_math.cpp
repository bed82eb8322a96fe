#include "controls/core/xp_face_math.h"

#include <algorithm>

#include "controls/core/units.h"

namespace controls {

namespace {

int32_t Clamp255(int32_t v) { return std::clamp<int32_t>(v, 0, 255); }

}  // namespace

uint32_t ShiftColor(uint32_t rgb, int32_t amount) {
  const int32_t r = static_cast<int32_t>(rgb & 0xFF);
  const int32_t g = static_cast<int32_t>((rgb >> 8) & 0xFF);
  const int32_t b = static_cast<int32_t>((rgb >> 16) & 0xFF);
  const int32_t r2 = Clamp255(r + amount);
  const int32_t g2 = Clamp255(g + amount);
  const int32_t b2 = Clamp255(b + (b * amount) / 192);  // truncates toward zero
  return static_cast<uint32_t>(r2) | (static_cast<uint32_t>(g2) << 8) | (static_cast<uint32_t>(b2) << 16);
}

int32_t GradientAmount(int span, int height, int index) {
  if (height < 1) return 0;
  // The step is a single-precision value, and so is its product with the index.
  const float step = static_cast<float>(span) / static_cast<float>(height);
  const float amount = -step * static_cast<float>(index);
  return RoundHalfEven(static_cast<double>(amount));
}

std::vector<FaceLine> EdgeLines(int w, int h) {
  return {
      {2, h - 2, w - 2, h - 2, -48}, {1, h - 3, w - 2, h - 3, -32}, {w - 2, 2, w - 2, h - 2, -36},
      {w - 3, 3, w - 3, h - 3, -24}, {2, 1, w - 2, 1, 16},          {1, 2, w - 2, 2, 10},
      {1, 2, 1, h - 2, -5},          {2, 3, 2, h - 3, -10},
  };
}

std::vector<FaceLine> PressedLines(int w, int h) {
  return {
      {2, h - 2, w - 2, h - 2, 16}, {1, h - 3, w - 2, h - 3, 10}, {w - 2, 2, w - 2, h - 2, 5},
      {w - 3, 3, w - 3, h - 3, 0},  {2, 1, w - 2, 1, -32},        {1, 2, w - 2, 2, -24},
      {1, 2, 1, h - 2, -32},        {2, 2, 2, h - 2, -22},
  };
}

namespace {

std::vector<FaceLine> RingLines(int w, int h, const int32_t (&amounts)[5]) {
  return {
      {2, h - 2, w - 2, h - 2, amounts[0]}, {2, 1, w - 2, 1, amounts[1]},         {1, 2, w - 1, 2, amounts[2]},
      {2, 3, 2, h - 3, amounts[3]},         {w - 3, 3, w - 3, h - 3, amounts[4]},
  };
}

}  // namespace

std::vector<FaceLine> FocusRingLines(int w, int h) { return RingLines(w, h, {-33, 65, 50, 31, 31}); }

std::vector<FaceLine> HoverRingLines(int w, int h) { return RingLines(w, h, {-40, 200, 35, 20, 20}); }

foundation::IntRect RingFrame(int w, int h) { return {1, 2, w - 1, h - 2}; }

std::vector<foundation::IntPoint> RoundRegionCuts(int w, int h) {
  // Two-pixel strips along the top and bottom edges first, then the side pixels.
  return {
      {0, 0},     {1, 0},         {0, h - 1},     {1, h - 1},     {w - 2, 0},
      {w - 1, 0}, {w - 2, h - 1}, {w - 1, h - 1}, {0, 1},         {0, h - 2},
      {w - 1, 1}, {w - 1, h - 2},
  };
}

}  // namespace controls
