// replay.dat: the recorded input of one live play, every number in scrambled digits.
#pragma once

#include "game/game_state.h"
#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kReplayFileName = "replay.dat";

// Sets replayLast = replayPos - 1 and writes slots 0..replayLast. False when the save failed
// (the previous file is then untouched).
bool SaveReplay(GameState& state, const DataDir& dir);
// Fills slots 0..replayLast from the file and sets replayLast; replayLast = 0 without a file.
// Slots the file does not hold whole read as zeros; slots above replayLast are left alone.
void LoadReplay(GameState& state, const DataDir& dir);

}  // namespace quandel
