#include "render/fire_sheet.h"

#include "game/numeric.h"

namespace quandel {

namespace {

constexpr int32_t kGreyStep = 1 + 256 + 65536;  // adds one to each of R, G and B
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0;

// 44 - (top - t)^2 / spread in double, stored as a 32-bit float and clamped at 0.
float Radius(float top, float t, double spread) {
  const double d = static_cast<double>(top) - t;
  return MaxOf(static_cast<float>(kFireHalfCell - d * d / spread - 1), 0.0f);
}

void Disc(Surface& s, int cx, int cy, float r, int32_t colour) {
  s.SetFillColour(colour);
  s.Circle(static_cast<float>(cx), static_cast<float>(cy), r, colour);
}

}  // namespace

FireRadii FireFrameRadii(int q) {
  FireRadii r;
  r.outer = Radius(30, static_cast<float>(q), 20.0);
  r.hole = Radius(20, MaxOf(static_cast<float>(q - 10), 0.0f), 8.89);
  r.core = Radius(25, MaxOf(static_cast<float>(q - 5), 0.0f), 13.89);
  return r;
}

PixelPoint FireImageCell(int q, int k) {
  return {kFireCell * (q % kFireColumns), kFireCell * (2 * k + q / kFireColumns)};
}

PixelPoint FireMaskCell(int q) { return {kFireCell * (q % kFireColumns), kFireCell * (4 + q / kFireColumns)}; }

void GenerateFireSheet(Surface& fireSheet, const std::array<int32_t, 4>& colours, std::array<float, 8>& scratch) {
  fireSheet.SetFillStyle(FillStyle::kSolid);
  for (int q = 0; q < kFireFrames; ++q) {
    const FireRadii r = FireFrameRadii(q);
    scratch[2] = r.outer;
    scratch[3] = r.hole;
    const int32_t ringAdd = (30 - q) * kGreyStep;
    const int32_t coreAdd = RoundI32(MaxOf(static_cast<float>(15 - q), 0.0f)) * kGreyStep;
    const int cx = kFireHalfCell + FireImageCell(q, 0).x;
    for (int k = 0; k < 2; ++k) {
      const int cy = kFireHalfCell + FireImageCell(q, k).y;
      Disc(fireSheet, cx, cy, r.outer, colours[k] + ringAdd);
      Disc(fireSheet, cx, cy, r.core, colours[k] + coreAdd);
      Disc(fireSheet, cx, cy, r.hole, kWhite);
    }
    // The mask: black cell, white where the ring reaches, black again over the hole. The box takes
    // one pixel of the next cells too; those are drawn later and cover it.
    const PixelPoint m = FireMaskCell(q);
    fireSheet.FilledBox(static_cast<float>(m.x), static_cast<float>(m.y), static_cast<float>(m.x + kFireCell),
                        static_cast<float>(m.y + kFireCell), kBlack);
    Disc(fireSheet, m.x + kFireHalfCell, m.y + kFireHalfCell, r.outer, kWhite);
    Disc(fireSheet, m.x + kFireHalfCell, m.y + kFireHalfCell, r.hole, kBlack);
  }
}

}  // namespace quandel
