// A platform without a window: a virtual clock that advances when the game waits, a scripted
// queue of input events, and a log of what was sent to the message box.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quandel {

struct ScriptedEvent {
  enum class Kind { kMove, kDown, kWheelTowards, kWheelAway, kClose, kKey, kKeyUp, kFocus };
  enum class When { kNow, kClock, kFrame };

  Kind kind = Kind::kMove;
  When when = When::kNow;
  int32_t at = 0;         // clock reading, or the frameNo seen while the loop yields
  int16_t button = 0;     // 1 left, 2 right
  int16_t modifiers = 0;  // Shift 1 + Ctrl 2 + Alt 4
  float x = 0, y = 0;
  Key key = Key::kOther;     // kKey, kKeyUp
  bool focusGained = false;  // kFocus

  static ScriptedEvent Move(float x, float y, int16_t modifiers = 0) {
    return {Kind::kMove, When::kNow, 0, 0, modifiers, x, y};
  }
  static ScriptedEvent Down(int16_t button, float x, float y, int16_t modifiers = 0) {
    return {Kind::kDown, When::kNow, 0, button, modifiers, x, y};
  }
  static ScriptedEvent WheelTowards() { return {Kind::kWheelTowards}; }
  static ScriptedEvent WheelAway() { return {Kind::kWheelAway}; }
  static ScriptedEvent Close() { return {Kind::kClose}; }
  static ScriptedEvent KeyPress(Key k) { return {Kind::kKey, When::kNow, 0, 0, 0, 0, 0, k}; }
  static ScriptedEvent KeyRelease(Key k) { return {Kind::kKeyUp, When::kNow, 0, 0, 0, 0, 0, k}; }
  static ScriptedEvent Focus(bool gained) { return {Kind::kFocus, When::kNow, 0, 0, 0, 0, 0, Key::kOther, gained}; }
  ScriptedEvent AtFrame(int32_t frame) const {
    ScriptedEvent e = *this;
    e.when = When::kFrame;
    e.at = frame;
    return e;
  }
  ScriptedEvent AtClock(int32_t ms) const {
    ScriptedEvent e = *this;
    e.when = When::kClock;
    e.at = ms;
    return e;
  }
};

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(int32_t startClock = 100000) : clock_(startClock) {}

  // Each event is delivered at the first yield at which it is due; due events keep script order.
  void Script(ScriptedEvent event) { events_.push_back(event); }
  bool ScriptDone() const { return events_.empty(); }
  // Tells frame-timed events which frame the game is in; without it they never arrive.
  void SetFrameProbe(std::function<std::optional<int32_t>()> probe) { frameProbe_ = std::move(probe); }
  // Simulated cost of presenting a frame, in milliseconds of virtual time.
  void SetPresentCost(int32_t ms) { presentCost_ = ms; }
  void SetPresentHook(std::function<void(const Surface&)> hook) { presentHook_ = std::move(hook); }
  // Sets the clock reading, e.g. to stand for a machine that has been up for weeks.
  void SetClock(int32_t ms) { clock_ = ms; }
  void Advance(int32_t ms) { clock_ = static_cast<int32_t>(static_cast<uint32_t>(clock_) + static_cast<uint32_t>(ms)); }

  const std::vector<std::string>& messageBoxes() const { return messageBoxes_; }
  int presentedFrames() const { return presented_; }
  int pumps() const { return pumps_; }

  void SetInputSink(InputSink* sink) override { sink_ = sink; }
  int32_t Clock() override { return clock_; }
  void PumpEvents() override;
  void IdleUntil(int32_t deadline) override;
  void Present(const Surface& frame) override;
  void MessageBox(const std::string& title, const std::string& text) override;

 private:
  bool Due(const ScriptedEvent& e) const;
  void Dispatch(const ScriptedEvent& e);

  int32_t clock_;
  InputSink* sink_ = nullptr;
  std::deque<ScriptedEvent> events_;
  std::function<std::optional<int32_t>()> frameProbe_;
  std::function<void(const Surface&)> presentHook_;
  int32_t presentCost_ = 0;
  std::vector<std::string> messageBoxes_;
  int presented_ = 0;
  int pumps_ = 0;
};

}  // namespace quandel
