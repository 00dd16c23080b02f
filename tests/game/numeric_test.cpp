#include "game/numeric.h"

#include <gtest/gtest.h>

#include "support/expect_fields.h"

namespace quandel {
namespace {

// The sample play (BotPlay) pins the clamps on unequal values and the zero guard.
TEST(Numeric, ClampsReturnTheFirstOnTies) {
  EXPECT_TRUE(std::signbit(MinOf(-0.0f, 0.0f)));
  EXPECT_FALSE(std::signbit(MaxOf(0.0f, -0.0f)));
}

TEST(Numeric, RoundingIsHalfToEvenAndKeepsTheWidth) {
  EXPECT_FIELDS(FIELD(RoundI32(2.5), 2), FIELD(RoundI32(3.5), 4), FIELD(RoundI32(-2.5), -2),
                FIELD(RoundI16(32768.0), -32768), FIELD(RoundU8(256.0), 0), FIELD(Mod(-7, 3), -1));
}

}  // namespace
}  // namespace quandel
