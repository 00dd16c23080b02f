#include "game/numeric.h"

#include <gtest/gtest.h>

namespace quandel {
namespace {

TEST(Numeric, ClampsReturnTheFirstOnTiesAndNonZeroGuards) {
  EXPECT_EQ(MinOf(2, 3), 2);
  EXPECT_EQ(MaxOf(-1, 0), 0);
  EXPECT_EQ(std::signbit(MinOf(-0.0f, 0.0f)), true);  // equal: the first argument
  EXPECT_EQ(std::signbit(MaxOf(0.0f, -0.0f)), false);
  EXPECT_EQ(NonZero(0), 0.0001f);
  EXPECT_EQ(NonZero(-0.5f), -0.5f);
}

TEST(Numeric, DistanceAndAngle) {
  EXPECT_EQ(Distance(Point{0, 0}, Point{3, 4}), 5.0f);
  const Point o{0, 0};
  EXPECT_EQ(Angle(o, Point{1, 0}), 0.0f);
  EXPECT_NEAR(Angle(o, Point{0, 1}), 1.5706963, 1e-6);  // a zero dx counts as 0.0001
  EXPECT_NEAR(Angle(o, Point{0, -1}), -1.5706963, 1e-6);
  EXPECT_NEAR(Angle(o, Point{-1, 0}), 3.14159265358979, 1e-6);
  EXPECT_NEAR(Angle(o, Point{-1, -1}), 5 * 3.14159265358979 / 4, 1e-6);
  EXPECT_NEAR(Angle(o, Point{1, -1}), -3.14159265358979 / 4, 1e-6);
  EXPECT_EQ(Angle(o, o), 0.0f);
}

TEST(Numeric, RoundingIsHalfToEvenAndKeepsTheWidth) {
  EXPECT_EQ(RoundI32(2.5), 2);
  EXPECT_EQ(RoundI32(3.5), 4);
  EXPECT_EQ(RoundI32(-2.5), -2);
  EXPECT_EQ(RoundI16(32768.0), -32768);
  EXPECT_EQ(RoundU8(256.0), 0);
  EXPECT_EQ(Mod(-7, 3), -1);
}

}  // namespace
}  // namespace quandel
