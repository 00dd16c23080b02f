// The program's one random generator: a 24-bit linear congruential generator, fixed so that
// replays and traces agree across builds.
#pragma once

#include <cstdint>

namespace quandel {

class Rng {
 public:
  static constexpr uint32_t kInitialState = 327680;

  // Next number in [0, 1).
  float Next();
  // With a negative argument the state is first derived from the argument's bit pattern
  // (the repeat-seed request); any other argument just draws the next number.
  float Next(float argument);
  // Seeds from a number: the upper half of its 64-bit pattern mixes into the middle bits.
  void Seed(double value);

  uint32_t state() const { return state_; }
  void set_state(uint32_t s) { state_ = s & 0xFFFFFFu; }

 private:
  uint32_t state_ = kInitialState;
};

}  // namespace quandel
