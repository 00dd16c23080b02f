#include "platform/uptime_clock.h"

#include <cerrno>
#include <ctime>

namespace quandel {

namespace {

constexpr int64_t kNsPerMs = 1000000;
constexpr int64_t kNsPerSecond = 1000000000;

// The queue wait times out in whole milliseconds and may overrun by a few tenths; stopping it this
// far ahead leaves the last stretch to the timed sleep, which lands within microseconds.
constexpr int64_t kQueueWaitMarginNs = 2 * kNsPerMs;

// CLOCK_BOOTTIME keeps counting while the machine sleeps, as a system tick count does; kernels
// without it fall back to the monotonic clock.
clockid_t UptimeClock() {
  static const clockid_t id = [] {
    timespec ts{};
    return clock_gettime(CLOCK_BOOTTIME, &ts) == 0 ? CLOCK_BOOTTIME : CLOCK_MONOTONIC;
  }();
  return id;
}

}  // namespace

int64_t UptimeNanoseconds() {
  timespec ts{};
  clock_gettime(UptimeClock(), &ts);
  return static_cast<int64_t>(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
}

void SleepUntilUptime(int64_t uptimeNs) {
  const timespec until{static_cast<time_t>(uptimeNs / kNsPerSecond), static_cast<long>(uptimeNs % kNsPerSecond)};
  // An absolute deadline: a signal that interrupts the sleep does not stretch it.
  while (clock_nanosleep(UptimeClock(), TIMER_ABSTIME, &until, nullptr) == EINTR) {}
}

IdlePlan PlanIdle(int32_t deadline, int64_t nowNs) {
  // Ticks still to go on a wrapping count; zero or less means the deadline has come.
  const int32_t ticks = static_cast<int32_t>(static_cast<uint32_t>(deadline) - static_cast<uint32_t>(TickOf(nowNs)));
  if (ticks <= 0) return {0, nowNs};
  const int64_t due = nowNs - nowNs % kNsPerMs + ticks * kNsPerMs;
  const int64_t left = due - nowNs;
  if (left > kQueueWaitMarginNs) return {static_cast<int>((left - kQueueWaitMarginNs) / kNsPerMs), due};
  return {0, due};
}

}  // namespace quandel
