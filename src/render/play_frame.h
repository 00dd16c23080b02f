// Composing one drawn frame of a play in the back buffer and copying it to screen.
//
// ComposePlayFrame runs every step below in this order; later steps draw over earlier ones. The
// steps are declared separately so each can be drawn (and checked) on its own. They read the play
// only; the frame at frameNo 0 releases previousPicture.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "render/surfaces.h"

namespace quandel {

// What a frame shows besides the play: how it is drawn, the place the play took in the best
// scores (0: none), and the drawing clock whose last measurement the counter shows.
struct PlayView {
  uint8_t drawMode = 0;
  uint8_t rank = 0;
  const FpsClock& clock;
};

// The whole frame: playfield, fire, cursor, boxes, markers, HUD, frame clock, opening wipe, and
// backBuffer copied to screen, ready to be shown.
void ComposePlayFrame(Surfaces& v, const PlayState& s, const PlayView& view);

// Tint added to the base colour of a box kind (its simplified box and simplified fire).
int32_t BoxTint(int kind);

// Scenery: background fill with its stage tints and wide-column darkening, the particles, the
// column bands, the guide line. Leaves backBuffer's fill style transparent.
void DrawScenery(Surface& back, const PlayState& s);
// The bomb and magnet reach circles around the cursor while each is idle.
void DrawReachIndicators(Surface& back, const PlayState& s);
// Every burning box: fire sprite, simplified rings, large fire built in largeFire, or simplified
// large rings, by kind and draw mode.
void DrawBurningBoxes(Surfaces& v, const PlayState& s, uint8_t drawMode);
// The game's cursor sprite, centred on the cursor position.
void DrawCursor(Surface& back, const Surface& hud, const PlayState& s);
// Every falling box, as a sprite (even draw modes) or a filled square (odd draw modes).
void DrawLiveBoxes(Surface& back, const Surface& boxSheet, const PlayState& s, uint8_t drawMode);
// The running bomb blast and magnet.
void DrawBlastAndMagnet(Surface& back, const PlayState& s);
// Gauges, counters, chain bars and results, time, banners, quit button, logo or replay label.
// `rank` is the place the play took in the best scores (0: none).
void DrawHud(Surface& back, const Surface& hud, const PlayState& s, uint8_t rank);
// Frames per second of the last whole second, at the lower right corner.
void DrawFrameRateCounter(Surface& back, const Surface& hud, const FpsClock& clock);
// During the opening (frameNo < 0) the previous picture parts from x = 230; at frameNo 0 previousPicture
// is released.
void OpeningWipe(Surfaces& v, int32_t frameNo);

}  // namespace quandel
