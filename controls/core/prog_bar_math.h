// The arithmetic of the progress bar ProgBar: its colour shading and blending,
// the conversion between Value and the whole percent it paints, the bar
// rectangle of the tube looks (0 to 2) and the colour of each step of a
// gradient. Colours are RGB values with red in the low byte. No <windows.h>.
#pragma once
#include <cstdint>
#include <optional>

#include "foundation/core/int_rect.h"

namespace controls {

// Lightens towards white: each channel c becomes c * (255 - amount) / 255 +
// amount (integer division), at most 255.
uint32_t ShadeColor(uint32_t rgb, int32_t amount);

// weight 255 gives a, 0 gives b; each channel is a * weight / 255 + b * (255 -
// weight) / 255 summed as fractions and rounded halves to even.
uint32_t BlendColor(uint32_t a, uint32_t b, int32_t weight);

// The colour of step index of a gradient from a to b over steps steps: each
// channel a + (b - a) / steps * index, the ratio in single precision, rounded
// halves to even. steps 0 gives a.
uint32_t GradientStepColor(uint32_t a, uint32_t b, int steps, int index);

// Value to percent: value * 100 / max + min, rounded halves to even; nullopt
// when max is 0 (the percent stays as it was then).
std::optional<int32_t> PercentFromValue(int32_t value, int32_t min, int32_t max);
// Percent back to Value: percent / 100 * max, divided by min when min is
// above 0, rounded halves to even.
int32_t ValueFromPercent(int32_t percent, int32_t min, int32_t max);

// The percent a paint shows: within 0..100.
int32_t PaintedPercent(int32_t percent);

// Looks 0 to 2: the client rectangle (its left moved in by 3), the bar
// rectangle and the chunk and gap of the segments. The bar is full at 98 %;
// its length is a whole number of chunk-plus-gap steps.
struct TubeBar {
  foundation::IntRect client;
  foundation::IntRect bar;
  double fraction = 0;
  int chunk = 0;
  int gap = 2;
};
TubeBar CalcTubeBar(int look, bool vertical, int32_t percent, const foundation::IntRect& client);

// Where the percent text goes: centred on the client's right and bottom
// edges (half of them minus half the text, rounded halves to even).
foundation::IntRect CentredText(int clientRight, int clientBottom, int textWidth, int textHeight);

}  // namespace controls
