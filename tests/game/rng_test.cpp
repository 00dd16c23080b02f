#include "game/rng.h"

#include <gtest/gtest.h>

namespace quandel {

TEST(Rng, FirstNumbersRepeatSeedAndSeedGiveKnownStates) {
  Rng rng;
  const float expected[] = {0.7055475f, 0.533424f, 0.5795186f, 0.2895625f, 0.301948f};
  for (size_t i = 0; i < std::size(expected); ++i) EXPECT_NEAR(rng.Next(), expected[i], 5e-7) << "draw " << i;
  // -1.0f is 0xBF800000: the state becomes 0x8000BF whatever it was, then takes one step.
  rng.Next(-1.0f);
  EXPECT_EQ(rng.state(), 0x395886u);
  // 0.1 is 0x3FB99999_9999999A: 0x9999 moves up a byte, 0x3FB9 is mixed in, the lowest byte stays.
  rng.set_state(0x1234FF);
  rng.Seed(0.1);
  EXPECT_EQ(rng.state(), 0xA620FFu);
}

}  // namespace quandel
