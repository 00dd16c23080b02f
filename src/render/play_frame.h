// Composing one drawn frame of a play in the back buffer and showing it.
//
// ComposePlayFrame runs every step below in this order; later steps draw over earlier ones. The
// steps are declared separately so each can be drawn (and checked) on its own. They read the game
// state only; the frame clock changes frameSkip, and the frame at frameNo 0 releases picBack2.
#pragma once

#include <cstdint>

#include "app/surfaces.h"
#include "game/game_state.h"

namespace quandel {

class App;
class Platform;

// The whole frame: playfield, fire, cursor, boxes, markers, HUD, frame clock, opening wipe, and
// presentation (picBack copied to picMain, which the platform shows). Install it as
// app.composePlayFrame.
void ComposePlayFrame(App& app);

// Tint added to the base colour of a box kind (its simplified box and simplified fire).
int32_t BoxTint(int kind);

// Scenery: background fill with its stage tints and wide-column darkening, the particles, the
// column bands, the guide line. Leaves picBack's fill style transparent.
void DrawScenery(Surface& back, const GameState& s);
// The bomb and magnet reach circles around the cursor while each is idle.
void DrawReachIndicators(Surface& back, const GameState& s);
// Every burning box: fire sprite, simplified rings, large fire built in picFire2, or simplified
// large rings, by kind and draw mode.
void DrawBurningBoxes(Surfaces& v, const GameState& s);
// The game's cursor sprite, centred on the cursor position.
void DrawCursor(Surface& back, const Surface& hud, const GameState& s);
// Every falling box, as a sprite (even draw modes) or a filled square (odd draw modes).
void DrawLiveBoxes(Surface& back, const Surface& boxSheet, const GameState& s);
// The running bomb blast and magnet.
void DrawBlastAndMagnet(Surface& back, const GameState& s);
// Gauges, counters, chain bars and results, time, banners, quit button, logo or replay label.
// `rank` is the place the play took in the best scores (0: none).
void DrawHud(Surface& back, const Surface& hud, const GameState& s, uint8_t rank);
// Frames per second of the last whole second, at the lower right corner.
void DrawFrameRateCounter(Surface& back, const Surface& hud, const FpsClock& clock);
// During the opening (frameNo < 0) the previous picture parts from x = 230; at frameNo 0 picBack2
// is released.
void OpeningWipe(Surfaces& v, int32_t frameNo);

}  // namespace quandel
