// The small panels drawn over a play: the replay controls' position, progress and speed, and the
// pause and count-in of a live play.
#pragma once

#include <cstdint>

#include "platform/surface.h"

namespace quandel {

struct ReplayOverlay {
  int position = 0;       // frames from the start
  int length = 0;         // frames in the whole play
  int speedQuarters = 4;  // 1 = a quarter of the normal speed ... 64 = sixteen times
  bool paused = false;
  bool rewinding = false;
  int opacity = 256;  // 0 (gone) .. 256
};

// A navy panel near the bottom of the picture: pause bars, a play arrow or a rewind sign, seconds shown and
// seconds in all, a progress bar, and the speed ("1/4" ... "16" with a small x).
void DrawReplayOverlay(Surface& dst, const Surface& hud, const ReplayOverlay& o);

// A live play that is paused: PAUSED and how to go on, over the dimmed picture, in the column.
void DrawPauseMark(Surface& dst, const Surface& hud);
// The count-in after a pause: the READY banner where the opening shows it.
void DrawCountIn(Surface& dst, const Surface& hud);

}  // namespace quandel
