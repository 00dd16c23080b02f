#include "app/frame_wait.h"

#include "platform/platform.h"
#include "render/draw_common.h"

namespace quandel {

void FrameWait::WaitFrame(Platform& platform, int32_t milliseconds) {
  const int32_t previous = lastFrameTime_;
  lastFrameTime_ = platform.Clock();
  // Differences in unsigned arithmetic, so a wrapping clock neither traps nor hangs.
  auto elapsed = [&] { return static_cast<int32_t>(static_cast<uint32_t>(lastFrameTime_) - static_cast<uint32_t>(previous)); };
  const int32_t deadline = static_cast<int32_t>(static_cast<uint32_t>(previous) + static_cast<uint32_t>(milliseconds));
  while (elapsed() < milliseconds) {
    platform.PumpEvents();
    platform.IdleUntil(deadline);
    lastFrameTime_ = platform.Clock();
  }
}

float StepFrameClock(FpsClock& clock, Platform& platform, uint8_t autoFrameSkip, uint8_t& frameSkip) {
  const float dt = StepFrameClock(clock, platform.Clock(), autoFrameSkip, frameSkip);
  clock.lastDrawTime = platform.Clock();
  return dt;
}

}  // namespace quandel
