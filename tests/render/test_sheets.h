// Sheets painted by the render tests themselves, so that the pictures they check do not depend on
// the game's art: every picture is a square of its own colour on a white ground, inside a mask that
// is white over the same square and black around it.
#pragma once

#include <cstdint>

#include "render/surfaces.h"
#include "render/sheet_layout.h"

namespace quandel::testing {

// The colour the test sheets give the picture whose image rectangle is `image`.
int32_t SheetColour(const sheet::Rect& image);

// How far the coloured square lies inside each cell: HUD pictures and box cells 1 and 3 pixels,
// fire cells by their frame (frame q of the fire sheet is coloured from 5 + q pixels in).
inline constexpr int kHudInset = 1;
inline constexpr int kBoxInset = 3;
constexpr int FireInset(int q) { return 5 + q; }

void PaintHudSheet(Surface& picLogo);
void PaintBoxSheet(Surface& picChara);
void PaintFireSheet(Surface& picFire);

// Sizes every surface as start-up does for `drawMode` and paints the test sheets; picBack2 holds a
// plain grey 100 picture.
void PrepareTestSurfaces(Surfaces& v, int drawMode);

}  // namespace quandel::testing
