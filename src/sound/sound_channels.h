// The game's named sound channels, driven by command strings, and the bomb sounds held in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/play_step.h"

namespace quandel {

class Platform;

// The twelve bomb sounds played from memory: low 1-4, mid 1-4, high 1-4 (index 0..11).
using BombWaves = std::array<std::vector<uint8_t>, 12>;

// snd/bomb_N.wav, N = 1..12.
std::string BombWaveFile(int n);

// Closes every channel and opens it again on its file or, when the settings silence it, on the
// null target.
void OpenSoundChannels(Platform& platform, const Settings& settings);
// The numbered bomb channels, Bomb1 ... Bomb12.
void CloseBombChannels(Platform& platform);
// Every channel, as the window closes.
void CloseSoundChannels(Platform& platform);

// The channel command a cue sends ("play Tick notify from 0"), or "wave N" for a bomb wave.
std::string SoundCueText(const SoundCue& cue);
// Sends the cue's command, or plays bomb wave N from memory.
void PlaySoundCue(Platform& platform, const SoundCue& cue, const BombWaves& waves);

}  // namespace quandel
