// The game's sound channels in one table (what each plays and which setting silences it), the
// commands the settings and the play's cues send from it, and the chain sounds held in memory.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/play_step.h"
#include "sound/sound_output.h"

namespace quandel {

// The setting that opens a channel on the null target instead of its file.
enum class Silencer : uint8_t {
  kMusicOff,     // the music switched off
  kEffectsHalf,  // effects at half or off: the chain sounds
  kEffectsOff,   // effects off
};

struct SoundChannel {
  const char* alias;
  const char* file;  // relative to the data folder
  Silencer silencedBy;
  SoundCue::Kind cue;  // the cue that plays it
  uint8_t number;      // the chain channels: the cue's number 1..12; 0 for the others
};

// In the order they are opened (which gives each sample channel its mixer voice).
std::span<const SoundChannel> SoundChannels();
bool IsSilenced(const SoundChannel& channel, const Settings& settings);

// The twelve bomb sounds played from memory: low 1-4, mid 1-4, high 1-4 (index 0..11).
using BombWaves = std::array<std::vector<uint8_t>, 12>;
// The chain channels' files, read from `folder` (the working directory when it is empty); a
// silenced sound is the single byte 0. A missing file leaves the image as it was (never filled:
// it plays nothing).
void LoadBombWaves(BombWaves& waves, const Settings& settings, const std::string& folder);

// Closes every channel and opens it again on its file or, when the settings silence it, on the
// null target.
void OpenSoundChannels(SoundOutput& out, const Settings& settings);
// The chain channels, Bomb1 ... Bomb12.
void CloseBombChannels(SoundOutput& out);
// Every channel, as the window closes.
void CloseSoundChannels(SoundOutput& out);
// Stops the music (leaving a play for the title).
void StopMusic(SoundOutput& out);

// The command a cue sends, as the trace shows it ("play Tick notify from 0", "wave 5").
std::string SoundCueText(const SoundCue& cue);
// Sends the cue's command, or plays bomb wave N from memory.
void PlaySoundCue(SoundOutput& out, const SoundCue& cue, const BombWaves& waves);

}  // namespace quandel
