// SDL's modal message box, run in a child process of our own so that nothing outlives the game:
// a stop signal ends the wait and closes the box, and the box goes with the game however the game
// ends (SDL draws the box in a process of its own, which would otherwise stay on screen).
#pragma once

#include <SDL.h>

namespace quandel {

enum class BoxResult { kDismissed, kStopped, kUnavailable };

// Shows the box over `window` and waits until it is dismissed (kDismissed), a stop signal arrives
// (kStopped; the box is closed), or it turns out no box can be shown (kUnavailable).
BoxResult ShowMessageBoxUntilStopped(const char* title, const char* text, SDL_Window* window);

}  // namespace quandel
