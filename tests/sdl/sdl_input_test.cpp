#include "platform/sdl/sdl_input.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "recording_sink.h"

namespace quandel {
namespace {

bool SameRect(const ViewRect& a, const ViewRect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

TEST(FitPicture, WholeFactorsWhenTheyFitWellFractionalOtherwise) {
  struct Case {
    int w, h;
    ViewRect want;
  } cases[] = {
      {640, 480, {0, 0, 640, 480}},
      {1280, 960, {0, 0, 1280, 960}},
      {1920, 1080, {320, 60, 1280, 960}},    // 2x of a possible 2.25x: sharp, with bars
      {3840, 2160, {640, 120, 2560, 1920}},  // 4x of 4.5x
      {1366, 768, {171, 0, 1024, 768}},      // 1x would waste most of the screen: 1.6x
      {1000, 720, {20, 0, 960, 720}},
      {700, 500, {30, 10, 640, 480}},
      {800, 480, {80, 0, 640, 480}},
      {320, 480, {0, 120, 320, 240}},        // smaller than the picture: shrink
      {0, 480, {0, 0, 0, 0}},
      {-5, -5, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const ViewRect got = FitPicture(c.w, c.h);
    EXPECT_TRUE(SameRect(got, c.want)) << c.w << "x" << c.h << " gave " << got.x << "," << got.y << " " << got.w << "x"
                                       << got.h;
  }
}

TEST(FitPicture, StaysInsideCentredAndFourByThree) {
  for (int w = 100; w <= 2600; w += 37) {
    for (int h = 90; h <= 1700; h += 29) {
      const ViewRect v = FitPicture(w, h);
      ASSERT_GE(v.x, 0);
      ASSERT_GE(v.y, 0);
      ASSERT_LE(v.x + v.w, w);
      ASSERT_LE(v.y + v.h, h);
      ASSERT_LE(std::abs((w - v.w) - 2 * v.x), 1) << w << "x" << h;
      ASSERT_LE(std::abs((h - v.h) - 2 * v.y), 1) << w << "x" << h;
      ASSERT_LE(std::abs(v.w * 3 - v.h * 4), 4) << w << "x" << h;
      // One side touches the area unless a whole factor was chosen.
      if (v.w % kGameWidth != 0) {
        ASSERT_TRUE(v.w == w || v.h == h) << w << "x" << h;
      }
    }
  }
}

TEST(WindowToGame, MapsPixelCentresThroughTheView) {
  const ViewRect one{0, 0, 640, 480};
  EXPECT_EQ(WindowToGame(0, 0, one).x, 0);
  EXPECT_EQ(WindowToGame(639, 479, one).x, 639);
  EXPECT_EQ(WindowToGame(639, 479, one).y, 479);
  EXPECT_EQ(WindowToGame(17, 300, one).y, 300);

  const ViewRect two{320, 60, 1280, 960};
  EXPECT_EQ(WindowToGame(320, 60, two).x, 0);
  EXPECT_EQ(WindowToGame(321, 61, two).y, 0);
  EXPECT_EQ(WindowToGame(322, 62, two).x, 1);
  EXPECT_EQ(WindowToGame(322, 62, two).y, 1);
  EXPECT_EQ(WindowToGame(320 + 641, 60 + 481, two).x, 320);
  EXPECT_EQ(WindowToGame(1599, 1019, two).y, 479);

  // 1.6x: every window pixel of the view lands on the game pixel whose footprint holds its
  // centre, the mapping never goes backwards, and each game pixel gets one or two window pixels.
  const ViewRect frac{171, 0, 1024, 768};
  std::vector<int> hits(kGameWidth, 0);
  int last = 0;
  for (int wx = frac.x; wx < frac.x + frac.w; ++wx) {
    const int gx = WindowToGame(wx, 0, frac).x;
    const double centre = (wx - frac.x + 0.5) / 1.6;
    ASSERT_GE(centre, gx);
    ASSERT_LT(centre, gx + 1);
    ASSERT_GE(gx, last);
    last = gx;
    ++hits[gx];
  }
  for (int gx = 0; gx < kGameWidth; ++gx) ASSERT_TRUE(hits[gx] == 1 || hits[gx] == 2) << gx;
}

TEST(WindowToGame, ClampsPositionsOffThePicture) {
  const ViewRect two{320, 60, 1280, 960};
  const GamePixel farTopLeft = WindowToGame(-500, -3, two);
  EXPECT_EQ(farTopLeft.x, 0);
  EXPECT_EQ(farTopLeft.y, 0);
  const GamePixel inLeftBar = WindowToGame(100, 300, two);
  EXPECT_EQ(inLeftBar.x, 0);
  EXPECT_EQ(inLeftBar.y, 120);
  const GamePixel farBottomRight = WindowToGame(100000, 5000, two);
  EXPECT_EQ(farBottomRight.x, 639);
  EXPECT_EQ(farBottomRight.y, 479);
  const GamePixel empty = WindowToGame(50, 50, ViewRect{});
  EXPECT_EQ(empty.x, 0);
  EXPECT_EQ(empty.y, 0);
}

TEST(SdlTranslation, MarkersButtonsAndWheel) {
  EXPECT_EQ(MarkerFromModifiers(KMOD_NONE), 0);
  EXPECT_EQ(MarkerFromModifiers(KMOD_LSHIFT), 1);
  EXPECT_EQ(MarkerFromModifiers(KMOD_RSHIFT), 1);
  EXPECT_EQ(MarkerFromModifiers(KMOD_RCTRL), 2);
  EXPECT_EQ(MarkerFromModifiers(KMOD_LALT), 4);
  EXPECT_EQ(MarkerFromModifiers(KMOD_LSHIFT | KMOD_RSHIFT | KMOD_LCTRL | KMOD_RALT), 7);
  // Lock keys and the system key are no part of the marker.
  EXPECT_EQ(MarkerFromModifiers(KMOD_CAPS | KMOD_NUM | KMOD_GUI | KMOD_MODE), 0);

  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_LEFT), 1);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_RIGHT), 2);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_MIDDLE), 4);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_X1), 0);
  EXPECT_EQ(HeldButtonsFromSdl(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK), 3);
  EXPECT_EQ(HeldButtonsFromSdl(SDL_BUTTON_MMASK | SDL_BUTTON_X2MASK), 4);

  EXPECT_EQ(WheelNotchesFromSdl(-1, SDL_MOUSEWHEEL_NORMAL).towardsUser, 1);
  EXPECT_EQ(WheelNotchesFromSdl(-1, SDL_MOUSEWHEEL_NORMAL).awayFromUser, 0);
  EXPECT_EQ(WheelNotchesFromSdl(3, SDL_MOUSEWHEEL_NORMAL).awayFromUser, 3);
  EXPECT_EQ(WheelNotchesFromSdl(2, SDL_MOUSEWHEEL_FLIPPED).towardsUser, 2);
  EXPECT_EQ(WheelNotchesFromSdl(2, SDL_MOUSEWHEEL_FLIPPED).awayFromUser, 0);
  const WheelNotches none = WheelNotchesFromSdl(0, SDL_MOUSEWHEEL_FLIPPED);
  EXPECT_EQ(none.towardsUser + none.awayFromUser, 0);
  EXPECT_EQ(WheelNotchesFromSdl(INT32_MIN, SDL_MOUSEWHEEL_FLIPPED).awayFromUser, INT32_MAX);
}

