// The drawing clock that the title screen and each play keep, with its automatic frame skip.
#pragma once

#include <cstdint>

#include "render/surfaces.h"

namespace quandel {

// One drawn frame's measurement at clock reading `now`: dt = now - lastDrawTime (elapsed time of a
// wrapping millisecond clock), counts the frame, completes a second when 1000 ms have gathered and,
// when autoFrameSkip is 1, steps frameSkip one up (dt >= 19 ms per simulated frame, at most 255)
// or one down (not below 0). Sets lastDrawTime = now. Returns dt (the title keeps it in scratch[0]).
//   MeasureDrawnFrame(clock, platform.Clock(), s.autoFrameSkip, s.frameSkip);
float MeasureDrawnFrame(FpsClock& clock, int32_t now, uint8_t autoFrameSkip, uint8_t& frameSkip);

}  // namespace quandel
