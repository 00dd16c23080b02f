// The eight drawing surfaces of the window. Only picMain is ever shown; every frame is composed in
// picBack and copied there.
#pragma once

#include <cstdint>

#include "platform/surface.h"

namespace quandel {

struct Surfaces {
  Surface picBack;   // back buffer, 640 x 480
  Surface picBack2;  // the previous picture for the opening wipes; 2 x 2 while unused
  Surface picMain;   // the visible surface
  Surface picChara;  // box sprite sheet
  Surface picTitle;  // title sheet
  Surface picLogo;   // HUD sheet
  Surface picFire;   // generated fire sprites
  Surface picFire2;  // scratch for the large fire of a special box
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
