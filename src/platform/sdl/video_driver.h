// Which of SDL's video drivers the game may start on: only ones that show a window, unless the
// player names a driver (SDL_VIDEODRIVER=offscreen, say). Without a display SDL would otherwise
// fall back to drawing off-screen, and the game would run invisibly.
#pragma once

namespace quandel {

// Call before SDL's video starts. Leaves an explicitly chosen driver alone.
void AllowOnlyVisibleVideoDrivers();

}  // namespace quandel