TEST(IdleTimeout, WakesTwoTicksEarlyAndSpinsTheLast) {
  EXPECT_EQ(IdleTimeoutMs(17), 15);
  EXPECT_EQ(IdleTimeoutMs(3), 1);
  EXPECT_EQ(IdleTimeoutMs(2), 0);
  EXPECT_EQ(IdleTimeoutMs(0), 0);
  EXPECT_EQ(IdleTimeoutMs(-40), 0);
}

// Events built the way SDL delivers them.
SDL_Event Motion(int x, int y, uint32_t held = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = held;
  return e;
}
SDL_Event Press(uint8_t button, int x, int y, uint32_t type = SDL_MOUSEBUTTONDOWN) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}
SDL_Event Key(SDL_Keycode sym, uint16_t modAfter, uint32_t type = SDL_KEYDOWN, uint8_t repeat = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = modAfter;
  e.key.repeat = repeat;
  return e;
}
SDL_Event Window(uint8_t what) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = what;
  return e;
}
SDL_Event Wheel(int32_t y, uint32_t direction = SDL_MOUSEWHEEL_NORMAL) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = y;
  e.wheel.direction = direction;
  return e;
}

using Action = EventRouter::WindowAction;

TEST(EventRouter, MouseEventsArriveAsWholeClampedGamePixels) {
  EventRouter router;
  test::RecordingSink sink;
  const ViewRect view = FitPicture(1920, 1080);  // 2x at (320, 60)
  router.Route(Motion(320 + 641, 60 + 481, SDL_BUTTON_LMASK), view, &sink);
  router.Route(Motion(-40, 2000), view, &sink);  // a drag that left the window
  router.Route(Press(SDL_BUTTON_RIGHT, 1599, 60), view, &sink);
  router.Route(Press(SDL_BUTTON_MIDDLE, 330, 70), view, &sink);
  router.Route(Press(SDL_BUTTON_X1, 330, 70), view, &sink);
  router.Route(Press(SDL_BUTTON_LEFT, 330, 70, SDL_MOUSEBUTTONUP), view, &sink);
  const std::vector<std::string> want = {"move 1 m0 320,240", "move 0 m0 0,479", "down 2 m0 639,0", "down 4 m0 5,5"};
  EXPECT_EQ(sink.calls, want);
}

