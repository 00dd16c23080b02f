// Whether someone will act on SDL's fullscreen request. On X11 that is the window manager, and a
// bare X server (a kiosk, a test display) has none: SDL then believes the window covers the screen
// while it stays as it was, and draws a cut, enlarged corner into it.
#pragma once

#include <SDL.h>

namespace quandel {

// True unless the window is on X11 without an EWMH window manager that supports fullscreen.
bool DesktopHandlesFullscreen(SDL_Window* window);

}  // namespace quandel
