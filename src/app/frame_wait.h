#pragma once

#include <cstdint>

namespace quandel {

class Platform;

// Paces the loops that show frames (see PacedLoop). The interval counts from the moment the previous wait
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

// The head every paced loop shares (title, play, replay, frame dump):
//   PacedLoop pace(app.frameWait, app.platform);
//   for (;;) {
//     pace.NextFrame();  // waits out the frame's slot, then the window's events reach the sink
//     ...
//     if (!DrawThisFrame(app.menu.frameSkipPhase, app.settings.frameSkip)) continue;
class PacedLoop {
 public:
  PacedLoop(FrameWait& wait, Platform& platform) : wait_(wait), platform_(platform) {}
  // Waits for the frame's deadline (slots of 17, 17, 16 ms in turn), then pumps the events.
  void NextFrame();

 private:
  FrameWait& wait_;
  Platform& platform_;
  uint8_t phase_ = 0;
};

// The frame-skip rule: counts a frame on `phase` (one counter for the title and the plays) and
// says whether it is drawn, one frame in frameSkip + 1.
bool DrawThisFrame(uint8_t& phase, uint8_t frameSkip);

}  // namespace quandel
