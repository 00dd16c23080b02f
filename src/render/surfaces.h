// The eight drawing surfaces of the window. Only `screen` is ever shown; every frame is composed in
// `backBuffer` and copied there.
#pragma once

#include <cstdint>

#include "platform/surface.h"

namespace quandel {

struct Surfaces {
  Surface backBuffer;       // where each frame is composed, 640 x 480
  Surface previousPicture;  // the picture an opening wipe parts; empty (0 x 0) while unused
  Surface screen;           // the visible surface
  Surface boxSheet;         // box sprite sheet (img/cube.bmp)
  Surface titleSheet;       // title sheet (img/title.bmp)
  Surface hudSheet;         // HUD sheet (img/lg.bmp)
  Surface fireSheet;        // generated fire sprites
  Surface largeFire;        // where the large fire of a special box is built
};

// The drawing clock that the title screen and each play keep: last reading, milliseconds collected
// towards a second, frames drawn in it, and frames drawn in the last whole second.
struct FpsClock {
  int32_t lastDrawTime = 0;
  int32_t msAccumulated = 0;
  int32_t framesThisSecond = 0;
  int32_t framesPerSecond = 0;
};

}  // namespace quandel
