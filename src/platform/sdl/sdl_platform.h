// The game's window on SDL2: a resizable window showing the 640 x 480 picture scaled without blur,
// the mouse, wheel and close events handed to the input sink while a loop yields, the machine's
// uptime as the millisecond clock, a wait that spares the processor, and SDL's message box.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/window_keeper.h"

namespace quandel {

// SDL could not give us a window (no display, no renderer).
class SdlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SdlPlatform : public Platform {
 public:
  // Opens the window (caption "Quandel", 640 x 480 client area unless `placement` gives a size,
  // place and fullscreen state that still fit) showing black. Throws SdlError when SDL's video
  // cannot start or no renderer works.
  explicit SdlPlatform(const std::optional<WindowPlacement>& placement = std::nullopt);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  void SetInputSink(InputSink* sink) override { sink_ = sink; }
  int32_t Clock() override;
  // Also repaints the window after exposure, a resize or a fullscreen switch, even while no new
  // frame comes. A handler that pumps again from inside gets nothing (no nested dispatch).
  void PumpEvents() override;
  void IdleUntil(int32_t deadline) override;
  // Copies the frame (clipped to 640 x 480; missing parts black) and shows it.
  void Present(const Surface& frame) override;
  void ShowSystemCursor(bool show) override;
  // SDL's modal box over the window. If it cannot be shown the message goes to stderr instead,
  // and the call returns at once; a stop signal closes it and returns too.
  void MessageBox(const std::string& title, const std::string& text) override;

  void ToggleFullscreen();
  bool fullscreen() const { return keeper_.fullscreen(); }
  // What to remember for the next start.
  WindowPlacement placement() const { return keeper_.Placement(); }
  SDL_Window* window() const { return window_; }
  // Repaints the last frame and reads the window's pixels back (0x00RRGGBB rows); false when the
  // renderer cannot read.
  bool ReadBack(std::vector<uint32_t>& pixels, int& width, int& height);

 private:
  // A new texture, black. (The frame lives only in the texture: a device reset that loses it shows
  // black until the next frame, a few milliseconds later in any loop.)
  void CreateTexture();
  // Copies a frame (or nothing) into the texture, clipped to 640 x 480 with missing parts black.
  void Upload(const Surface* frame);
  void Repaint();
  // Where the picture sits in output pixels; also tells the router how mouse coordinates scale.
  ViewRect PointerView();

  WindowKeeper keeper_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  // With QUANDEL_PRESENT_LOG=FILE set, the moment of every present (ms, 1 us resolution) is
  // written there at exit: how the pacing is measured on a real display.
  std::string presentLogPath_;
  std::vector<double> presentTimes_;
  EventRouter router_;
  InputSink* sink_ = nullptr;
  bool pumping_ = false;
};

}  // namespace quandel
