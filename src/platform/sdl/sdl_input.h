// The window-independent half of the SDL backend: where the 640 x 480 picture sits in a window of
// any size, how window positions map back to game pixels, and how SDL's events become calls of the
// game's input sink. Nothing here needs a display, so all of it is tested without one.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

namespace quandel {

inline constexpr int kGameWidth = 640;
inline constexpr int kGameHeight = 480;

// A rectangle in window (or output) pixels.
struct ViewRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// Where the picture goes in an area of areaWidth x areaHeight pixels, centred, aspect kept.
// A whole scale factor is used when one fits and gives at least 80 % of the largest fitting size
// (so 1920 x 1080 shows a crisp 2x picture with bars); otherwise, and when the area is smaller
// than the picture, the largest fractional size that fits (1366 x 768 gets 1024 x 768 rather
// than a small 1x picture). An empty area gives an empty rectangle.
ViewRect FitPicture(int areaWidth, int areaHeight);

struct GamePixel {
  int x = 0, y = 0;
};

// The game pixel under window pixel (wx, wy) when the picture occupies `view`: the pixel whose
// scaled footprint holds the window pixel's centre, clamped to 0..639 x 0..479. A drag can carry
// the pointer outside the window, and the replay file can only hold positions from 0 to 999.99,
// so the game must never see a position off its picture or between pixels.
GamePixel WindowToGame(int wx, int wy, const ViewRect& view);

// Window coordinates (the mouse's) against output pixels: the same on most displays; on a
// high-density one the window is drawn with more pixels than it has coordinates.
struct PointerScale {
  int windowW = 1, windowH = 1, outputW = 1, outputH = 1;
};
// The same when `view` is in output pixels: the window pixel's centre is scaled to the output first.
GamePixel WindowToGame(int wx, int wy, const ViewRect& view, const PointerScale& scale);

// The modifier bits of a live mouse event: Shift 1 + Ctrl 2 + Alt 4.
int16_t ModifierBits(uint16_t sdlModifiers);
// A pressed button as the handlers number it (1 left, 2 right, 4 middle); 0 for the side buttons,
// which the game never sees.
int16_t ButtonFromSdl(uint8_t sdlButton);
// The buttons held during a move, as a sum of the same numbers.
int16_t HeldButtonsFromSdl(uint32_t sdlButtonMask);

// The game's name for an SDL key.
Key KeyFromSdl(int32_t sdlKey);

// Wheel notches of one SDL wheel event, split by direction as the player turned the wheel
// (a "flipped" event reports its values negated).
struct WheelNotches {
  int towardsUser = 0;
  int awayFromUser = 0;
};
WheelNotches WheelNotchesFromSdl(int32_t wheelY, uint32_t direction);

// Turns SDL events into calls of the input sink and tells the window what else an event needs.
// It follows the keyboard modifiers through the key events in the queue, so a click is marked
// with the keys held at the click even when they were released before the queue was read.
class EventRouter {
 public:
  enum class WindowAction { kNone, kRedraw, kToggleFullscreen, kRebuildTexture };

  explicit EventRouter(uint16_t modifiers = 0) : modifiers_(modifiers) {}

  // `view`: where the picture sits, in output pixels (see SetPointerScale). `sink` may be null.
  WindowAction Route(const SDL_Event& event, const ViewRect& view, InputSink* sink);
  // How mouse coordinates scale to output pixels; one to one until set.
  void SetPointerScale(const PointerScale& scale) { scale_ = scale; }

  // A close that came while no sink was attached reaches the sink here, once.
  void DeliverPendingClose(InputSink* sink);

  uint16_t modifiers() const { return modifiers_; }
  bool closeRequested() const { return closeSent_; }

 private:
  void RequestClose(InputSink* sink);

  uint16_t modifiers_;
  PointerScale scale_;
  bool closePending_ = false;
  bool closeSent_ = false;
};

}  // namespace quandel
