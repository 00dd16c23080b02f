#include "game/rng.h"

#include <gtest/gtest.h>

namespace quandel {

TEST(Rng, FirstNumbersFromTheInitialState) {
  Rng rng;
  const float expected[] = {0.7055475f, 0.533424f, 0.5795186f, 0.2895625f, 0.301948f};
  for (float e : expected) EXPECT_NEAR(rng.Next(), e, 5e-7);
}

TEST(Rng, RepeatSeedRequestDependsOnlyOnTheArgument) {
  Rng a, b;
  a.Next();
  a.Next();
  // -1.0f is 0xBF800000: s = (0xBF800000 + 0xBF) mod 2^24 = 0x8000BF, then one step.
  const float fromA = a.Next(-1.0f);
  const float fromB = b.Next(-1.0f);
  EXPECT_EQ(fromA, fromB);
  EXPECT_EQ(a.state(), (0x8000BFu * 0xFD43FDu + 0xC39EC3u) & 0xFFFFFFu);
}

TEST(Rng, SeedMixesTheUpperHalfOfTheDoubleAndKeepsTheLowByte) {
  Rng rng;
  rng.set_state(0xABCDEF);
  rng.Seed(0.0);
  EXPECT_EQ(rng.state(), 0xEFu);
  // 120.0 is 0x405E0000_00000000: h = 0x405E0000.
  rng.set_state(0x123456);
  rng.Seed(120.0);
  const uint32_t h = 0x405E0000u;
  EXPECT_EQ(rng.state(), ((((h & 0xFFFFu) << 8) ^ ((h >> 8) & 0xFFFF00u)) | 0x56u));
}

}  // namespace quandel
