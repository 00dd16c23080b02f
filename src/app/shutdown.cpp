#include "app/shutdown.h"

#include "persist/high_scores.h"
#include "sound/sound_channels.h"

namespace quandel {

void ShutDown(const Settings& settings, const ScoreTable& scores, Rng& rng, const DataDir& dir, SoundOutput& sound) {
  SaveHighScores(settings, scores, rng, dir);
  CloseSoundChannels(sound);
}

}  // namespace quandel
