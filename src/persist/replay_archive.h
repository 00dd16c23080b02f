// Every finished live play, kept in replays/ next to the other files, in replay.dat's format:
// replays/2026-12-06_21-05-33_076270.qreplay (local time, then the score), so a listing sorts by
// time and shows the score. The 200 most recent and the 10 best stay; older ones go.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/rng.h"
#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kReplayFolder = "replays";
inline constexpr const char* kReplayExtension = ".qreplay";
inline constexpr size_t kKeepRecentReplays = 200;
inline constexpr size_t kKeepBestReplays = 10;

// The file name for a play that ended at `when` with `score`.
std::string ArchiveName(std::time_t when, int32_t score);
// The score a name of ours carries (exactly as ArchiveName writes it, or with -2 ... -99 before
// the extension), or -1 for any other name, however close.
int32_t ArchivedScore(const std::string& name);
// Of the names given, those to remove: every name of ours but the most recent and the best.
std::vector<std::string> ReplaysToPrune(std::vector<std::string> names, size_t keepRecent = kKeepRecentReplays,
                                        size_t keepBest = kKeepBestReplays);

// Saves slots 0..replayPos-1 of `table` under replays/ and prunes the folder: only regular files
// with names of ours are ever removed; links, folders, pipes and the player's files stay. The
// scramble digits come from a copy of the play's generator, so keeping a play changes nothing in
// it. False when the file could not be saved.
bool ArchiveReplay(const DataDir& dir, const ReplayTable& table, int16_t replayPos, Rng rng, int32_t score,
                   std::time_t when);

}  // namespace quandel
