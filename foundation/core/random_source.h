// The process's one random generator, behind an interface so that tests can
// script the draws of the typed-text conversion.
#pragma once
#include <cstdint>

#include "foundation/core/rounding.h"

namespace foundation {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Mixes the clock into the generator's state ("re-seed from the time of day").
  virtual void Reseed() = 0;
  // Uniform in [0, 1).
  virtual double Next() = 0;
};

// xorshift-multiply generator seeded once at construction. Reseed mixes a
// high-resolution clock into the running state instead of replacing it: a
// seed taken from a coarse clock alone would be the same for every character
// of one typed text and so give the same draw each time.
class ClockSeededRandom : public RandomSource {
 public:
  ClockSeededRandom();
  void Reseed() override;
  double Next() override;

 private:
  std::uint64_t state_;
};

// The generator the conversions use; a test may put its own in place
// (nullptr restores the clock-seeded one).
RandomSource& ProcessRandom();
void SetProcessRandom(RandomSource* source);


}  // namespace foundation
