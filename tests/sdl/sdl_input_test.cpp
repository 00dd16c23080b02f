#include "platform/sdl/sdl_input.h"

#include <gtest/gtest.h>

#include <cmath>

#include "recording_sink.h"

namespace quandel {
namespace {

TEST(FitPicture, WholeFactorsWhenTheyFitWellFractionalOtherwise) {
  const int cases[][6] = {
      {640, 480, 0, 0, 640, 480},
      {1920, 1080, 320, 60, 1280, 960},  // 2x of a possible 2.25x
      {3840, 2160, 640, 120, 2560, 1920},
      {1366, 768, 171, 0, 1024, 768},  // 1x would waste the screen
      {700, 500, 30, 10, 640, 480},
      {320, 480, 0, 120, 320, 240},  // smaller than the picture
      {0, 480, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const ViewRect v = FitPicture(c[0], c[1]);
    EXPECT_EQ(v.x, c[2]) << c[0] << "x" << c[1];
    EXPECT_EQ(v.y, c[3]) << c[0] << "x" << c[1];
    EXPECT_EQ(v.w, c[4]) << c[0] << "x" << c[1];
    EXPECT_EQ(v.h, c[5]) << c[0] << "x" << c[1];
  }
  for (int w = 100; w <= 2600; w += 37) {
    for (int h = 90; h <= 1700; h += 29) {
      const ViewRect v = FitPicture(w, h);
      ASSERT_GE(v.x, 0) << w << "x" << h;
      ASSERT_GE(v.y, 0) << w << "x" << h;
      ASSERT_LE(v.x + v.w, w) << w << "x" << h;
      ASSERT_LE(v.y + v.h, h) << w << "x" << h;
      ASSERT_LE(std::abs((w - v.w) - 2 * v.x), 1) << w << "x" << h;  // centred
      ASSERT_LE(std::abs((h - v.h) - 2 * v.y), 1) << w << "x" << h;
      ASSERT_LE(std::abs(v.w * 3 - v.h * 4), 4) << w << "x" << h;
      ASSERT_TRUE(v.w % kGameWidth == 0 || v.w == w || v.h == h)
          << w << "x" << h << " gave " << v.w << "x" << v.h;  // a fractional size fills one side
    }
  }
}

TEST(WindowToGame, PixelCentresMapThroughTheViewAndClamp) {
  const ViewRect two{320, 60, 1280, 960};
  // Window x, y, then the game pixel; the last two are off the window during a drag.
  const int cases[][4] = {{321, 61, 0, 0},        {322, 63, 1, 1},     {961, 541, 320, 240},
                          {1599, 1019, 639, 479}, {-500, 300, 0, 120}, {100000, 5000, 639, 479}};
  for (const auto& c : cases) {
    const GamePixel p = WindowToGame(c[0], c[1], two);
    EXPECT_EQ(p.x, c[2]) << c[0] << "," << c[1];
    EXPECT_EQ(p.y, c[3]) << c[0] << "," << c[1];
  }
  EXPECT_EQ(WindowToGame(50, 50, ViewRect{}).x, 0);

  // 1.6x: each window pixel lands on the game pixel under its centre, each game pixel gets one or two.
  const ViewRect frac{171, 0, 1024, 768};
  std::vector<int> hits(kGameWidth, 0);
  for (int wx = frac.x; wx < frac.x + frac.w; ++wx) {
    const int gx = WindowToGame(wx, 0, frac).x;
    const double centre = (wx - frac.x + 0.5) / 1.6;
    ASSERT_EQ(gx, static_cast<int>(std::floor(centre))) << wx;
    ++hits[gx];
  }
  for (int gx = 0; gx < kGameWidth; ++gx) ASSERT_TRUE(hits[gx] == 1 || hits[gx] == 2) << gx << " has " << hits[gx];

  // High density: the output has twice the window's coordinates, and `frac` is in output pixels.
  const PointerScale dense{683, 384, 1366, 768};
  for (int wx = 85; wx < 597; ++wx) {
    const int gx = WindowToGame(wx, 0, frac, dense).x;
    const double centre = ((wx + 0.5) * 2 - frac.x) / 1.6;
    ASSERT_EQ(gx, static_cast<int>(std::floor(centre))) << wx;
  }
  EXPECT_EQ(WindowToGame(682, 383, frac, dense).x, 639);
}

// What the real pointer test under Xvfb cannot produce: lock keys, side buttons, absurd wheels.
TEST(SdlTranslation, OddModifiersButtonsAndWheels) {
  EXPECT_EQ(ModifierBits(KMOD_RCTRL | KMOD_CAPS | KMOD_NUM | KMOD_GUI | KMOD_MODE), 2);  // locks don't count
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_MIDDLE), 4);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_X1), 0);
  EXPECT_EQ(HeldButtonsFromSdl(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK | SDL_BUTTON_X2MASK), 3);
  EXPECT_EQ(WheelNotchesFromSdl(2, SDL_MOUSEWHEEL_FLIPPED).towardsUser, 2);
  EXPECT_EQ(WheelNotchesFromSdl(INT32_MIN, SDL_MOUSEWHEEL_FLIPPED).awayFromUser, INT32_MAX);
}

