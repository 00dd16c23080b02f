// The machine's uptime as the window's clock: milliseconds since the system started, truncated to
// 32 bits, so the game reads the same large, wrapping tick count as every other 32-bit millisecond
// counter on the machine rather than a count from its own start. Plus the precise sleep the frame
// wait needs to land on a given tick without spinning.
#pragma once

#include <cstdint>

namespace quandel {

// Nanoseconds since the system started, time spent suspended included where the kernel counts it.
int64_t UptimeNanoseconds();

// The millisecond tick count of an uptime: wraps every 2^32 ms (49.7 days).
inline int32_t TickOf(int64_t uptimeNs) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(uptimeNs) / 1000000u));
}

// Sleeps until the uptime reaches `uptimeNs`; returns at once for a moment already past.
void SleepUntilUptime(int64_t uptimeNs);

// How to spend the time until the tick count reads `deadline`, seen at uptime `nowNs`: a wait on the
// event queue of `queueWaitMs` while more than a couple of milliseconds are left (an event ends it
// early and the caller asks again), otherwise a timed sleep to `sleepUntilNs`, the moment the count
// turns to `deadline` (nowNs when it already reads that or later, on a wrapping count).
struct IdlePlan {
  int queueWaitMs = 0;
  int64_t sleepUntilNs = 0;
};
IdlePlan PlanIdle(int32_t deadline, int64_t nowNs);

}  // namespace quandel
