// The one way a sprite reaches a picture, and the rounding of every position handed to a blit.
#pragma once

#include "platform/surface.h"
#include "render/sheet_layout.h"

namespace quandel {

// OR the mask (white where the picture is) into dst at (x, y), then AND the image (the picture on
// a white ground) into the same place.
//   MaskedBlit(backBuffer, 86, 36, hudSheet, sheet::kHudCursor);
void MaskedBlit(Surface& dst, int x, int y, const Surface& src, const sheet::Sprite& sprite);

// Game positions are floats; a blit position is the nearest pixel, ties to even.
//   MaskedBlitAt(backBuffer, box.x - 8, box.y - 8, boxSheet, cell);
void MaskedBlitAt(Surface& dst, double x, double y, const Surface& src, const sheet::Sprite& sprite);

// Nearest pixel, ties to even: the rounding of every position handed to a blit, point or polygon.
int PixelRound(double v);

}  // namespace quandel
