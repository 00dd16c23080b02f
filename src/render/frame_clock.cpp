#include "render/frame_clock.h"

#include "game/numeric.h"

namespace quandel {

float MeasureDrawnFrame(FpsClock& clock, int32_t now, uint8_t autoFrameSkip, uint8_t& frameSkip) {
  // Elapsed time of a wrapping 32-bit millisecond clock: right across the wrap, never negative.
  const uint32_t elapsed = static_cast<uint32_t>(now) - static_cast<uint32_t>(clock.lastDrawTime);
  const float dt = static_cast<float>(elapsed);
  int64_t accumulated = RoundHalfEven(static_cast<double>(dt) + clock.msAccumulated);
  clock.framesThisSecond += 1;
  if (accumulated >= 1000) {
    clock.framesPerSecond = clock.framesThisSecond;
    clock.framesThisSecond = 0;
    accumulated %= 1000;
  }
  clock.msAccumulated = static_cast<int32_t>(accumulated);
  if (autoFrameSkip == 1) {
    if (dt >= 19.0f * (frameSkip + 1)) {
      if (frameSkip < 255) frameSkip = static_cast<uint8_t>(frameSkip + 1);
    } else if (frameSkip > 0) {
      frameSkip = static_cast<uint8_t>(frameSkip - 1);
    }
  }
  clock.lastDrawTime = now;
  return dt;
}

}  // namespace quandel
