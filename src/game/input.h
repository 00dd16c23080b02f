// The mouse and wheel rules. Live and replayed events share one path; where an event comes from
// decides whether it changes the play (see EventSource).
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "game/play_step.h"

namespace quandel {

// Where an event comes from: live, with the modifier keys held (Shift 1 + Ctrl 2 + Alt 4), or
// replayed from the recording. A live event with no modifier acts in a live play, a replayed one
// in a replay. Both are compared with replayMode as one number, a replayed event counting as 1 and
// a live one as its modifier bits, so a live event with Shift alone also acts while a replay runs.
// That is how recorded plays have always been watched, and it is kept.
struct EventSource {
  int16_t modifiers = 0;
  bool replayed = false;
};
inline constexpr EventSource kLiveUnmodified{};
inline constexpr EventSource kReplayed{0, true};

// The play's handlers. Moves steer the scrolling and aim an idle bomb and magnet; clicks drop a
// bomb (left) or a magnet (right); a live click on the quit button ends the play.
void PointerMoved(PlayState& s, ReplayTable& replay, int16_t button, EventSource from, float x, float y);
void Clicked(PlayState& s, ReplayTable& replay, SoundCues& sounds, int16_t button, EventSource from, float x, float y);
void WheelTowards(PlayState& s, ReplayTable& replay, EventSource from);
void WheelAway(PlayState& s, ReplayTable& replay, EventSource from);

// The quit button at the bottom right of a play: the HUD draws it here, and a click here leaves.
struct ScreenRect {
  int x, y, w, h;
};
inline constexpr ScreenRect kQuitButton{480, 463, 80, 15};
// Inside kQuitButton; its right edge takes the mouse too, its bottom edge does not.
bool OnQuitButton(float x, float y);

}  // namespace quandel
