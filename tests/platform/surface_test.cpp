#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "support/expect_fields.h"

namespace quandel {
namespace {

constexpr int32_t Packed(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr uint32_t kWhite = 0xFFFFFF;
using Pixels = std::set<std::pair<int, int>>;

Pixels Drawn(const Surface& s, uint32_t background = kWhite) {
  Pixels out;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) != background) out.insert({x, y});
  return out;
}

TEST(Blit, ClipsSourceAndDestinationAtEveryEdgeLikeAPerPixelCopy) {
  Surface src(4, 3);
  for (int i = 0; i < 12; ++i) src.SetPixelV(i % 4, i / 4, Packed(i + 1, 0, 7));
  for (int dx = -5; dx <= 6; ++dx)
    for (int sx = -5; sx <= 5; sx += 2)
      for (int dy = -4; dy <= 5; dy += 3)
        for (int sy = -3; sy <= 3; sy += 3)
          for (int w : {-1, 0, 2, 5}) {
            Surface dst(5, 4);
            Blit(dst, dx, dy, w, 3, src, sx, sy, RasterOp::kCopy);
            for (int y = 0; y < 4; ++y)
              for (int x = 0; x < 5; ++x) {
                const int u = x - dx + sx, v = y - dy + sy;
                const bool in = x >= dx && x < dx + w && y >= dy && y < dy + 3 && u >= 0 && u < 4 && v >= 0 && v < 3;
                ASSERT_EQ(dst.pixel(x, y), in ? src.pixel(u, v) : kWhite)
                    << dx << "," << dy << " " << w << " " << sx << "," << sy;
              }
          }
}

TEST(Blit, MaskThenImageColoursOnlyThePictureAndSelfCopiesReadOldPixels) {
  Surface mask(3, 1), image(3, 1), back(3, 1);
  mask.SetPixelV(1, 0, 0);  // white, black, white
  image.SetPixelV(0, 0, Packed(80, 110, 170));
  image.SetPixelV(2, 0, 0);
  back.FilledBox(0, 0, 2, 0, Packed(100, 100, 100));
  Blit(back, 0, 0, 3, 1, mask, 0, 0, RasterOp::kOr);
  EXPECT_EQ(back.pixel(0, 0), kWhite);
  Blit(back, 0, 0, 3, 1, image, 0, 0, RasterOp::kAnd);
  // Outside the mask the ground is untouched.
  EXPECT_FIELDS(FIELD(back.colourAt(0, 0), Packed(80, 110, 170)), FIELD(back.colourAt(1, 0), Packed(100, 100, 100)),
                FIELD(back.colourAt(2, 0), 0));
  Blit(back, 1, 0, 2, 1, back, 0, 0, RasterOp::kCopy);
  EXPECT_FIELDS(FIELD(back.colourAt(2, 0), Packed(100, 100, 100)), FIELD(back.colourAt(1, 0), Packed(80, 110, 170)));
  Surface column(1, 3);  // and down a column, where rows overlap
  for (int y = 0; y < 3; ++y) column.SetPixelV(0, y, Packed(y, 0, 0));
  Blit(column, 0, 1, 1, 2, column, 0, 0, RasterOp::kCopy);
  EXPECT_FIELDS(FIELD(column.colourAt(0, 1), Packed(0, 0, 0)), FIELD(column.colourAt(0, 2), Packed(1, 0, 0)));
}

TEST(Boxes, CornersIncludedFractionsRoundToEvenAndFillFollowsTheStyle) {
  Surface s(120, 70);
  s.FilledBox(3, 2, 1, 1, 0);  // corners in either order
  EXPECT_EQ(Drawn(s), (Pixels{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}));
  s.SetFillStyle(FillStyle::kSolid);
  s.SetFillColour(Packed(100, 130, 220));
  s.Box(20.4f, 20.6f, 23.4f, 23.6f, 0);  // lands on (20, 21)-(23, 24), the inside filled
  EXPECT_EQ(s.colourAt(21, 22), Packed(100, 130, 220));
  EXPECT_EQ(s.pixel(23, 24), 0u);
  s.SetFillStyle(FillStyle::kTransparent);
  s.Box(10.5f, 10, 13.5f, 13, 0);  // 10.5 -> 10, 13.5 -> 14; inside untouched
  EXPECT_EQ(Drawn(s).size(), 6u + 16 + 14);
  s.FilledBox(-1e9f, -5, 1e9f, 1e30f, 0);  // far outside: clipped, no overflow
  EXPECT_TRUE(Drawn(s, 0).empty());
}

TEST(Lines, LeaveOutTheEndPointAndRoundTheMinorAxis) {
  Surface s(8, 8);
  s.Line(0, 0, 4, 2, 0);
  s.Line(7, 0, 6, 3, 0);  // steep, leftwards
  s.Line(3, 3, 3, 3, 0);  // zero length: nothing
  EXPECT_EQ(Drawn(s), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {7, 0}, {7, 1}, {6, 2}}));
  s.Line(-1e8f, 5, 1e8f, 5, 0);
  EXPECT_EQ(Drawn(s).size(), 15u);
}

