#include "render/masked_blit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "game/numeric.h"

namespace quandel {

void MaskedBlit(Surface& dst, int x, int y, const Surface& src, const sheet::Sprite& sprite) {
  Blit(dst, x, y, sprite.mask.w, sprite.mask.h, src, sprite.mask.x, sprite.mask.y, RasterOp::kOr);
  Blit(dst, x, y, sprite.image.w, sprite.image.h, src, sprite.image.x, sprite.image.y, RasterOp::kAnd);
}

int PixelRound(double v) {
  // Positions far outside the picture only need to stay far outside.
  if (!std::isfinite(v)) return INT32_MIN / 2;
  return static_cast<int>(std::clamp<int64_t>(RoundHalfEven(v), INT32_MIN / 2, INT32_MAX / 2));
}

void MaskedBlitAt(Surface& dst, double x, double y, const Surface& src, const sheet::Sprite& sprite) {
  MaskedBlit(dst, PixelRound(x), PixelRound(y), src, sprite);
}

}  // namespace quandel
