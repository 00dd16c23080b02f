#include "app/recorders.h"

#include <ctime>

#include "persist/high_scores.h"
#include "persist/replay_archive.h"
#include "persist/replay_file.h"

namespace quandel {

void SavingRecorder::RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                                  bool replayFull) {
  if (play.replayMode == 0 && !play.recordingOff && !replayFull) {
    ArchiveReplay(dir_, replay, play.replayPos, play.rng, play.score, std::time(nullptr));
  }
  SaveHighScores(settings_, scores, play.rng, dir_);
  if (!replayFull && !play.recordingOff && (!dir_.Exists(kReplayFileName) || rank == 1)) {
    SaveReplay(replay, play.replayPos, play.rng, dir_);
  }
}

void NoSaving::RecordResult(PlayState& play, ReplayTable&, const ScoreTable& scores, uint8_t, bool) {
  EncodeHighScores(Settings{}, scores, play.rng);
}

}  // namespace quandel