TEST(EventRouter, MarkerFollowsTheModifiersAtEachEventInTheQueue) {
  EventRouter router(KMOD_LCTRL);  // Ctrl was held when the window opened
  test::RecordingSink sink;
  const ViewRect view{0, 0, 640, 480};
  router.Route(Press(SDL_BUTTON_LEFT, 10, 20), view, &sink);
  router.Route(Key(SDLK_LCTRL, KMOD_NONE, SDL_KEYUP), view, &sink);
  router.Route(Key(SDLK_LSHIFT, KMOD_LSHIFT), view, &sink);
  router.Route(Key(SDLK_LALT, KMOD_LSHIFT | KMOD_LALT), view, &sink);
  router.Route(Press(SDL_BUTTON_LEFT, 10, 20), view, &sink);
  router.Route(Key(SDLK_LALT, KMOD_LSHIFT, SDL_KEYUP), view, &sink);
  router.Route(Motion(11, 21), view, &sink);
  router.Route(Key(SDLK_LSHIFT, KMOD_NONE, SDL_KEYUP), view, &sink);
  router.Route(Press(SDL_BUTTON_RIGHT, 10, 20), view, &sink);
  const std::vector<std::string> want = {"down 1 m2 10,20", "down 1 m5 10,20", "move 0 m1 11,21", "down 2 m0 10,20"};
  EXPECT_EQ(sink.calls, want);
}

TEST(EventRouter, WheelNotchesCloseAndWindowActions) {
  EventRouter router;
  test::RecordingSink sink;
  const ViewRect view{0, 0, 640, 480};
  EXPECT_EQ(router.Route(Wheel(-2), view, &sink), Action::kNone);
  router.Route(Wheel(1), view, &sink);
  router.Route(Wheel(1, SDL_MOUSEWHEEL_FLIPPED), view, &sink);
  EXPECT_FALSE(router.closeRequested());
  router.Route(Window(SDL_WINDOWEVENT_CLOSE), view, &sink);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  router.Route(quit, view, &sink);
  router.Route(Window(SDL_WINDOWEVENT_CLOSE), view, &sink);
  EXPECT_TRUE(router.closeRequested());
  const std::vector<std::string> want = {"towards", "towards", "away", "towards", "close"};
  EXPECT_EQ(sink.calls, want);

  EXPECT_EQ(router.Route(Key(SDLK_F11, KMOD_NONE), view, &sink), Action::kToggleFullscreen);
  EXPECT_EQ(router.Route(Key(SDLK_F11, KMOD_NONE, SDL_KEYDOWN, 1), view, &sink), Action::kNone);  // key repeat
  EXPECT_EQ(router.Route(Key(SDLK_F11, KMOD_NONE, SDL_KEYUP), view, &sink), Action::kNone);
  EXPECT_EQ(router.Route(Key(SDLK_F10, KMOD_NONE), view, &sink), Action::kNone);
  EXPECT_EQ(router.Route(Window(SDL_WINDOWEVENT_EXPOSED), view, &sink), Action::kRedraw);
  EXPECT_EQ(router.Route(Window(SDL_WINDOWEVENT_SIZE_CHANGED), view, &sink), Action::kRedraw);
  EXPECT_EQ(router.Route(Window(SDL_WINDOWEVENT_FOCUS_LOST), view, &sink), Action::kNone);
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  EXPECT_EQ(router.Route(reset, view, &sink), Action::kRebuildTexture);
  EXPECT_EQ(sink.calls.size(), want.size());
}

TEST(EventRouter, CloseBeforeTheGameAttachedStillArrivesOnce) {
  // Mouse events before the game listens are dropped; a close must not be.
  EventRouter router;
  const ViewRect view{0, 0, 640, 480};
  router.Route(Motion(5, 5), view, nullptr);
  router.Route(Window(SDL_WINDOWEVENT_CLOSE), view, nullptr);
  EXPECT_FALSE(router.closeRequested());
  test::RecordingSink sink;
  router.DeliverPendingClose(&sink);
  router.DeliverPendingClose(&sink);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  router.Route(quit, view, &sink);
  EXPECT_EQ(sink.calls, std::vector<std::string>{"close"});
}

}  // namespace
}  // namespace quandel
