// config.txt: two switches the player sets by editing a text file (replays off, simpler
// drawing), followed by comment lines that explain them. Read once at start-up and always
// written anew, so a missing file is created and a damaged one put right.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kSettingsFileName = "config.txt";
// Only the first two fields count; a file larger than this is read no further.
inline constexpr size_t kSettingsReadLimit = 64 * 1024;

// The two values (ReplaySave, DrawMode) from the start of the file, checked: ReplaySave = 1 turns
// recording off and anything else leaves it on; anything above 3 for DrawMode reads as 0. A field
// that is missing or yields no number reads as 0. `whole` is false when `text` is only the start of
// a larger file; a field that runs past its end then reads as 0 too.
Settings ParseSettings(std::string_view text, bool whole = true);
// The fourteen lines the game writes, CR LF endings, UTF-8.
std::string SettingsText(const Settings& settings);

// Sets recordingOff and drawMode from the file (off and 0 without one) and rewrites the file with
// the values in use. A failed write is ignored: the values stand, the old file stays.
void LoadSettings(Settings& settings, const DataDir& dir);

}  // namespace quandel
