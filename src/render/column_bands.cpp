#include "render/column_bands.h"

#include <algorithm>
#include <cstdint>

#include "game/game_state.h"
#include "game/numeric.h"
#include "render/masked_blit.h"

namespace quandel {

void DrawColumnBands(Surface& dst, float fieldWidth, float scrollPos, const BandRules& rules) {
  dst.SetFillStyle(FillStyle::kSolid);
  const double w = fieldWidth;
  const double left = 230 - w / 2;
  const double right = 230 + w / 2;
  const int64_t sp = RoundHalfEven(scrollPos);
  const int64_t q = sp / 100;
  const int64_t d = Mod(sp, 100);
  auto grey = [](double g) {
    const int v = static_cast<int>(std::clamp<int64_t>(RoundHalfEven(g), 0, 255));
    return Rgb(v, v, v);
  };
  for (int p = -2; p <= 4; ++p) {
    const int64_t k = q - p;
    const double top = static_cast<double>(d + 100 * p);
    if (!rules.thinOut || Mod(k, 5) == 0 || k < 100) {
      double shade = rules.baseShade;
      if (rules.shadeByNumber) shade += -20.0 * (Mod(k, 10) == 0) - 20.0 * (Mod(k, 5) == 0);
      if (rules.shadeByWidth) shade -= w - 200;
      const PixelPoint points[8] = {
          {PixelRound(left - 10), PixelRound(top + 20)},   {PixelRound(left + 10), PixelRound(top)},
          {PixelRound(right - 10), PixelRound(top)},       {PixelRound(right + 10), PixelRound(top + 20)},
          {PixelRound(right + 10), PixelRound(top + 120)}, {PixelRound(right - 10), PixelRound(top + 100)},
          {PixelRound(left + 10), PixelRound(top + 100)},  {PixelRound(left - 10), PixelRound(top + 120)},
      };
      dst.SetFillColour(grey(200 + shade));
      dst.Polygon(points);
      dst.SetFillColour(grey(220 + shade));
      dst.Box(static_cast<float>(left + 11), static_cast<float>(top), static_cast<float>(right - 11),
              static_cast<float>(top + 100), Rgb(60, 60, 60));
    }
    if (!rules.thinOut || k < 150 || Mod(Mod(k, 5), 4) == 0) {
      dst.Line(static_cast<float>(left + 10), static_cast<float>(top), static_cast<float>(right - 10),
               static_cast<float>(top), grey(160));
      dst.Line(static_cast<float>(left + 10), static_cast<float>(top), static_cast<float>(left - 10),
               static_cast<float>(top + 20), grey(120));
      dst.Line(static_cast<float>(right - 10), static_cast<float>(top), static_cast<float>(right + 10),
               static_cast<float>(top + 20), grey(120));
    }
  }
}

}  // namespace quandel
