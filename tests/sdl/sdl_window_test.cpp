// The real window: skipped without a display; under ctest's private Xvfb a window must open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/sdl/sdl_platform.h"
#include "platform/surface.h"
#include "recording_sink.h"

namespace quandel {
namespace {

// A different colour for every pixel of the picture, none of them black.
uint32_t PatternPixel(int x, int y) {
  return (static_cast<uint32_t>(x & 0xFF) << 16) | (static_cast<uint32_t>(y & 0xFF) << 8) | 0x80u |
         (static_cast<uint32_t>(x >> 8) << 4) | static_cast<uint32_t>(y >> 8);
}

bool OwnXServer() { return std::getenv("QUANDEL_REQUIRE_DISPLAY") != nullptr; }

class SdlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OwnXServer() && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) GTEST_SKIP() << "no display";
    try {
      platform_ = std::make_unique<SdlPlatform>();
    } catch (const SdlError& e) {
      if (OwnXServer()) FAIL() << e.what();
      GTEST_SKIP() << e.what();
    }
    SDL_SetWindowPosition(platform_->window(), 0, 0);
    PumpFor(100);
  }
  void PumpFor(int ms) {
    for (const uint32_t until = SDL_GetTicks() + static_cast<uint32_t>(ms);
         static_cast<int32_t>(until - SDL_GetTicks()) > 0; SDL_Delay(5))
      platform_->PumpEvents();
  }
  std::unique_ptr<SdlPlatform> platform_;
};

// Every pixel read back is letterbox black or the frame's pixel under its centre (either, on an edge).
void ExpectPictureShown(SdlPlatform& platform, int wantWidth, int wantHeight) {
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(platform.ReadBack(px, w, h)) << SDL_GetError();
  ASSERT_EQ(w, wantWidth);
  ASSERT_EQ(h, wantHeight);
  const ViewRect v = FitPicture(w, h);
  auto under = [](int o, int start, int size, int game, int out[2]) {
    const int64_t n = (2 * int64_t{o - start} + 1) * game, d = 2 * int64_t{size};
    out[0] = static_cast<int>(n / d);
    out[1] = n % d == 0 && out[0] > 0 ? out[0] - 1 : out[0];
  };
  int bad = 0;
  for (int oy = 0; oy < h; ++oy) {
    for (int ox = 0; ox < w; ++ox) {
      const uint32_t got = px[static_cast<size_t>(oy) * w + ox] & 0xFFFFFFu;
      bool ok = got == 0;
      if (ox >= v.x && ox < v.x + v.w && oy >= v.y && oy < v.y + v.h) {
        int cx[2], cy[2];
        under(ox, v.x, v.w, kGameWidth, cx);
        under(oy, v.y, v.h, kGameHeight, cy);
        for (int i = 0; i < 4; ++i) ok = ok || got == PatternPixel(cx[i & 1], cy[i >> 1]);
      }
      if (!ok && bad++ < 3)
        ADD_FAILURE() << w << "x" << h << ": pixel " << ox << "," << oy << " is " << std::hex << got;
    }
  }
}

TEST_F(SdlWindow, ShowsTheFrameSharpAtEveryWindowSize) {
  Surface frame(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) frame.SetPixelV(x, y, PixelToColour(PatternPixel(x, y)));
  platform_->Present(frame);
  ExpectPictureShown(*platform_, 640, 480);
  // 2x, 1.5x with side bars, 1x with bars all round; the last frame stays up with no new one.
  for (const auto& s : {std::pair{1280, 960}, std::pair{1000, 720}, std::pair{700, 500}}) {
    SDL_SetWindowSize(platform_->window(), s.first, s.second);
    PumpFor(150);
    ExpectPictureShown(*platform_, s.first, s.second);
  }
}

TEST_F(SdlWindow, RealPointerKeysAndWheel) {
  if (!OwnXServer() || std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "needs xdotool and own X";
  test::RecordingSink sink;
  platform_->SetInputSink(&sink);
  ASSERT_EQ(std::system("xdotool mousemove 100 50 keydown shift click 1 keyup shift keydown ctrl keydown alt click 3 "
                        "keyup alt keyup ctrl"
                        " click 5 click 4 click 4 mousedown 1 mousemove 900 700 sleep 0.05 mouseup 1"),
            0);
  PumpFor(200);
  auto seen = [&](const char* call) { return std::count(sink.calls.begin(), sink.calls.end(), call); };
  EXPECT_GE(seen("move 0 m0 100,50"), 1);
  const std::vector<long> counts{seen("down 1 m1 100,50"), seen("down 2 m6 100,50"), seen("towards"), seen("away")};
  EXPECT_EQ(counts, (std::vector<long>{1, 1, 1, 2})) << ::testing::PrintToString(sink.calls);
  EXPECT_GE(seen("move 1 m0 639,479"), 1);  // the drag left the window
}

}  // namespace
}  // namespace quandel
