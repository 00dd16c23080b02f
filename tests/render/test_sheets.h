// Sheets of the render tests' own, independent of the game's art: every picture is a square of its
// own colour on white, inside a mask white over the square and black around it.
#pragma once

#include <cstdint>

#include "render/sheet_layout.h"
#include "render/surfaces.h"

namespace quandel::testing {

// The colour the test sheets give the picture whose image rectangle is `image`.
int32_t SheetColour(const sheet::Rect& image);

// How far the coloured square lies inside a HUD picture, a box cell and fire frame q.
inline constexpr int kHudInset = 1;
inline constexpr int kBoxInset = 3;
constexpr int FireInset(int q) { return 5 + q; }

void PaintHudSheet(Surface& hudSheet);
void PaintBoxSheet(Surface& boxSheet);
void PaintFireSheet(Surface& fireSheet);

// Sizes the surfaces as start-up does for `drawMode` and paints the test sheets; previousPicture is grey 100.
void PrepareTestSurfaces(Surfaces& v, int drawMode);

}  // namespace quandel::testing