TEST(Circles, SmallRadiiAndOutlineAroundTheFill) {
  Surface s(12, 12);
  for (float r : {0.0f, -3.0f}) s.Circle(5, 5, r, 0);
  s.Circle(5.2f, 5, 0.3f, 0);  // one pixel
  s.SetFillStyle(FillStyle::kSolid);
  s.Circle(8, 5, 1, 0);        // a plus sign, not a square
  s.Circle(5.5f, 9, 1.2f, 0);  // box 4..7 by 8..10
  EXPECT_EQ(Drawn(s), (Pixels{{5, 5},
                              {8, 4},
                              {7, 5},
                              {8, 5},
                              {9, 5},
                              {8, 6},
                              {5, 8},
                              {6, 8},
                              {4, 9},
                              {5, 9},
                              {6, 9},
                              {7, 9},
                              {5, 10},
                              {6, 10}}));
  // Radius 2: rows of 3, 5, 5, 5, 3 pixels whose inner 3 x 3 takes the fill colour when solid.
  s.Clear();
  s.SetFillColour(Packed(9, 9, 9));
  s.Circle(5, 5, 2, 0);
  EXPECT_FIELDS(FIELD(Drawn(s).size(), 21), FIELD(Drawn(s, 0).size(), 144 - 12));
  EXPECT_EQ(s.colourAt(6, 6), Packed(9, 9, 9));
  s.Clear();
  s.SetFillStyle(FillStyle::kTransparent);
  s.Circle(5, 5, 2, 0);
  EXPECT_EQ(Drawn(s).size(), 12u);
}

TEST(Circles, ClippingAtTheEdgesDrawsTheSamePixelsAsOnALargerSurface) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> pos(-6, 14), rad(0.2f, 9);
  for (int i = 0; i < 200; ++i) {
    const float x = std::round(pos(rng) * 4) / 4, y = std::round(pos(rng) * 4) / 4, r = rad(rng);
    Surface small(8, 8), large(48, 48);
    for (Surface* s : {&small, &large}) s->SetFillStyle(FillStyle::kSolid);
    small.Circle(x, y, r, Packed(1, 2, 3));
    large.Circle(x + 20, y + 20, r, Packed(1, 2, 3));  // an even shift rounds ties the same way
    for (int v = 0; v < 8; ++v)
      for (int u = 0; u < 8; ++u) ASSERT_EQ(small.pixel(u, v), large.pixel(u + 20, v + 20)) << i;
  }
  Surface s(6, 6);
  s.SetFillStyle(FillStyle::kSolid);
  s.Circle(3, 3, 1e7f, 0);
  EXPECT_TRUE(Drawn(s, 0).empty());
}

TEST(Polygons, FillInsideHalfOpenThenOutlineWithThePen) {
  Surface s(8, 6);
  s.SetFillStyle(FillStyle::kSolid);
  s.SetFillColour(Packed(200, 200, 200));
  s.SetForeColour(Packed(1, 0, 0));
  const PixelPoint rect[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
  s.Polygon(rect);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool in = x >= 1 && x <= 5 && y >= 1 && y <= 4, edge = x == 1 || x == 5 || y == 1 || y == 4;
      ASSERT_EQ(s.colourAt(x, y), !in ? 0xFFFFFF : edge ? Packed(1, 0, 0) : Packed(200, 200, 200)) << x << "," << y;
    }
  s.Clear();
  const PixelPoint sliver[] = {{0, 0}, {2, 5}, {0, 5}};  // the slanted edge cuts row 1 at 0.4
  s.Polygon(sliver);
  EXPECT_EQ(s.pixel(1, 1), 0xFFFFFFu);
}

TEST(Resize, ShrinkingKeepsTheSheetAndGrowingShowsItAgain) {
  Picture sheet{4, 4, {}};
  for (int i = 0; i < 16; ++i) sheet.pixels.push_back(PixelRgb(i, 2 * i, 3 * i));
  Surface s(4, 2);
  s.SetBackColour(Packed(100, 100, 100));
  s.SetPixelV(0, 0, 0);
  s.LoadPicture(sheet);  // replaces earlier drawings
  s.Resize(0, 0);
  EXPECT_EQ(s.width(), 0);
  Surface dst(4, 4);
  Blit(dst, 0, 0, 4, 4, s, 0, 0, RasterOp::kCopy);
  EXPECT_TRUE(Drawn(dst).empty());
  s.Resize(4, 4);  // larger than when it was loaded
  for (int i = 0; i < 16; ++i) ASSERT_EQ(s.pixel(i % 4, i / 4), sheet.pixels[i]) << i;
  s.SetPixelV(1, 1, 0x123456);
  s.Resize(2, 2);
  s.Resize(5, 3);
  // Drawings in the kept part stay; the exposed part shows the sheet, or the background beyond it.
  EXPECT_FIELDS(FIELD(s.colourAt(1, 1), 0x123456), FIELD(s.pixel(2, 2), sheet.pixels[10]),
                FIELD(s.pixel(4, 2), 0x646464u));
  s.Clear();
  EXPECT_EQ(s.pixel(1, 1), sheet.pixels[5]);
}

}  // namespace
}  // namespace quandel
