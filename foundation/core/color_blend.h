// Colour blending of the flat control borders, on plain 0x00BBGGRR values.
#pragma once
#include <cstdint>

namespace foundation {

// Per channel (113 - alpha) * b / 113 + alpha * a / 113, rounded to the
// nearest integer with halves to even: the weights are on a scale of 113.
std::uint32_t BlendRgb(std::uint32_t a, std::uint32_t b, int alpha);

}  // namespace foundation
