// The game window's place on the desktop: opened as the player left it, switched to and from
// fullscreen the same way with or without a window manager, and read back for saving at exit.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/window_placement.h"

namespace quandel {

class WindowKeeper {
 public:
  // Opens a shown, resizable window with high-density drawables allowed, where `stored` says if it
  // still fits the displays attached now (see ChooseWindowPlacement); null when SDL cannot.
  SDL_Window* Open(const char* title, const std::optional<WindowPlacement>& stored, int minWidth, int minHeight);
  // Puts the window at its stored place and into a stored fullscreen state; called once the
  // renderer exists (creating one can make the window anew).
  void Restore();

  bool fullscreen() const;
  void Toggle();
  // The windowed size and place (what leaving fullscreen returns to) and the fullscreen state.
  WindowPlacement Placement() const;

 private:
  void RememberWindowed();

  SDL_Window* window_ = nullptr;
  WindowPlacement windowed_;
  bool restoreFullscreen_ = false;
  // Fullscreen made by hand: a borderless window over the display, for desktops without a window
  // manager to honour the request.
  bool byHand_ = false;
};

}  // namespace quandel
