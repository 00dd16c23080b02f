#include "render/frame_clock.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/expect_fields.h"

namespace quandel {
namespace {

TEST(FrameClock, StepsTheSkipTowardsNineteenMillisecondsPerFrame) {
  const struct {
    int32_t now;
    uint8_t autoSkip, before, after;
  } cases[] = {{19, 1, 0, 1}, {37, 1, 1, 0},         {18, 1, 0, 0},    {56, 1, 2, 1},
               {57, 1, 2, 3}, {100000, 1, 255, 255}, {100000, 0, 4, 4}};
  for (const auto& c : cases) {
    FpsClock clock;
    uint8_t skip = c.before;
    MeasureDrawnFrame(clock, c.now, c.autoSkip, skip);
    EXPECT_EQ(skip, c.after) << c.now << " ms at skip " << int{c.before};
  }
}

TEST(FrameClock, CountsFramesPerSecondAcrossTheClockWrap) {
  FpsClock clock{100, 990, 41, 60};
  uint8_t skip = 0;
  EXPECT_EQ(MeasureDrawnFrame(clock, 125, 0, skip), 25.0f);
  EXPECT_FIELDS(FIELD(clock.framesPerSecond, 42), FIELD(clock.framesThisSecond, 0), FIELD(clock.msAccumulated, 15));
  MeasureDrawnFrame(clock, 135, 0, skip);
  EXPECT_FIELDS(FIELD(clock.framesPerSecond, 42), FIELD(clock.framesThisSecond, 1), FIELD(clock.lastDrawTime, 135));

  FpsClock wrap{INT32_MAX - 5, 0, 0, 0};
  EXPECT_EQ(MeasureDrawnFrame(wrap, INT32_MIN + 10, 0, skip), 16.0f);
  EXPECT_EQ(wrap.msAccumulated, 16);
}

}  // namespace
}  // namespace quandel
