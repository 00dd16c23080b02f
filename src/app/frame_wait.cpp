#include "app/frame_wait.h"

#include "platform/platform.h"
#include "render/frame_clock.h"

namespace quandel {

void FrameWait::WaitFrame(Platform& platform, int32_t milliseconds) {
  const int32_t previous = lastFrameTime_;
  lastFrameTime_ = platform.Clock();
  // Differences in unsigned arithmetic, so a wrapping clock neither traps nor hangs.
  auto elapsed = [&] {
    return static_cast<int32_t>(static_cast<uint32_t>(lastFrameTime_) - static_cast<uint32_t>(previous));
  };
  const int32_t deadline = static_cast<int32_t>(static_cast<uint32_t>(previous) + static_cast<uint32_t>(milliseconds));
  // A reading 2^31 ms or more after the previous one shows as negative: the first wait on a machine
  // up for over 24.8 days, or after a long suspend. That frame is late, not early; waiting for the
  // count to come round would hang the window for weeks.
  while (elapsed() >= 0 && elapsed() < milliseconds) {
    platform.PumpEvents();
    platform.IdleUntil(deadline);
    lastFrameTime_ = platform.Clock();
  }
}

void PacedLoop::NextFrame() {
  wait_.WaitFrame(platform_, FrameSlot(phase_));
  phase_ = static_cast<uint8_t>((phase_ + 1) % 3);
  platform_.PumpEvents();
}

bool DrawThisFrame(uint8_t& phase, uint8_t frameSkip) {
  phase = static_cast<uint8_t>((phase + 1) % (frameSkip + 1));
  return phase == 0;
}

float MeasureFrameAndRestartClock(FpsClock& clock, Platform& platform, uint8_t autoFrameSkip, uint8_t& frameSkip) {
  const float dt = MeasureDrawnFrame(clock, platform.Clock(), autoFrameSkip, frameSkip);
  clock.lastDrawTime = platform.Clock();
  return dt;
}

}  // namespace quandel
