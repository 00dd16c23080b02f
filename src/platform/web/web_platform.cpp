#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/surface.h"

// The page's half (main/web/page_lib.js).
extern "C" {
void qw_init();
int qw_next_event(int32_t* out);
void qw_wait(double ms);
void qw_present(const uint8_t* rgba);
void qw_cursor(int show);
void qw_message_box(const char* title, const char* text);
char* qw_take_watch();
void qw_tell_focus();
}

namespace quandel {

namespace {

constexpr int kFrameWidth = 640, kFrameHeight = 480;

// What page.js queues, with up to four numbers each.
enum EventKind { kMove = 1, kDown, kWheelTowards, kWheelAway, kKeyDown, kFocus, kWatch, kKeyUp };

}  // namespace

WebPlatform::WebPlatform() : rgba_(static_cast<size_t>(kFrameWidth) * kFrameHeight * 4, 0) {
  for (size_t i = 3; i < rgba_.size(); i += 4) rgba_[i] = 255;
  qw_init();
}

namespace {

// Whole milliseconds, wrapping like the window's tick counter.
int32_t TickAt(double now) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(std::floor(now))));
}

}  // namespace

void WebPlatform::SetInputSink(InputSink* sink) {
  sink_ = sink;
  if (sink) qw_tell_focus();
}

int32_t WebPlatform::Clock() { return TickAt(emscripten_get_now()); }

void WebPlatform::PumpEvents() {
  int32_t e[5];
  while (qw_next_event(e)) {
    if (!sink_) continue;
    const auto x = static_cast<float>(e[3]), y = static_cast<float>(e[4]);
    const auto a = static_cast<int16_t>(e[1]), b = static_cast<int16_t>(e[2]);
    switch (e[0]) {
      case kMove: sink_->MouseMove(a, b, x, y); break;
      case kDown: sink_->MouseDown(a, b, x, y); break;
      case kWheelTowards: sink_->WheelTowardsUser(); break;
      case kWheelAway: sink_->WheelAwayFromUser(); break;
      case kKeyDown: sink_->KeyDown(static_cast<Key>(e[1])); break;
      case kFocus: sink_->FocusChanged(e[1] != 0); break;
      case kWatch: sink_->CloseRequested(); break;
      case kKeyUp: sink_->KeyUp(static_cast<Key>(e[1])); break;
      default: break;
    }
  }
  if (yieldHook_) yieldHook_();
}

void WebPlatform::IdleUntil(int32_t deadline) {
  // To the moment the clock turns to `deadline`: waking a millisecond late would lose that
  // millisecond from the frame cadence.
  const double now = emscripten_get_now();
  const int32_t whole = static_cast<int32_t>(static_cast<uint32_t>(deadline) - static_cast<uint32_t>(TickAt(now)));
  qw_wait(std::clamp(whole - (now - std::floor(now)), 0.0, 1000.0));
}

void WebPlatform::Present(const Surface& frame) {
  // 0x00RRGGBB pixels into the canvas's RGBA bytes, clipped to 640 x 480, missing parts black.
  const int w = std::clamp(frame.width(), 0, kFrameWidth), h = std::clamp(frame.height(), 0, kFrameHeight);
  for (int y = 0; y < kFrameHeight; ++y) {
    uint8_t* out = rgba_.data() + static_cast<size_t>(y) * kFrameWidth * 4;
    const uint32_t* in = y < h ? frame.pixels() + static_cast<size_t>(y) * frame.width() : nullptr;
    for (int x = 0; x < kFrameWidth; ++x, out += 4) {
      const uint32_t p = in && x < w ? static_cast<uint32_t>(in[x]) : 0u;
      out[0] = static_cast<uint8_t>(p >> 16);
      out[1] = static_cast<uint8_t>(p >> 8);
      out[2] = static_cast<uint8_t>(p);
    }
  }
  qw_present(rgba_.data());
}

void WebPlatform::ShowSystemCursor(bool show) { qw_cursor(show ? 1 : 0); }

void WebPlatform::MessageBox(const std::string& title, const std::string& text) {
  qw_message_box(title.c_str(), text.c_str());
}

std::string WebPlatform::TakeWatchRequest() {
  char* path = qw_take_watch();
  if (!path) return {};
  std::string taken = path;
  std::free(path);
  return taken;
}

}  // namespace quandel
