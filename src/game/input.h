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
void picMain_MouseMove(PlayState& s, ReplayTable& replay, int16_t button, int16_t marker, float x, float y);
void picMain_MouseDown(PlayState& s, ReplayTable& replay, SoundCues& sounds, int16_t button, int16_t marker, float x, float y);
void WheelMinus(PlayState& s, ReplayTable& replay, uint8_t marker);
void WheelPlus(PlayState& s, ReplayTable& replay, uint8_t marker);

// Which title-menu item (0 none, 1 start, 2-6 frame skip, 7-8 music, 9-11 effects, 12 replay)
// lies under (x, y).
uint8_t TitleItemAt(float x, float y, bool replayAvailable);
bool OnQuitButton(float x, float y);

// A click on title item `item`: starts a play or a replay, or changes a setting.
enum class TitleChoice { kNone, kPlay, kReplay, kFrameSkip, kSound };
TitleChoice TitleClick(uint8_t item, Settings& settings);

}  // namespace quandel
