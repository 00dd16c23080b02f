// The eight drawing surfaces of the window. Only screen is ever shown; every frame is composed in
// backBuffer and copied there.
#pragma once

#include <cstdint>

#include "platform/surface.h"

namespace quandel {

struct Surfaces {
  Surface backBuffer;   // back buffer, 640 x 480
  Surface previousPicture;  // the previous picture for the opening wipes; 2 x 2 while unused
  Surface screen;   // the visible surface
  Surface boxSheet;  // box sprite sheet
  Surface titleSheet;  // title sheet
  Surface hudSheet;   // HUD sheet
  Surface fireSheet;   // generated fire sprites
  Surface largeFire;  // scratch for the large fire of a special box
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
