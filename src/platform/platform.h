// The outside world as the game loops see it: a millisecond clock, the event queue, the screen
// and a modal message box. (Sound goes its own way: the sound layer over a MixerPort.) The SDL backend and the headless
// backend implement it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quandel {

class Surface;

// The keys the game answers to; every other key is kOther.
enum class Key {
  kOther,
  kSpace,
  kEscape,
  kP,
  kH,
  kF1,
  kLeft,
  kRight,
  kUp,
  kDown,
  kPageUp,
  kPageDown,
  kHome,
  kPlus,
  kMinus,
  kEnter
};

// Receives the window's events while a loop yields. Live mouse events carry the modifier bits
// (Shift 1 + Ctrl 2 + Alt 4); wheel notches always carry 0.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void MouseMove(int16_t button, int16_t modifiers, float x, float y) = 0;
  virtual void MouseDown(int16_t button, int16_t modifiers, float x, float y) = 0;
  virtual void WheelTowardsUser() = 0;
  virtual void WheelAwayFromUser() = 0;
  virtual void CloseRequested() = 0;
  // A key pressed (not a repeat); modifiers are ignored.
  virtual void KeyDown(Key /*key*/) {}
  // A key let go, after its KeyDown (a tap and a hold differ by the time between them).
  virtual void KeyUp(Key /*key*/) {}
  // The window gained (true) or lost (false) the keyboard focus.
  virtual void FocusChanged(bool /*gained*/) {}
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Where yielded events go. Set once by the window object.
  virtual void SetInputSink(InputSink* sink) = 0;

  // Milliseconds, 32-bit, wrapping like any tick counter.
  virtual int32_t Clock() = 0;
  // Dispatch every pending event to the sink, then return.
  virtual void PumpEvents() = 0;
  // Idle until an event is pending or the clock is close to `deadline`; may return early.
  virtual void IdleUntil(int32_t deadline) = 0;

  // Show a finished 640 x 480 frame.
  virtual void Present(const Surface& frame) = 0;
  // Show or hide the system pointer (the game draws its own cursor during a play).
  virtual void ShowSystemCursor(bool /*show*/) {}

  // Modal message with an OK button; returns when dismissed.
  virtual void MessageBox(const std::string& title, const std::string& text) = 0;
};

}  // namespace quandel
