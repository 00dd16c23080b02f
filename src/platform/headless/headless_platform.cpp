#include "platform/headless/headless_platform.h"

namespace quandel {

namespace {
// a - b on a wrapping 32-bit clock.
int32_t Diff(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int32_t Add(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
}  // namespace

bool HeadlessPlatform::Due(const ScriptedEvent& e) const {
  switch (e.when) {
    case ScriptedEvent::When::kNow: return true;
    case ScriptedEvent::When::kClock: return Diff(clock_, e.at) >= 0;
    case ScriptedEvent::When::kFrame: {
      if (!frameProbe_) return false;
      const auto frame = frameProbe_();
      return frame && *frame >= e.at;
    }
  }
  return false;
}

void HeadlessPlatform::Dispatch(const ScriptedEvent& e) {
  if (!sink_) return;
  switch (e.kind) {
    case ScriptedEvent::Kind::kMove: sink_->MouseMove(0, e.modifiers, e.x, e.y); break;
    case ScriptedEvent::Kind::kDown: sink_->MouseDown(e.button, e.modifiers, e.x, e.y); break;
    case ScriptedEvent::Kind::kWheelTowards: sink_->WheelTowardsUser(); break;
    case ScriptedEvent::Kind::kWheelAway: sink_->WheelAwayFromUser(); break;
    case ScriptedEvent::Kind::kClose: sink_->CloseRequested(); break;
    case ScriptedEvent::Kind::kKey: sink_->KeyDown(e.key); break;
    case ScriptedEvent::Kind::kKeyUp: sink_->KeyUp(e.key); break;
    case ScriptedEvent::Kind::kFocus: sink_->FocusChanged(e.focusGained); break;
  }
}

void HeadlessPlatform::PumpEvents() {
  ++pumps_;
  // Every event that is due, in the order it was scripted; one that is not due yet holds back
  // nothing but itself.
  for (size_t i = 0; i < events_.size();) {
    if (!Due(events_[i])) {
      ++i;
      continue;
    }
    const ScriptedEvent e = events_[i];
    events_.erase(events_.begin() + static_cast<std::ptrdiff_t>(i));
    Dispatch(e);
  }
}

void HeadlessPlatform::IdleUntil(int32_t deadline) {
  int32_t target = Diff(deadline, clock_) > 0 ? deadline : Add(clock_, 1);
  // Wake early for a clock-timed event, as a real event queue would.
  for (const ScriptedEvent& e : events_) {
    if (e.when == ScriptedEvent::When::kClock && Diff(e.at, clock_) > 0 && Diff(target, e.at) > 0) target = e.at;
  }
  clock_ = target;
}

void HeadlessPlatform::Present(const Surface& frame) {
  ++presented_;
  clock_ = Add(clock_, presentCost_);
  if (presentHook_) presentHook_(frame);
}

void HeadlessPlatform::MessageBox(const std::string& title, const std::string& text) {
  messageBoxes_.push_back(title + ": " + text);
}

}  // namespace quandel
