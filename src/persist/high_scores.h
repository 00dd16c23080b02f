// scr.hsc: the title-screen settings and the three best scores with their stages, 56 bytes.
#pragma once

#include "game/game_state.h"
#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kHighScoreFileName = "scr.hsc";

// Writes the settings and the table. False when the save failed (the old file stays).
bool SaveHighScores(GameState& state, const DataDir& dir);
// Reads the settings and the table; falls back to the default table (and saves it) when a
// score is missing or damaged. Without a file: every value takes its default.
void LoadHighScores(GameState& state, const DataDir& dir);

}  // namespace quandel
