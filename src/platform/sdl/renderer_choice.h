// Which SDL renderer draws the game window.
#pragma once

#include <SDL.h>

namespace quandel {

// A renderer for the window without vsync (the frame wait does the pacing, and a present must
// never block it), or null with SDL's error set. A graphics card's renderer when there is one; when
// the GL driver rasterises on the processor (Mesa's llvmpipe or softpipe, as on virtual machines,
// remote and test displays), SDL's software renderer writing into a shared-memory window image
// instead, which costs a fraction of the processor time for a 640 x 480 picture. A renderer named
// by the player in SDL_RENDER_DRIVER is used as it is.
SDL_Renderer* CreateGameRenderer(SDL_Window* window);

}  // namespace quandel
