#include "render/draw_common.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "platform/headless/headless_platform.h"

namespace quandel {
namespace {

constexpr int32_t kMarker = Rgb(1, 2, 3);

int32_t Grey(int g) { return Rgb(g, g, g); }

Surface Field() {
  Surface s(640, 480);
  s.FilledBox(0, 0, 640, 480, kMarker);
  return s;
}

TEST(DigitText, PatternsGiveTheirMinimumDigitsAndReadBackAsDigits) {
  EXPECT_EQ(DigitText(1, "0#"), "01");
  EXPECT_EQ(DigitText(100, "0#"), "100");
  EXPECT_EQ(DigitText(749.6, "00##"), "0750");
  EXPECT_EQ(DigitText(1234, "000###"), "001234");
  EXPECT_EQ(DigitText(7, "0##"), "007");
  EXPECT_EQ(DigitText(0, "0##"), "000");
  EXPECT_EQ(DigitText(3600 / 60.0, "0#.#0"), "60.00");
  EXPECT_EQ(DigitText(599 / 60.0, "0#.#0"), "09.98");
  EXPECT_EQ(DigitText(-3, "00##"), "-0003");

  EXPECT_EQ(DigitAt("09.98", 1), 0);
  EXPECT_EQ(DigitAt("09.98", 2), 9);
  EXPECT_EQ(DigitAt("09.98", 3), 0);  // the point
  EXPECT_EQ(DigitAt("09.98", 5), 8);
  EXPECT_EQ(DigitAt("-0003", 1), 0);  // a sign
  EXPECT_EQ(DigitAt("01", 3), 0);     // past the end
  EXPECT_EQ(DigitAt("01", 0), 0);
}

TEST(DisplayClamps, NumbersThatDoNotFitShowTheNearestThatDoes) {
  EXPECT_EQ(DigitText(ShownScore(1234), "000###"), "001234");
  EXPECT_EQ(DigitText(ShownScore(1000000), "000###"), "999999");
  EXPECT_EQ(DigitText(ShownStageNumber(0), "0#"), "01");
  EXPECT_EQ(DigitText(ShownStageNumber(98), "0#"), "99");
  EXPECT_EQ(DigitText(ShownStageNumber(99), "0#"), "99");
  EXPECT_EQ(DigitText(ShownSeconds(5999), "0#.#0"), "99.98");
  EXPECT_EQ(DigitText(ShownSeconds(6000), "0#.#0"), "99.99");
  EXPECT_EQ(DigitText(ShownExtendDistance(-0.4f), "00##"), "0000");
  EXPECT_EQ(DigitText(ShownExtendDistance(9999.4), "00##"), "9999");
  EXPECT_EQ(DigitText(ShownExtendDistance(12000), "00##"), "9999");
  EXPECT_EQ(DigitText(ShownFramesPerSecond(60), "0##"), "060");
  EXPECT_EQ(DigitText(ShownFramesPerSecond(4000), "0##"), "999");
}

// The band with its top at `top`: inner box from L + 11 to R - 11, flanges out to L - 10 and R + 10.
TEST(ColumnBands, ShadesEveryFifthAndTenthBandAndFollowsTheScroll) {
  Surface s = Field();
  DrawColumnBands(s, 200, 234.6f, BandRules{});  // sp 235: q 2, d 35
  // p = 0: band 2, top 35, plain.
  EXPECT_EQ(s.colourAt(230, 80), Grey(220));
  EXPECT_EQ(s.colourAt(130, 80), Grey(200));
  EXPECT_EQ(s.colourAt(141, 80), Rgb(60, 60, 60));   // inner box outline at L + 11
  EXPECT_EQ(s.colourAt(319, 80), Rgb(60, 60, 60));
  EXPECT_EQ(s.colourAt(119, 80), kMarker);           // beyond the flange
  EXPECT_EQ(s.colourAt(230, 35), Grey(160));         // top highlight
  // p = 2: band 0 (a multiple of ten), 40 darker.
  EXPECT_EQ(s.colourAt(230, 280), Grey(180));
  EXPECT_EQ(s.colourAt(130, 280), Grey(160));
  // p = 1: band 1.
  EXPECT_EQ(s.colourAt(230, 180), Grey(220));
  // The band above the picture (p = -2, top -165) ends above y = 0: the top rows belong to p = -1
  // (band 3, top -65), whose flange reaches y = 55.
  EXPECT_EQ(s.colourAt(230, 10), Grey(220));

  // A band that is a multiple of five but not ten is 20 darker: band 5 at scrollPos 500 (p = 0).
  Surface five = Field();
  DrawColumnBands(five, 200, 500, BandRules{});
  EXPECT_EQ(five.colourAt(230, 50), Grey(200));
  EXPECT_EQ(five.colourAt(230, 150), Grey(220));  // band 4
}

TEST(ColumnBands, OddWidthsRoundHalvesToEvenAndWiderColumnsDarken) {
  Surface s = Field();
  DrawColumnBands(s, 201, 234.6f, BandRules{});  // L 129.5, R 330.5
  EXPECT_EQ(s.colourAt(230, 80), Grey(219));
  EXPECT_EQ(s.colourAt(140, 80), Rgb(60, 60, 60));  // 140.5 -> 140
  EXPECT_EQ(s.colourAt(141, 80), Grey(219));
  EXPECT_EQ(s.colourAt(320, 80), Rgb(60, 60, 60));  // 319.5 -> 320
  EXPECT_EQ(s.colourAt(120, 80), Rgb(0, 0, 0));      // the flange's edge: 119.5 -> 120
  EXPECT_EQ(s.colourAt(121, 80), Grey(199));
  EXPECT_EQ(s.colourAt(119, 80), kMarker);

  Surface wide = Field();
  DrawColumnBands(wide, 300, 234.6f, BandRules{});
  EXPECT_EQ(wide.colourAt(230, 80), Grey(120));
  EXPECT_EQ(wide.colourAt(75, 80), Grey(100));
  EXPECT_EQ(wide.colourAt(230, 280), Grey(80));
}

TEST(ColumnBands, FarDownTheColumnBodiesAndEdgesThinOut) {
  Surface s = Field();
  DrawColumnBands(s, 200, 10500, BandRules{});  // bands 107 ... 101, band 105 at the top
  EXPECT_EQ(s.colourAt(230, 50), Grey(200));     // band 105 keeps its body
  EXPECT_EQ(s.colourAt(230, 150), kMarker);      // band 104 has none
  EXPECT_EQ(s.colourAt(230, 100), Grey(160));    // but keeps its edge below 150

  Surface far = Field();
  DrawColumnBands(far, 200, 15200, BandRules{});  // bands 154 ... 148
  EXPECT_EQ(far.colourAt(230, 100), kMarker);     // band 151: neither body nor edge
  EXPECT_EQ(far.colourAt(230, 0), kMarker);       // band 152
  EXPECT_EQ(far.colourAt(230, 200), Grey(160));   // band 150: edge
  EXPECT_EQ(far.colourAt(230, 250), Grey(180));   // and its body, 40 darker
  EXPECT_EQ(far.colourAt(230, 300), Grey(160));   // band 149, still below 150
  EXPECT_EQ(far.colourAt(230, 350), kMarker);

  // The title draws every band alike.
  Surface title = Field();
  DrawColumnBands(title, 200, 15200, BandRules{false, false, false, 0});
  EXPECT_EQ(title.colourAt(230, 150), Grey(220));
  EXPECT_EQ(title.colourAt(230, 250), Grey(220));
  EXPECT_EQ(title.colourAt(230, 100), Grey(160));
}

TEST(FrameClock, StepsTheSkipTowardsNineteenMillisecondsPerFrame) {
  FpsClock clock;
  clock.lastDrawTime = 1000;
  uint8_t skip = 0;
  StepFrameClock(clock, 1019, 1, skip);
  EXPECT_EQ(skip, 1);
  StepFrameClock(clock, 1019 + 37, 1, skip);  // 37 < 38 over two frames
  EXPECT_EQ(skip, 0);
  StepFrameClock(clock, 1056 + 18, 1, skip);
  EXPECT_EQ(skip, 0);  // never below 0

  skip = 2;
  clock.lastDrawTime = 0;
  StepFrameClock(clock, 56, 1, skip);
  EXPECT_EQ(skip, 1);
  skip = 2;
  clock.lastDrawTime = 0;
  StepFrameClock(clock, 57, 1, skip);
  EXPECT_EQ(skip, 3);

  skip = 255;
  clock.lastDrawTime = 0;
  StepFrameClock(clock, 100000, 1, skip);
  EXPECT_EQ(skip, 255);  // held in its eight bits

  skip = 4;
  clock.lastDrawTime = 0;
  StepFrameClock(clock, 100000, 0, skip);
  EXPECT_EQ(skip, 4);  // manual skipping is left alone
}

TEST(FrameClock, CountsFramesPerSecond) {
  FpsClock clock{100, 990, 41, 60};
  uint8_t skip = 0;
  const float dt = StepFrameClock(clock, 125, 0, skip);
  EXPECT_EQ(dt, 25.0f);
  EXPECT_EQ(clock.framesPerSecond, 42);
  EXPECT_EQ(clock.framesThisSecond, 0);
  EXPECT_EQ(clock.msAccumulated, 15);
  EXPECT_EQ(clock.lastDrawTime, 125);

  StepFrameClock(clock, 135, 0, skip);
  EXPECT_EQ(clock.framesPerSecond, 42);
  EXPECT_EQ(clock.framesThisSecond, 1);
  EXPECT_EQ(clock.msAccumulated, 25);

  // Across the wrap of the 32-bit clock the elapsed time stays small and positive.
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
  EXPECT_EQ(StepFrameClock(clock, platform, 1, skip), 5000.0f);
  EXPECT_EQ(clock.framesPerSecond, 1);
  EXPECT_EQ(clock.msAccumulated, 0);
  EXPECT_EQ(skip, 1);
  EXPECT_EQ(clock.lastDrawTime, 5003);
}

}  // namespace
}  // namespace quandel
