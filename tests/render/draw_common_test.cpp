#include "render/draw_common.h"
#include "app/frame_wait.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "game/game_state.h"
#include "platform/headless/headless_platform.h"
#include "support/expect_fields.h"

namespace quandel {
namespace {

constexpr int32_t kMarker = Rgb(1, 2, 3), kOutline = Rgb(60, 60, 60);
constexpr int32_t Grey(int g) { return Rgb(g, g, g); }

TEST(DigitText, PatternsAndClampsGiveTheDigitsShown) {
  const struct { double value; const char* pattern; const char* shown; } cases[] = {
      {1, "0#", "01"}, {100, "0#", "100"}, {749.6, "00##", "0750"}, {-3, "00##", "-0003"}, {0, "0##", "000"},
      {599 / 60.0, "0#.#0", "09.98"}, {3600 / 60.0, "0#.#0", "60.00"},
      // Numbers that do not fit show the nearest that does.
      {double(ShownScore(1234)), "000###", "001234"}, {double(ShownScore(1000000)), "000###", "999999"},
      {double(ShownStageNumber(0)), "0#", "01"}, {double(ShownStageNumber(98)), "0#", "99"}, {double(ShownStageNumber(99)), "0#", "99"},
      {ShownSeconds(5999), "0#.#0", "99.98"}, {ShownSeconds(6000), "0#.#0", "99.99"},
      {ShownExtendDistance(-0.4f), "00##", "0000"}, {ShownExtendDistance(9999.4), "00##", "9999"},
      {ShownExtendDistance(12000), "00##", "9999"}, {double(ShownFramesPerSecond(4000)), "0##", "999"},
  };
  for (const auto& c : cases) EXPECT_EQ(DigitText(c.value, c.pattern), c.shown) << c.value << " " << c.pattern;
  // Places count from 1; the point, a sign and places past the end read as 0.
  EXPECT_FIELDS(FIELD(DigitAt("09.98", 1), 0), FIELD(DigitAt("09.98", 2), 9), FIELD(DigitAt("09.98", 3), 0), FIELD(DigitAt("09.98", 5), 8),
                FIELD(DigitAt("-0003", 1), 0), FIELD(DigitAt("01", 3), 0), FIELD(DigitAt("01", 0), 0));
}

struct Probe { int x, y; int32_t colour; };

// The band with its top at `top`: inner box from L + 11 to R - 11, flanges out to L - 10 and R + 10.
TEST(ColumnBands, ShadingRoundingWideningAndThinningAtHandWorkedPixels) {
  const struct { float width, scroll; bool title; std::vector<Probe> probes; } cases[] = {
      // sp 235: q 2, d 35. p = 0 is band 2 (plain), 1 band 1, 2 band 0 (a tenth: 40 darker), -1 band 3 (top -65).
      {200, 234.6f, false, {{230, 80, Grey(220)}, {130, 80, Grey(200)}, {141, 80, kOutline}, {319, 80, kOutline}, {119, 80, kMarker},
                            {230, 35, Grey(160)}, {230, 180, Grey(220)}, {230, 280, Grey(180)}, {130, 280, Grey(160)}, {230, 10, Grey(220)}}},
      {200, 500, false, {{230, 50, Grey(200)}, {230, 150, Grey(220)}}},  // band 5: a fifth, 20 darker
      // Odd width: L 129.5, R 330.5, halves round to even.
      {201, 234.6f, false, {{230, 80, Grey(219)}, {140, 80, kOutline}, {141, 80, Grey(219)}, {320, 80, kOutline}, {120, 80, Grey(0)},
                            {121, 80, Grey(199)}, {119, 80, kMarker}}},
      {300, 234.6f, false, {{230, 80, Grey(120)}, {75, 80, Grey(100)}, {230, 280, Grey(80)}}},
      // Bands 107 ... 101: from band 100 only every fifth keeps its body.
      {200, 10500, false, {{230, 50, Grey(200)}, {230, 150, kMarker}, {230, 100, Grey(160)}}},
      // Bands 154 ... 148: from 150 edges thin out too.
      {200, 15200, false, {{230, 100, kMarker}, {230, 0, kMarker}, {230, 200, Grey(160)}, {230, 250, Grey(180)}, {230, 300, Grey(160)},
                           {230, 350, kMarker}}},
      {200, 15200, true, {{230, 150, Grey(220)}, {230, 250, Grey(220)}, {230, 100, Grey(160)}}},  // the title draws all alike
  };
  for (const auto& c : cases) {
    Surface s(640, 480);
    s.FilledBox(0, 0, 640, 480, kMarker);
    DrawColumnBands(s, c.width, c.scroll, c.title ? BandRules{false, false, false, 0} : BandRules{});
    for (const Probe& p : c.probes) EXPECT_EQ(s.colourAt(p.x, p.y), p.colour) << c.width << "/" << c.scroll << " at " << p.x << "," << p.y;
  }
}

TEST(FrameClock, StepsTheSkipTowardsNineteenMillisecondsPerFrame) {
  const struct { int32_t now; uint8_t autoSkip, before, after; } cases[] = {
      {19, 1, 0, 1}, {37, 1, 1, 0}, {18, 1, 0, 0}, {56, 1, 2, 1}, {57, 1, 2, 3}, {100000, 1, 255, 255}, {100000, 0, 4, 4}};
  for (const auto& c : cases) {
    FpsClock clock;
    uint8_t skip = c.before;
    StepFrameClock(clock, c.now, c.autoSkip, skip);
    EXPECT_EQ(skip, c.after) << c.now << " ms at skip " << int{c.before};
  }
}

TEST(FrameClock, CountsFramesPerSecondAcrossTheClockWrap) {
  FpsClock clock{100, 990, 41, 60};
  uint8_t skip = 0;
  EXPECT_EQ(StepFrameClock(clock, 125, 0, skip), 25.0f);
  EXPECT_FIELDS(FIELD(clock.framesPerSecond, 42), FIELD(clock.framesThisSecond, 0), FIELD(clock.msAccumulated, 15));
  StepFrameClock(clock, 135, 0, skip);
  EXPECT_FIELDS(FIELD(clock.framesPerSecond, 42), FIELD(clock.framesThisSecond, 1), FIELD(clock.lastDrawTime, 135));

  FpsClock wrap{INT32_MAX - 5, 0, 0, 0};
  EXPECT_EQ(StepFrameClock(wrap, INT32_MIN + 10, 0, skip), 16.0f);
  EXPECT_EQ(wrap.msAccumulated, 16);
}

// A clock that moves on by 3 ms every time it is read.
class TickingPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  int32_t Clock() override {
    const int32_t now = HeadlessPlatform::Clock();
    Advance(3);
    return now;
  }
};

TEST(FrameClock, TakesAFreshReadingAfterTheMeasurement) {
  TickingPlatform platform(5000);
  FpsClock clock;  // a play's first drawn frame: the whole clock reading
  uint8_t skip = 0;
  EXPECT_EQ(StepFrameClock(clock, platform, 1, skip), 5000.0f);  // measured at the first reading
  EXPECT_FIELDS(FIELD(clock.framesPerSecond, 1), FIELD(skip, 1), FIELD(clock.lastDrawTime, 5003));
}

}  // namespace
}  // namespace quandel
