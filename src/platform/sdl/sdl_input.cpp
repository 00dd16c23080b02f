#include "platform/sdl/sdl_input.h"

#include <algorithm>
#include <cmath>

namespace quandel {

namespace {

// Floor division for a positive divisor.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int ToGame(int windowCoord, int viewStart, int viewSize, int gameSize, int windowSize = 1, int outputSize = 1) {
  if (viewSize <= 0) return 0;
  if (windowSize <= 0 || outputSize <= 0) windowSize = outputSize = 1;
  // The window pixel's centre, (coord + 0.5) * output / window - start, scaled to game pixels, in
  // whole numbers.
  const int64_t centre2 =
      (2 * static_cast<int64_t>(windowCoord) + 1) * outputSize - 2 * int64_t{windowSize} * viewStart;
  const int64_t g = FloorDiv(centre2 * gameSize, 2 * int64_t{windowSize} * viewSize);
  return static_cast<int>(std::clamp<int64_t>(g, 0, gameSize - 1));
}

}  // namespace

ViewRect FitPicture(int areaWidth, int areaHeight) {
  if (areaWidth <= 0 || areaHeight <= 0) return {};
  const double fit =
      std::min(static_cast<double>(areaWidth) / kGameWidth, static_cast<double>(areaHeight) / kGameHeight);
  const int whole = static_cast<int>(std::floor(fit));
  int w, h;
  if (whole >= 1 && whole >= 0.8 * fit) {
    w = kGameWidth * whole;
    h = kGameHeight * whole;
  } else {
    w = std::clamp(static_cast<int>(std::lround(kGameWidth * fit)), 1, areaWidth);
    h = std::clamp(static_cast<int>(std::lround(kGameHeight * fit)), 1, areaHeight);
  }
  return {(areaWidth - w) / 2, (areaHeight - h) / 2, w, h};
}

GamePixel WindowToGame(int wx, int wy, const ViewRect& view) {
  return {ToGame(wx, view.x, view.w, kGameWidth), ToGame(wy, view.y, view.h, kGameHeight)};
}

GamePixel WindowToGame(int wx, int wy, const ViewRect& view, const PointerScale& scale) {
  return {ToGame(wx, view.x, view.w, kGameWidth, scale.windowW, scale.outputW),
          ToGame(wy, view.y, view.h, kGameHeight, scale.windowH, scale.outputH)};
}

int16_t ModifierBits(uint16_t sdlModifiers) {
  int16_t modifiers = 0;
  if (sdlModifiers & KMOD_SHIFT) modifiers += 1;
  if (sdlModifiers & KMOD_CTRL) modifiers += 2;
  if (sdlModifiers & KMOD_ALT) modifiers += 4;
  return modifiers;
}

int16_t ButtonFromSdl(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 4;
    default: return 0;
  }
}

int16_t HeldButtonsFromSdl(uint32_t sdlButtonMask) {
  int16_t held = 0;
  if (sdlButtonMask & SDL_BUTTON_LMASK) held += 1;
  if (sdlButtonMask & SDL_BUTTON_RMASK) held += 2;
  if (sdlButtonMask & SDL_BUTTON_MMASK) held += 4;
  return held;
}

namespace {

bool IsModifierKey(int32_t k) {
  return k == SDLK_LSHIFT || k == SDLK_RSHIFT || k == SDLK_LCTRL || k == SDLK_RCTRL || k == SDLK_LALT ||
         k == SDLK_RALT || k == SDLK_LGUI || k == SDLK_RGUI || k == SDLK_MODE || k == SDLK_CAPSLOCK ||
         k == SDLK_NUMLOCKCLEAR;
}

}  // namespace

Key KeyFromSdl(int32_t sdlKey) {
  switch (sdlKey) {
    case SDLK_SPACE: return Key::kSpace;
    case SDLK_ESCAPE: return Key::kEscape;
    case SDLK_p: return Key::kP;
    case SDLK_h: return Key::kH;
    case SDLK_F1: return Key::kF1;
    case SDLK_LEFT: return Key::kLeft;
    case SDLK_RIGHT: return Key::kRight;
    case SDLK_UP: return Key::kUp;
    case SDLK_DOWN: return Key::kDown;
    case SDLK_PAGEUP: return Key::kPageUp;
    case SDLK_PAGEDOWN: return Key::kPageDown;
    case SDLK_HOME: return Key::kHome;
    case SDLK_PLUS:
    case SDLK_KP_PLUS:
    case SDLK_EQUALS: return Key::kPlus;
    case SDLK_MINUS:
    case SDLK_KP_MINUS: return Key::kMinus;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return Key::kEnter;
    default: return Key::kOther;
  }
}

