#include "platform/sdl/video_driver.h"

#include <SDL.h>

#include <string>

namespace quandel {

void AllowOnlyVisibleVideoDrivers() {
  // SDL_GetHint also reports the SDL_VIDEODRIVER environment variable.
  const char* chosen = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (chosen && *chosen) return;
  std::string visible;
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const std::string name = SDL_GetVideoDriver(i);
    if (name == "offscreen" || name == "dummy" || name == "evdev") continue;
    visible += (visible.empty() ? "" : ",") + name;
  }
  if (!visible.empty()) SDL_SetHint(SDL_HINT_VIDEODRIVER, visible.c_str());
}

}  // namespace quandel
