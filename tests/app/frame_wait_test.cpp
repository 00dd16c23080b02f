#include "app/frame_wait.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace quandel {
namespace {

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

}  // namespace
}  // namespace quandel