WheelNotches WheelNotchesFromSdl(int32_t wheelY, uint32_t direction) {
  // Positive y is a turn away from the user unless the event says it was flipped.
  const int64_t y = direction == SDL_MOUSEWHEEL_FLIPPED ? -int64_t{wheelY} : int64_t{wheelY};
  WheelNotches n;
  if (y < 0) n.towardsUser = static_cast<int>(std::min<int64_t>(-y, INT32_MAX));
  if (y > 0) n.awayFromUser = static_cast<int>(std::min<int64_t>(y, INT32_MAX));
  return n;
}

EventRouter::WindowAction EventRouter::Route(const SDL_Event& event, const ViewRect& view, InputSink* sink) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      // SDL stamps each key event with the modifiers as they stand after it.
      modifiers_ = event.key.keysym.mod;
      if (event.key.repeat) return WindowAction::kNone;
      if (event.key.keysym.sym == SDLK_F11) {
        return event.type == SDL_KEYDOWN ? WindowAction::kToggleFullscreen : WindowAction::kNone;
      }
      // Modifier keys alone only mark mouse events.
      if (!sink || IsModifierKey(event.key.keysym.sym)) return WindowAction::kNone;
      if (event.type == SDL_KEYDOWN) {
        sink->KeyDown(KeyFromSdl(event.key.keysym.sym));
      } else {
        sink->KeyUp(KeyFromSdl(event.key.keysym.sym));
      }
      return WindowAction::kNone;

    case SDL_MOUSEMOTION: {
      if (!sink) return WindowAction::kNone;
      const GamePixel p = WindowToGame(event.motion.x, event.motion.y, view, scale_);
      sink->MouseMove(HeldButtonsFromSdl(event.motion.state), ModifierBits(modifiers_), static_cast<float>(p.x),
                      static_cast<float>(p.y));
      return WindowAction::kNone;
    }

    case SDL_MOUSEBUTTONDOWN: {
      const int16_t button = ButtonFromSdl(event.button.button);
      if (!sink || button == 0) return WindowAction::kNone;
      const GamePixel p = WindowToGame(event.button.x, event.button.y, view, scale_);
      sink->MouseDown(button, ModifierBits(modifiers_), static_cast<float>(p.x), static_cast<float>(p.y));
      return WindowAction::kNone;
    }

    case SDL_MOUSEWHEEL: {
      if (!sink) return WindowAction::kNone;
      const WheelNotches n = WheelNotchesFromSdl(event.wheel.y, event.wheel.direction);
      for (int i = 0; i < n.towardsUser; ++i) sink->WheelTowardsUser();
      for (int i = 0; i < n.awayFromUser; ++i) sink->WheelAwayFromUser();
      return WindowAction::kNone;
    }

    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: RequestClose(sink); return WindowAction::kNone;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (sink) sink->FocusChanged(event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED);
          return WindowAction::kNone;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: return WindowAction::kRedraw;
        default: return WindowAction::kNone;
      }

    case SDL_QUIT: RequestClose(sink); return WindowAction::kNone;

    case SDL_RENDER_TARGETS_RESET: return WindowAction::kRedraw;
    case SDL_RENDER_DEVICE_RESET: return WindowAction::kRebuildTexture;

    default: return WindowAction::kNone;
  }
}

void EventRouter::RequestClose(InputSink* sink) {
  // The one window's close button gives both a close event and a quit; the game hears it once.
  closePending_ = true;
  DeliverPendingClose(sink);
}

void EventRouter::DeliverPendingClose(InputSink* sink) {
  if (!closePending_ || closeSent_ || !sink) return;
  closeSent_ = true;
  sink->CloseRequested();
}

}  // namespace quandel
