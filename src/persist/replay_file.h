// replay.dat: the recorded input of one live play, every number in scrambled digits.
#pragma once

#include <string>
#include <string_view>

#include "game/game_state.h"
#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kReplayFileName = "replay.dat";
inline constexpr size_t kReplayHeaderBytes = 8;
inline constexpr size_t kReplaySlotBytes = 36;

// The file's bytes for slots 0..replayLast (those the table holds). Draws 8 + 36 numbers per
// slot from `rng`.
std::string EncodeReplay(const ReplayTable& table, Rng& rng);
// Sets replayLast from the header (kept inside the table) and fills slots 0..replayLast; slots
// the bytes do not hold whole read as zeros, slots above replayLast are left alone.
void DecodeReplay(std::string_view bytes, ReplayTable& table);

// Why `bytes` cannot be a replay the game wrote, or "" when they can be: a header and at least one
// whole record, every number in the saved digit form, as many records as the header announces.
// For files a user names; the title's own replay.dat is read leniently by LoadReplay.
std::string ReplayFileFault(std::string_view bytes);

// Sets replayLast = replayPos - 1 (the slots a play filled) and writes slots 0..replayLast. False when the save failed
// (the previous file is then untouched).
bool SaveReplay(ReplayTable& table, int16_t replayPos, Rng& rng, const DataDir& dir);
// Fills slots 0..replayLast from the file and sets replayLast; replayLast = 0 without a file.
void LoadReplay(ReplayTable& table, const DataDir& dir);

}  // namespace quandel
