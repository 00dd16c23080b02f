#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/message_box.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/signals.h"
#include "platform/sdl/video_driver.h"
#include "platform/surface.h"
#include "platform/uptime_clock.h"

namespace quandel {

namespace {
constexpr uint32_t kInitFlags = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER;
}  // namespace

SdlPlatform::SdlPlatform(const std::optional<WindowPlacement>& placement) {
  if (const char* log = std::getenv("QUANDEL_PRESENT_LOG")) presentLogPath_ = log;
  // Nearest-neighbour scaling keeps the pixels sharp; a minimised window on focus loss would
  // only surprise a player who glances at another screen in fullscreen.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  AllowOnlyVisibleVideoDrivers();
  if (SDL_InitSubSystem(kInitFlags) != 0) throw SdlError(std::string("no display could be opened: ") + SDL_GetError());
  InstallStopSignals();

  window_ = keeper_.Open("Quandel", placement, kGameWidth / 4, kGameHeight / 4);
  if (window_) renderer_ = CreateGameRenderer(window_);
  if (renderer_) CreateTexture();
  if (!texture_) {
    const std::string why = SDL_GetError();
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(kInitFlags);
    throw SdlError("cannot open the game window: " + why);
  }
  // The game reads no text; keep input methods out of the way.
  SDL_StopTextInput();
  router_ = EventRouter(static_cast<uint16_t>(SDL_GetModState()));
  Repaint();
  SDL_RenderPresent(renderer_);
  keeper_.Restore();
}

SdlPlatform::~SdlPlatform() {
  if (!presentLogPath_.empty()) {
    if (FILE* f = std::fopen(presentLogPath_.c_str(), "w")) {
      for (double t : presentTimes_) std::fprintf(f, "%.3f\n", t);
      std::fclose(f);
    }
  }
  if (texture_) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(kInitFlags);
}

void SdlPlatform::CreateTexture() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, kGameWidth, kGameHeight);
  if (!texture_) return;
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  Upload(nullptr);  // black until the next frame
}

void SdlPlatform::Upload(const Surface* frame) {
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return;
  const int w = frame ? std::clamp(frame->width(), 0, kGameWidth) : 0;
  const int h = frame ? std::clamp(frame->height(), 0, kGameHeight) : 0;
  for (int y = 0; y < kGameHeight; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * pitch);
    const int copied = y < h ? w : 0;
    if (copied > 0)
      std::memcpy(row, frame->pixels() + static_cast<size_t>(y) * frame->width(), static_cast<size_t>(copied) * 4);
    std::fill(row + copied, row + kGameWidth, 0u);
  }
  SDL_UnlockTexture(texture_);
}

void SdlPlatform::Repaint() {
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) SDL_GetWindowSize(window_, &w, &h);
  const ViewRect v = FitPicture(w, h);
  // Black bars around the picture only: clearing the whole window first would write every pixel
  // of it twice.
  const SDL_Rect bars[4] = {
      {0, 0, w, v.y}, {0, v.y + v.h, w, h - v.y - v.h}, {0, v.y, v.x, v.h}, {v.x + v.w, v.y, w - v.x - v.w, v.h}};
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderFillRects(renderer_, bars, 4);
  const SDL_Rect dst{v.x, v.y, v.w, v.h};
  if (texture_) SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
}

ViewRect SdlPlatform::PointerView() {
  PointerScale scale;
  SDL_GetWindowSize(window_, &scale.windowW, &scale.windowH);
  if (SDL_GetRendererOutputSize(renderer_, &scale.outputW, &scale.outputH) != 0) {
    scale.outputW = scale.windowW;
    scale.outputH = scale.windowH;
  }
  router_.SetPointerScale(scale);
  return FitPicture(scale.outputW, scale.outputH);
}

int32_t SdlPlatform::Clock() { return TickOf(UptimeNanoseconds()); }

void SdlPlatform::PumpEvents() {
  if (pumping_) return;
  pumping_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{pumping_};
  router_.DeliverPendingClose(sink_);
  if (TakeStopSignal()) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }

  ViewRect view = PointerView();
  bool repaint = false;
  // Everything queued by now, in one go. (A polling loop would stop at the marker SDL leaves in
  // the queue when IdleUntil looked at it, and events behind it would wait for the next pump.)
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    switch (router_.Route(event, view, sink_)) {
      case EventRouter::WindowAction::kNone: break;
      case EventRouter::WindowAction::kRedraw: repaint = true; break;
      case EventRouter::WindowAction::kToggleFullscreen:
        ToggleFullscreen();
        view = PointerView();
        break;
      case EventRouter::WindowAction::kRebuildTexture:
        CreateTexture();
        repaint = true;
        break;
    }
  }
  if (repaint) {
    Repaint();
    SDL_RenderPresent(renderer_);
  }
}

void SdlPlatform::IdleUntil(int32_t deadline) {
  const IdlePlan plan = PlanIdle(deadline, UptimeNanoseconds());
  // Sleeps until an event arrives or the time is up, leaving the event queued for PumpEvents. The
  // last stretch is one timed sleep onto the tick: polling the display connection until the clock
  // turned cost a third of the game's processor time.
  if (plan.queueWaitMs > 0) {
    SDL_WaitEventTimeout(nullptr, plan.queueWaitMs);
  } else {
    SleepUntilUptime(plan.sleepUntilNs);
  }
}

void SdlPlatform::Present(const Surface& frame) {
  Upload(&frame);
  Repaint();
  SDL_RenderPresent(renderer_);
  if (!presentLogPath_.empty()) {
    presentTimes_.push_back(1000.0 * static_cast<double>(SDL_GetPerformanceCounter()) /
                            static_cast<double>(SDL_GetPerformanceFrequency()));
  }
}

void SdlPlatform::ShowSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void SdlPlatform::MessageBox(const std::string& title, const std::string& text) {
  if (ShowMessageBoxUntilStopped(title.c_str(), text.c_str(), window_) == BoxResult::kUnavailable) {
    // No message system (for instance no X core fonts): the player must still learn what happened.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
  }
}

void SdlPlatform::ToggleFullscreen() {
  keeper_.Toggle();
  Repaint();
  SDL_RenderPresent(renderer_);
}

bool SdlPlatform::ReadBack(std::vector<uint32_t>& pixels, int& width, int& height) {
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width <= 0 || height <= 0) return false;
  pixels.assign(static_cast<size_t>(width) * height, 0);
  Repaint();
  const bool ok = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4) == 0;
  SDL_RenderPresent(renderer_);
  return ok;
}

}  // namespace quandel
