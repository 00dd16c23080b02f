// The game in a web page: the 640 x 480 frame on the page's canvas, the page's mouse, touch, wheel,
// key and focus events handed to the input sink while a loop yields, performance.now() as the
// clock, waits that hand the page back to the browser (Asyncify), and the page's own dialog as the
// message box. The JavaScript half lives in main/web (page.js and page_lib.js).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quandel {

class WebPlatform : public Platform {
 public:
  WebPlatform();

  // A new sink hears whether the page has the focus.
  void SetInputSink(InputSink* sink) override;
  int32_t Clock() override;
  void PumpEvents() override;
  // Suspends until an event arrives, the next animation frame or the deadline, whichever comes
  // first; the browser runs meanwhile.
  void IdleUntil(int32_t deadline) override;
  void Present(const Surface& frame) override;
  void ShowSystemCursor(bool show) override;
  // The page's dialog over the canvas; returns when OK is pressed.
  void MessageBox(const std::string& title, const std::string& text) override;

  // A replay file the page asked to watch ("" when none). The page asks only on the title screen;
  // the platform then tells the sink the window closes, so the title loop returns.
  std::string TakeWatchRequest();
  // Called after each pump of events, between the game's frames.
  void SetYieldHook(std::function<void()> hook) { yieldHook_ = std::move(hook); }

 private:
  InputSink* sink_ = nullptr;
  std::vector<uint8_t> rgba_;
  std::function<void()> yieldHook_;
};

}  // namespace quandel
