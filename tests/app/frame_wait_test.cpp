#include "app/frame_wait.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/headless/headless_platform.h"
#include "render/surfaces.h"

#include "support/expect_fields.h"

namespace quandel {
namespace {

TEST(FrameWait, CadenceCountsFromThePreviousReturnWithoutCatchUp) {
  HeadlessPlatform p(5000);
  FrameWait wait;
  wait.WaitFrame(p, 17);  // the first call returns at once
  EXPECT_EQ(p.Clock(), 5000);
  PacedLoop pace(wait, p);
  std::vector<int32_t> intervals;
  for (int i = 0; i < 6; ++i) {
    const int32_t before = p.Clock();
    pace.NextFrame();
    intervals.push_back(p.Clock() - before);
  }
  EXPECT_EQ(intervals, (std::vector<int32_t>{17, 17, 16, 17, 17, 16}));
  // A frame whose work took 30 ms: the next wait returns at once, the one after measures anew.
  p.Advance(30);
  for (int32_t waited : {0, 17}) {
    const int32_t before = p.Clock();
    wait.WaitFrame(p, 17);
    EXPECT_EQ(p.Clock() - before, waited) << "expected wait " << waited;
  }
  EXPECT_GT(p.pumps(), 6);  // events are dispatched while waiting
  // A clock that wraps past the signed limit neither traps nor hangs the wait.
  HeadlessPlatform wrapping(INT32_MAX - 5);
  FrameWait w2;
  for (int i = 0; i < 2; ++i) w2.WaitFrame(wrapping, 17);
  EXPECT_EQ(static_cast<uint32_t>(wrapping.Clock()), static_cast<uint32_t>(INT32_MAX - 5) + 17u);
  // A first reading 2^31 ms or more after the previous (here: none) is a late frame, not one to wait for.
  HeadlessPlatform weeksUp(static_cast<int32_t>(3000000000u));
  FrameWait w3;
  w3.WaitFrame(weeksUp, 17);
  EXPECT_EQ(static_cast<uint32_t>(weeksUp.Clock()), 3000000000u);
}

// A clock that moves on by 3 ms every time it is read.
class TickingPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  int32_t Clock() override {
    const int32_t now = HeadlessPlatform::Clock();
    Advance(3);
    return now;
  }
};

TEST(FrameClock, TakesAFreshReadingAfterTheMeasurement) {
  TickingPlatform platform(5000);
  FpsClock clock;  // a play's first drawn frame: the whole clock reading
  uint8_t skip = 0;
  EXPECT_EQ(MeasureFrameAndRestartClock(clock, platform, 1, skip), 5000.0f);  // measured at the first reading
  EXPECT_FIELDS(FIELD(clock.framesPerSecond, 1), FIELD(skip, 1), FIELD(clock.lastDrawTime, 5003));
}

}  // namespace
}  // namespace quandel
