#include "foundation/core/random_source.h"

#include <chrono>
#include <cmath>

namespace foundation {
namespace {

std::uint64_t SplitMix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t ClockTicks() {
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
         static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

RandomSource* g_override = nullptr;

}  // namespace

ClockSeededRandom::ClockSeededRandom() : state_(SplitMix(ClockTicks())) {
  if (state_ == 0) state_ = 0x2545F4914F6CDD1Dull;
}

void ClockSeededRandom::Reseed() {
  state_ = SplitMix(state_ ^ ClockTicks());
  if (state_ == 0) state_ = 0x2545F4914F6CDD1Dull;
}

double ClockSeededRandom::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const std::uint64_t bits = state_ * 0x2545F4914F6CDD1Dull;
  // The top 53 bits give an exact double in [0, 1).
  return static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0);
}

RandomSource& ProcessRandom() {
  static ClockSeededRandom generator;
  return g_override ? *g_override : generator;
}

void SetProcessRandom(RandomSource* source) { g_override = source; }


}  // namespace foundation
