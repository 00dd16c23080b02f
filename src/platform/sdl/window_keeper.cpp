#include "platform/sdl/window_keeper.h"

#include <vector>

#include "platform/sdl/wm_check.h"

namespace quandel {

namespace {

std::vector<DisplayArea> Displays() {
  std::vector<DisplayArea> areas;
  for (int i = 0, n = SDL_GetNumVideoDisplays(); i < n; ++i) {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(i, &r) == 0) areas.push_back({r.x, r.y, r.w, r.h});
  }
  return areas;
}

}  // namespace

SDL_Window* WindowKeeper::Open(const char* title, const std::optional<WindowPlacement>& stored, int minWidth,
                               int minHeight) {
  windowed_ = ChooseWindowPlacement(stored, Displays(), minWidth, minHeight);
  restoreFullscreen_ = windowed_.fullscreen;
  windowed_.fullscreen = false;
  const int x = windowed_.centred ? SDL_WINDOWPOS_CENTERED : windowed_.x;
  const int y = windowed_.centred ? SDL_WINDOWPOS_CENTERED : windowed_.y;
  // Made for GL from the start: a GL renderer would otherwise replace the X window by a new one,
  // under the eyes of anyone who already found the first.
  const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  window_ = SDL_CreateWindow(title, x, y, windowed_.width, windowed_.height, flags | SDL_WINDOW_OPENGL);
  if (!window_) window_ = SDL_CreateWindow(title, x, y, windowed_.width, windowed_.height, flags);
  if (!window_) return nullptr;
  SDL_SetWindowMinimumSize(window_, minWidth, minHeight);
  return window_;
}

void WindowKeeper::Restore() {
  if (!window_) return;
  // A window manager puts its frame, not the client area, at the place asked for at creation (the
  // renderer may even have made the window anew). Asked again once SDL has heard the frame's size,
  // the client area goes where it was, rather than creeping down by a title bar on every start.
  if (!windowed_.centred && DesktopHandlesFullscreen(window_)) {
    int top = 0, left = 0;
    for (int i = 0; i < 25 && top == 0 && left == 0; ++i) {
      SDL_PumpEvents();
      if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) != 0) break;
      if (top == 0 && left == 0) SDL_Delay(10);
    }
    SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
  }
  if (restoreFullscreen_ && !fullscreen()) Toggle();
  restoreFullscreen_ = false;
}

bool WindowKeeper::fullscreen() const {
  return byHand_ || (window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0);
}

void WindowKeeper::RememberWindowed() {
  SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
  SDL_GetWindowSize(window_, &windowed_.width, &windowed_.height);
  windowed_.centred = false;
}

void WindowKeeper::Toggle() {
  if (!window_) return;
  if (byHand_) {
    byHand_ = false;
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, windowed_.width, windowed_.height);
    SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
    return;
  }
  if (fullscreen()) {
    SDL_SetWindowFullscreen(window_, 0);
    return;
  }
  RememberWindowed();
  if (DesktopHandlesFullscreen(window_)) {
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_Rect area;
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0 || SDL_GetDisplayBounds(display, &area) != 0) return;
  byHand_ = true;
  SDL_SetWindowBordered(window_, SDL_FALSE);
  SDL_SetWindowPosition(window_, area.x, area.y);
  SDL_SetWindowSize(window_, area.w, area.h);
  SDL_RaiseWindow(window_);
}

WindowPlacement WindowKeeper::Placement() const {
  WindowPlacement p = windowed_;
  if (window_ && !fullscreen()) {
    SDL_GetWindowPosition(window_, &p.x, &p.y);
    SDL_GetWindowSize(window_, &p.width, &p.height);
    p.centred = false;
  }
  p.fullscreen = fullscreen();
  return p;
}

}  // namespace quandel
