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

// 17, 17, 16 ms in turn for a loop's phase counter 0, 1, 2.
inline int32_t FrameSlot(uint8_t phase) { return 17 - phase / 2; }

}  // namespace quandel
