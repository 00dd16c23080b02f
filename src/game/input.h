// The mouse and wheel rules. Live and replayed events share one path; the marker tells them
// apart, and an event changes the play only when its marker equals replayMode.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "game/play_step.h"

namespace quandel {

inline constexpr int16_t kReplayedMarker = 1;

// The play's handlers. Moves steer the scrolling and aim an idle bomb and magnet; clicks drop a
// bomb (left) or a magnet (right); a live click on the quit button ends the play.
void PointerMoved(PlayState& s, ReplayTable& replay, int16_t button, int16_t marker, float x, float y);
void Clicked(PlayState& s, ReplayTable& replay, SoundCues& sounds, int16_t button, int16_t marker, float x, float y);
void WheelTowards(PlayState& s, ReplayTable& replay, uint8_t marker);
void WheelAway(PlayState& s, ReplayTable& replay, uint8_t marker);

// The quit button at the bottom right of a play: the HUD draws it here, and a click here leaves.
struct ScreenRect {
  int x, y, w, h;
};
inline constexpr ScreenRect kQuitButton{480, 463, 80, 15};
// Inside kQuitButton; its right edge takes the mouse too, its bottom edge does not.
bool OnQuitButton(float x, float y);

}  // namespace quandel
