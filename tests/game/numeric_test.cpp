#include "game/numeric.h"

#include <gtest/gtest.h>

namespace quandel {
namespace {

TEST(Numeric, ClampsReturnTheFirstOnTiesAndNonZeroGuards) {
  EXPECT_TRUE(MinOf(2, 3) == 2 && MaxOf(-1, 0) == 0);
  EXPECT_TRUE(std::signbit(MinOf(-0.0f, 0.0f)) && !std::signbit(MaxOf(0.0f, -0.0f)));  // equal: the first argument
  EXPECT_TRUE(NonZero(0) == 0.0001f && NonZero(-0.5f) == -0.5f);
}

TEST(Numeric, DistanceAndAngle) {
  EXPECT_EQ(Distance(Point{0, 0}, Point{3, 4}), 5.0f);
  const Point o{0, 0};
  constexpr double kPi = 3.14159265358979;
  // A zero dx counts as 0.0001.
  for (auto [x, y, angle] : {std::tuple{1.0f, 0.0f, 0.0}, {0, 1, 1.5706963}, {0, -1, -1.5706963}, {-1, 0, kPi}, {-1, -1, 5 * kPi / 4},
                             {1, -1, -kPi / 4}, {0, 0, 0}})
    EXPECT_NEAR(Angle(o, Point{x, y}), angle, 1e-6) << x << "," << y;
}

TEST(Numeric, RoundingIsHalfToEvenAndKeepsTheWidth) {
  EXPECT_EQ(std::vector<int>({RoundI32(2.5), RoundI32(3.5), RoundI32(-2.5), RoundI16(32768.0), RoundU8(256.0), static_cast<int>(Mod(-7, 3))}),
            std::vector<int>({2, 4, -2, -32768, 0, -1}));
}

}  // namespace
}  // namespace quandel
