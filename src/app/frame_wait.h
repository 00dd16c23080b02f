#pragma once

#include <cstdint>

namespace quandel {

class Platform;

// Paces the title loop and the play loop. The interval counts from the moment the previous wait
// returned; a late frame is not made up. Events are dispatched while waiting.
class FrameWait {
 public:
  void WaitFrame(Platform& platform, int32_t milliseconds);
  int32_t lastFrameTime() const { return lastFrameTime_; }

 private:
  int32_t lastFrameTime_ = 0;
};

// Measures a drawn frame on `clock` at the platform's clock (MeasureDrawnFrame in
// render/frame_clock.h), then restarts the measurement at a fresh reading, as a drawn frame does.
struct FpsClock;
float MeasureFrameAndRestartClock(FpsClock& clock, Platform& platform, uint8_t autoFrameSkip, uint8_t& frameSkip);

// 17, 17, 16 ms in turn for a loop's phase counter 0, 1, 2.
inline int32_t FrameSlot(uint8_t phase) { return 17 - phase / 2; }

}  // namespace quandel