SDL_Event Ev(uint32_t type, uint8_t windowEvent = 0) {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_WINDOWEVENT) e.window.event = windowEvent;
  return e;
}
SDL_Event Key(SDL_Keycode sym, uint16_t modAfter, uint32_t type = SDL_KEYDOWN, uint8_t repeat = 0) {
  SDL_Event e = Ev(type);
  e.key.keysym.sym = sym, e.key.keysym.mod = modAfter, e.key.repeat = repeat;
  return e;
}

TEST(EventRouter, EventsToSinkCallsAndWindowActions) {
  using Action = EventRouter::WindowAction;
  EventRouter router;
  test::RecordingSink sink;
  const ViewRect view{0, 0, 640, 480};
  router.Route(Ev(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE), view, nullptr);  // before the game listens
  EXPECT_FALSE(router.closeRequested());
  SDL_Event wheel = Ev(SDL_MOUSEWHEEL);
  for (int y : {-2, 1}) wheel.wheel.y = y, router.Route(wheel, view, &sink);
  router.DeliverPendingClose(&sink);
  router.Route(Ev(SDL_QUIT), view, &sink);
  router.Route(Ev(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE), view, &sink);
  // Modifiers are followed through the key events in the queue, not read when the queue is read.
  router.Route(Key(SDLK_LSHIFT, KMOD_LSHIFT), view, &sink);
  SDL_Event press = Ev(SDL_MOUSEBUTTONDOWN);
  press.button.button = SDL_BUTTON_RIGHT, press.button.x = 700, press.button.y = -3;
  router.Route(press, view, &sink);
  router.Route(Key(SDLK_LSHIFT, KMOD_NONE, SDL_KEYUP), view, &sink);
  SDL_Event move = Ev(SDL_MOUSEMOTION);
  move.motion.x = 12, move.motion.y = 34, move.motion.state = SDL_BUTTON_LMASK;
  router.Route(move, view, &sink);
  router.Route(Key(SDLK_LEFT, KMOD_NONE, SDL_KEYUP), view, &sink);
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"towards", "towards", "away", "close", "down 2 m1 639,0",
                                                  "move 1 m0 12,34", "up Left"}));

  EXPECT_EQ(router.Route(Key(SDLK_F11, KMOD_NONE, SDL_KEYDOWN, 1), view, &sink), Action::kNone);  // key repeat
  EXPECT_EQ(router.Route(Key(SDLK_F11, KMOD_NONE, SDL_KEYUP), view, &sink), Action::kNone);
  EXPECT_EQ(router.Route(Ev(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED), view, &sink), Action::kRedraw);
  EXPECT_EQ(router.Route(Ev(SDL_RENDER_DEVICE_RESET), view, &sink), Action::kRebuildTexture);
}

}  // namespace
}  // namespace quandel
