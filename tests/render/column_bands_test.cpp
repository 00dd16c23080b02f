#include "render/column_bands.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/game_state.h"

namespace quandel {
namespace {

constexpr int32_t kMarker = Rgb(1, 2, 3), kOutline = Rgb(60, 60, 60);
constexpr int32_t Grey(int g) { return Rgb(g, g, g); }

struct Probe {
  int x, y;
  int32_t colour;
};

// The band with its top at `top`: inner box from L + 11 to R - 11, flanges out to L - 10 and R + 10.
TEST(ColumnBands, ShadingRoundingWideningAndThinningAtHandWorkedPixels) {
  const struct {
    float width, scroll;
    bool title;
    std::vector<Probe> probes;
  } cases[] = {
      // sp 235: q 2, d 35. p = 0 is band 2 (plain), 1 band 1, 2 band 0 (a tenth: 40 darker), -1 band 3 (top -65).
      {200,
       234.6f,
       false,
       {{230, 80, Grey(220)},
        {130, 80, Grey(200)},
        {141, 80, kOutline},
        {319, 80, kOutline},
        {119, 80, kMarker},
        {230, 35, Grey(160)},
        {230, 180, Grey(220)},
        {230, 280, Grey(180)},
        {130, 280, Grey(160)},
        {230, 10, Grey(220)}}},
      {200, 500, false, {{230, 50, Grey(200)}, {230, 150, Grey(220)}}},  // band 5: a fifth, 20 darker
      // Odd width: L 129.5, R 330.5, halves round to even.
      {201,
       234.6f,
       false,
       {{230, 80, Grey(219)},
        {140, 80, kOutline},
        {141, 80, Grey(219)},
        {320, 80, kOutline},
        {120, 80, Grey(0)},
        {121, 80, Grey(199)},
        {119, 80, kMarker}}},
      {300, 234.6f, false, {{230, 80, Grey(120)}, {75, 80, Grey(100)}, {230, 280, Grey(80)}}},
      // Bands 107 ... 101: from band 100 only every fifth keeps its body.
      {200, 10500, false, {{230, 50, Grey(200)}, {230, 150, kMarker}, {230, 100, Grey(160)}}},
      // Bands 154 ... 148: from 150 edges thin out too.
      {200,
       15200,
       false,
       {{230, 100, kMarker},
        {230, 0, kMarker},
        {230, 200, Grey(160)},
        {230, 250, Grey(180)},
        {230, 300, Grey(160)},
        {230, 350, kMarker}}},
      {200,
       15200,
       true,
       {{230, 150, Grey(220)}, {230, 250, Grey(220)}, {230, 100, Grey(160)}}},  // the title draws all alike
  };
  for (const auto& c : cases) {
    Surface s(640, 480);
    s.FilledBox(0, 0, 640, 480, kMarker);
    DrawColumnBands(s, c.width, c.scroll, c.title ? BandRules{false, false, false, 0} : BandRules{});
    for (const Probe& p : c.probes)
      EXPECT_EQ(s.colourAt(p.x, p.y), p.colour) << c.width << "/" << c.scroll << " at " << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace quandel
