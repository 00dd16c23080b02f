#include "render/fire_sheet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quandel {
namespace {

constexpr int32_t Packed(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr uint32_t kWhite = 0xFFFFFF;

TEST(FireRadii, SelectedFrames) {
  const float rows[][4] = {{0, 0, 0, 0},
                           {5, 12.75f, 0, 0},
                           {10, 24, 15.20f, 0},
                           {11, 25.95f, 18.01f, 3.39f},
                           {15, 32.75f, 27.80f, 18.69f},
                           {20, 39, 36.80f, 32.75f},
                           {25, 42.75f, 42.20f, 41.19f},
                           {29, 43.95f, 43.93f, 43.89f}};
  for (const auto& r : rows) {
    const FireRadii f = FireFrameRadii(static_cast<int>(r[0]));
    EXPECT_NEAR(f.outer, r[1], 0.005) << "frame " << r[0];
    EXPECT_NEAR(f.core, r[2], 0.005) << "frame " << r[0];
    EXPECT_NEAR(f.hole, r[3], 0.005) << "frame " << r[0];
  }
}

// Masks are rings of the frame's radii, white exactly where either colour set paints; colours step with the frame.
TEST(FireSheet, MasksMatchTheRadiiAndTheColouredPixels) {
  Surface sheet;
  sheet.Resize(1350, 540);
  const std::array<int32_t, 4> colours{Packed(80, 110, 170), Packed(170, 110, 80), Packed(80, 80, 80),
                                       Packed(140, 140, 140)};
  std::array<float, 8> scratch{45.0f};
  GenerateFireSheet(sheet, colours, scratch);
  for (int q = 0; q < kFireFrames; ++q) {
    const FireRadii r = FireFrameRadii(q);
    const PixelPoint m = FireMaskCell(q);
    for (int d = 0; d <= 45; ++d) {
      // Beyond half a pixel from either edge the ring is white and everything else black.
      if (std::abs(d - r.outer) <= 0.5f || (r.hole > 0 && std::abs(d - r.hole) <= 0.5f)) continue;
      const bool ring = d < r.outer && (r.hole == 0 || d > r.hole);
      for (auto [x, y] : {std::pair{45 + d, 45}, {45 - d, 45}, {45, 45 + d}, {45, 45 - d}})
        ASSERT_EQ(sheet.pixel(m.x + x, m.y + y), ring ? kWhite : 0u) << "frame " << q << " distance " << d;
    }
    int lit = 0;
    for (int k = 0; k < 2; ++k)
      for (int y = 0; y < kFireCell; ++y)
        for (int x = 0; x < kFireCell; ++x) {
          const bool coloured = sheet.pixel(FireImageCell(q, k).x + x, FireImageCell(q, k).y + y) != kWhite;
          ASSERT_EQ(sheet.pixel(m.x + x, m.y + y), coloured ? kWhite : 0u)
              << "frame " << q << " set " << k << " at " << x << "," << y;
          lit += coloured;
        }
    EXPECT_EQ(lit == 0, q == 0 || q >= 28) << q;  // the hole has eaten the thin ring of the last frames
  }
  const PixelPoint m10 = FireMaskCell(10);  // frame 10 reaches 24 pixels
  EXPECT_EQ(sheet.pixel(m10.x + 45 + 24, m10.y + 45), kWhite);
  EXPECT_EQ(sheet.pixel(m10.x + 45 + 25, m10.y + 45), 0u);
  EXPECT_EQ(scratch[2], 43.95f) << "the last frame's radii stay";
  EXPECT_NEAR(scratch[3], 43.89f, 0.005f);
  for (int k = 0; k < 2; ++k) {
    const PixelPoint c = FireImageCell(10, k);
    EXPECT_EQ(sheet.colourAt(c.x + 45 + 20, c.y + 45), colours[k] + 20 * Packed(1, 1, 1)) << "ring of set " << k;
    EXPECT_EQ(sheet.colourAt(c.x + 45 - 10, c.y + 45), colours[k] + 5 * Packed(1, 1, 1)) << "core of set " << k;
  }
}

}  // namespace
}  // namespace quandel
