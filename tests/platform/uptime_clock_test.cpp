#include "platform/uptime_clock.h"

#include <gtest/gtest.h>

#include "support/expect_fields.h"

namespace quandel {
namespace {

constexpr int64_t kMs = 1000000;

TEST(UptimeClock, IdleWaitsOnTheQueueThenSleepsOntoTheTick) {
  const int64_t weeks = int64_t{0xFFFFFFFF} * kMs;  // the tick count reads -1, about to wrap
  const struct {
    int64_t now;
    int32_t deadline;
    int queueWaitMs;
    int64_t sleepUntil;
  } cases[] = {
      {100 * kMs + 300000, 117, 14, 117 * kMs},          // 16.7 ms left: the queue until 2.7 ms remain
      {115 * kMs + 500000, 117, 0, 117 * kMs},           // 1.5 ms left: one timed sleep
      {117 * kMs + 200000, 117, 0, 117 * kMs + 200000},  // the tick has come
      {117 * kMs, 100, 0, 117 * kMs},                    // long past
      {weeks + 400000, 16, 14, weeks + 17 * kMs},        // across the wrap
  };
  for (const auto& c : cases) {
    const IdlePlan plan = PlanIdle(c.deadline, c.now);
    EXPECT_FIELDS(FIELD(plan.queueWaitMs, c.queueWaitMs), FIELD(plan.sleepUntilNs, c.sleepUntil)) << c.now;
  }
  const int64_t until = UptimeNanoseconds() + kMs;
  SleepUntilUptime(until);
  EXPECT_GE(UptimeNanoseconds(), until);
}

}  // namespace
}  // namespace quandel
