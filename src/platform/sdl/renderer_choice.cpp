#include "platform/sdl/renderer_choice.h"

#include <cstring>
#include <initializer_list>

namespace quandel {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

// The GL driver's own name for itself, from the context the renderer just made current.
bool RasterisesOnTheProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const char* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
  if (!name) return false;
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
    if (std::strstr(name, soft)) return true;
  }
  return false;
}

}  // namespace

SDL_Renderer* CreateGameRenderer(SDL_Window* window) {
  const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (renderer && !(asked && *asked) && RasterisesOnTheProcessor(renderer)) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
  if (!renderer) {
    // Without this SDL would show its window image through a GL texture again, through the same
    // slow rasteriser.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  }
  return renderer;
}

}  // namespace quandel
