// scr.hsc: the title-screen settings and the three best scores with their stages, 56 bytes.
#pragma once

#include <string>
#include <string_view>

#include "game/game_state.h"
#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kHighScoreFileName = "scr.hsc";
inline constexpr size_t kHighScoreFileBytes = 56;
// The largest score and stage that fit their digits; larger ones are stored as these.
inline constexpr int32_t kMaxStoredScore = 999999;
inline constexpr int32_t kMaxStoredStage = 99;

// The file's bytes for the four title settings and the table. Draws 56 numbers from `rng`.
std::string EncodeHighScores(const Settings& settings, const ScoreTable& scores, Rng& rng);
// Sets the four settings and the table from a file's bytes; fields the bytes do not hold read
// as 0. Returns false when a score is 0 or damaged: the table then holds the defaults.
bool DecodeHighScores(std::string_view bytes, Settings& settings, ScoreTable& scores);

// Writes the settings and the table. False when the save failed (the old file stays).
bool SaveHighScores(const Settings& settings, const ScoreTable& scores, Rng& rng, const DataDir& dir);
// Reads the settings and the table; falls back to the default table (and saves it) when a
// score is missing or damaged. Without a file: every value takes its default.
void LoadHighScores(Settings& settings, ScoreTable& scores, Rng& rng, const DataDir& dir);

}  // namespace quandel
