#include "controls/core/prog_bar_math.h"

#include <algorithm>
#include <cmath>

#include "controls/core/units.h"

namespace controls {

namespace {

int32_t Channel(uint32_t rgb, int shift) { return static_cast<int32_t>((rgb >> shift) & 0xFF); }

uint32_t Rgb(int32_t r, int32_t g, int32_t b) {
  auto c = [](int32_t v) { return static_cast<uint32_t>(std::clamp<int32_t>(v, 0, 255)); };
  return c(r) | (c(g) << 8) | (c(b) << 16);
}

}  // namespace

uint32_t ShadeColor(uint32_t rgb, int32_t amount) {
  auto shade = [&](int32_t c) { return std::min<int32_t>(c * (255 - amount) / 255 + amount, 255); };
  return Rgb(shade(Channel(rgb, 0)), shade(Channel(rgb, 8)), shade(Channel(rgb, 16)));
}

uint32_t BlendColor(uint32_t a, uint32_t b, int32_t weight) {
  auto blend = [&](int shift) {
    return RoundHalfEven(Channel(a, shift) * weight / 255.0 + Channel(b, shift) * (255 - weight) / 255.0);
  };
  return Rgb(blend(0), blend(8), blend(16));
}

uint32_t GradientStepColor(uint32_t a, uint32_t b, int steps, int index) {
  auto step = [&](int shift) {
    const float ratio = steps == 0 ? 0.0f
                                   : static_cast<float>(Channel(b, shift) - Channel(a, shift)) / static_cast<float>(steps);
    return RoundHalfEven(static_cast<double>(static_cast<float>(Channel(a, shift)) + ratio * static_cast<float>(index)));
  };
  return Rgb(step(0), step(8), step(16));
}

std::optional<int32_t> PercentFromValue(int32_t value, int32_t min, int32_t max) {
  if (max == 0) return std::nullopt;
  return RoundHalfEven(static_cast<double>(value) * 100.0 / max + min);
}

int32_t ValueFromPercent(int32_t percent, int32_t min, int32_t max) {
  const double d = min > 0 ? min : 1;
  return RoundHalfEven(percent / 100.0 * max / d);
}

int32_t PaintedPercent(int32_t percent) { return std::clamp<int32_t>(percent, 0, 100); }

TubeBar CalcTubeBar(int look, bool vertical, int32_t percent, const foundation::IntRect& client) {
  TubeBar t;
  t.chunk = look == 0 ? 6 : 0;
  t.gap = 2;
  t.client = client;
  t.client.left += 3;
  t.bar = t.client;
  const double fraction = std::max(percent / 98.0, 0.0);
  const int step = t.gap + t.chunk;
  const foundation::IntRect& c = t.client;
  if (!vertical) {
    t.fraction = fraction;
    const int x = RoundHalfEven((c.right - c.left) * fraction + c.left);
    t.bar.right = std::max(x - (x - t.bar.left) % step, c.left);
  } else {
    // Filled from the bottom: the top comes down as the fraction shrinks; the
    // remainder's sign follows its left operand, pushing the top down.
    t.fraction = 1 - fraction;
    const int y = RoundHalfEven((c.bottom - c.top) * (1 - fraction) + c.top);
    t.bar.top = std::min(y - (y - t.bar.bottom) % step, c.bottom);
  }
  return t;
}

foundation::IntRect CentredText(int clientRight, int clientBottom, int textWidth, int textHeight) {
  const int left = RoundHalfEven(clientRight / 2.0 - textWidth / 2.0);
  const int top = RoundHalfEven(clientBottom / 2.0 - textHeight / 2.0);
  return {left, top, left + textWidth, top + textHeight};
}

}  // namespace controls
