// The scrolling column the boxes fall down: seven bands 100 px apart, shaded and thinned out as
// the play climbs.
#pragma once

#include "platform/surface.h"

namespace quandel {

// Which shading and thinning rules the bands follow. The play uses the defaults; the title screen
// draws every band alike: {.shadeByNumber = false, .shadeByWidth = false, .thinOut = false,
// .baseShade = scratch[0]} (0).
struct BandRules {
  bool shadeByNumber = true;  // every fifth band 20 darker, every tenth 40
  bool shadeByWidth = true;   // a column wider than 200 darkens every band by the excess
  bool thinOut = true;        // bodies only every fifth band from band 100, edges thinned from 150
  float baseShade = 0;        // added to the shade of every band
};

// The column of width `fieldWidth` centred on x = 230 as seven bands 100 px apart, scrolled down by
// `scrollPos`. Sets dst's fill style to solid (it stays so) and leaves its fill colour changed.
//   DrawColumnBands(backBuffer, s.fieldWidth, s.scrollPos, BandRules{});              // play
//   DrawColumnBands(backBuffer, 200, s.scrollPos, {false, false, false, s.scratch[0]}); // title
void DrawColumnBands(Surface& dst, float fieldWidth, float scrollPos, const BandRules& rules);

}  // namespace quandel
