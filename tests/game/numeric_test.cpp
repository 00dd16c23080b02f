#include "game/numeric.h"

#include <gtest/gtest.h>

#include "app/frame_wait.h"
#include "platform/headless/headless_platform.h"

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
  EXPECT_NEAR(Angle(o, Point{0, 1}), std::atan(10000.0), 1e-6);
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

TEST(FrameWait, CadenceCountsFromThePreviousReturnWithoutCatchUp) {
  HeadlessPlatform p(5000);
  FrameWait wait;
  wait.WaitFrame(p, 17);  // the first call returns at once
  EXPECT_EQ(p.Clock(), 5000);
  uint8_t phase = 0;
  std::vector<int32_t> intervals;
  for (int i = 0; i < 6; ++i) {
    const int32_t before = p.Clock();
    wait.WaitFrame(p, FrameSlot(phase));
    phase = static_cast<uint8_t>((phase + 1) % 3);
    intervals.push_back(p.Clock() - before);
  }
  EXPECT_EQ(intervals, (std::vector<int32_t>{17, 17, 16, 17, 17, 16}));
  // A frame whose work took 30 ms: the next wait returns at once, the one after measures anew.
  p.Advance(30);
  int32_t before = p.Clock();
  wait.WaitFrame(p, 17);
  EXPECT_EQ(p.Clock(), before);
  before = p.Clock();
  wait.WaitFrame(p, 17);
  EXPECT_EQ(p.Clock() - before, 17);
  EXPECT_GT(p.pumps(), 6);  // events are dispatched while waiting
  // A clock that wraps past the signed limit neither traps nor hangs the wait.
  HeadlessPlatform wrapping(INT32_MAX - 5);
  FrameWait w2;
  w2.WaitFrame(wrapping, 17);
  w2.WaitFrame(wrapping, 17);
  EXPECT_EQ(static_cast<uint32_t>(wrapping.Clock()), static_cast<uint32_t>(INT32_MAX - 5) + 17u);
  // A first reading 2^31 ms or more after the previous (here: none) is a late frame, not one to wait for.
  HeadlessPlatform weeksUp(static_cast<int32_t>(3000000000u));
  FrameWait w3;
  w3.WaitFrame(weeksUp, 17);
  EXPECT_EQ(static_cast<uint32_t>(weeksUp.Clock()), 3000000000u);
}

}  // namespace
}  // namespace quandel
