#include "app/fire_sheet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quandel {
namespace {

constexpr int32_t Packed(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr uint32_t kWhite = 0xFFFFFF;

class FireSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet.SetOuterSize(1352, 542);
    GenerateFireSheet(sheet, colours, scratch);
  }
  std::array<int32_t, 4> colours{Packed(80, 110, 170), Packed(170, 110, 80), Packed(80, 80, 80), Packed(140, 140, 140)};
  std::array<float, 8> scratch{45.0f};
  Surface sheet;
};

TEST(FireRadii, SelectedFrames) {
  const float rows[][4] = {{0, 0, 0, 0},           {5, 12.75f, 0, 0},          {10, 24, 15.20f, 0},
                           {11, 25.95f, 18.01f, 3.39f}, {15, 32.75f, 27.80f, 18.69f}, {20, 39, 36.80f, 32.75f},
                           {25, 42.75f, 42.20f, 41.19f}, {29, 43.95f, 43.93f, 43.89f}};
  for (const auto& r : rows) {
    const FireRadii f = FireFrameRadii(static_cast<int>(r[0]));
    EXPECT_NEAR(f.outer, r[1], 0.005) << r[0];
    EXPECT_NEAR(f.core, r[2], 0.005) << r[0];
    EXPECT_NEAR(f.hole, r[3], 0.005) << r[0];
  }
}

TEST_F(FireSheet, MaskRingsHaveTheFrameRadiiAlongBothAxes) {
  for (int q = 0; q < kFireFrames; ++q) {
    const FireRadii r = FireFrameRadii(q);
    const int cx = FireMaskCell(q).x + 45, cy = FireMaskCell(q).y + 45;
    for (int d = 0; d <= 45; ++d) {
      // Beyond half a pixel from either edge the ring is white and everything else black.
      if (std::abs(d - r.outer) <= 0.5f || (r.hole > 0 && std::abs(d - r.hole) <= 0.5f)) continue;
      const bool ring = d < r.outer && (r.hole == 0 || d > r.hole);
      for (auto [x, y] : {std::pair{cx + d, cy}, {cx - d, cy}, {cx, cy + d}, {cx, cy - d}})
        ASSERT_EQ(sheet.pixel(x, y), ring ? kWhite : 0u) << "frame " << q << " distance " << d;
    }
  }
  const PixelPoint m10 = FireMaskCell(10);  // frame 10 reaches exactly 24 pixels
  EXPECT_EQ(sheet.pixel(m10.x + 45 + 24, m10.y + 45), kWhite);
  EXPECT_EQ(sheet.pixel(m10.x + 45 + 25, m10.y + 45), 0u);
  EXPECT_FLOAT_EQ(scratch[2], 43.95f);  // the last frame's radii stay
  EXPECT_NEAR(scratch[3], 43.89f, 0.005f);
}

TEST_F(FireSheet, EveryMaskCoversExactlyTheColouredPixelsOfBothSets) {
  for (int q = 0; q < kFireFrames; ++q) {
    const PixelPoint m = FireMaskCell(q);
    int lit = 0;
    for (int k = 0; k < 2; ++k)
      for (int y = 0; y < kFireCell; ++y)
        for (int x = 0; x < kFireCell; ++x) {
          const bool coloured = sheet.pixel(FireImageCell(q, k).x + x, FireImageCell(q, k).y + y) != kWhite;
          const uint32_t mask = sheet.pixel(m.x + x, m.y + y);
          ASSERT_TRUE(coloured ? mask == kWhite : mask == 0u) << "frame " << q << " set " << k << " at " << x << "," << y;
          lit += coloured;
        }
    // Nothing at frame 0; the hole has eaten the ring by frame 29.
    if (q == 0 || q == 29) {
      EXPECT_EQ(lit, 0) << q;
    } else if (q <= 25) {
      EXPECT_GT(lit, 0) << q;
    }
  }
}

TEST_F(FireSheet, RingAndCoreColoursPerFrameAndSet) {
  const int32_t step = Packed(1, 1, 1);
  for (int k = 0; k < 2; ++k) {
    const PixelPoint c10 = FireImageCell(10, k), c20 = FireImageCell(20, k);
    EXPECT_EQ(sheet.colourAt(c10.x + 45 + 20, c10.y + 45), colours[k] + 20 * step);  // ring
    EXPECT_EQ(sheet.colourAt(c10.x + 45 - 10, c10.y + 45), colours[k] + 5 * step);   // core
    EXPECT_EQ(sheet.colourAt(c20.x + 45, c20.y + 45 + 38), colours[k] + 10 * step);
    EXPECT_EQ(sheet.colourAt(c20.x + 45, c20.y + 45 - 35), colours[k]);
    EXPECT_EQ(sheet.pixel(c20.x + 45, c20.y + 45 + 30), kWhite);  // the hole
  }
  EXPECT_EQ(FireImageCell(16, 1).y, 270);
  EXPECT_EQ(FireMaskCell(16).y, 450);
}

}  // namespace
}  // namespace quandel
