// Where the result of a play goes when the frame step records it.
#pragma once

#include "game/play_step.h"
#include "persist/data_dir.h"

namespace quandel {

// Saves a result where the game keeps its files: every live play that records is kept in
// replays/; the settings and best scores are saved always; replay.dat for a play that records,
// when no replay is stored yet or the play took first place.
class SavingRecorder : public ResultRecorder {
 public:
  SavingRecorder(const Settings& settings, const DataDir& dir) : settings_(settings), dir_(dir) {}
  void RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                    bool replayFull) override;

 private:
  const Settings& settings_;
  const DataDir& dir_;
};

// Saves nothing, but draws what saving the scores draws from the play's generator: the rest of the
// play depends on those draws.
class NoSaving : public ResultRecorder {
 public:
  void RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                    bool replayFull) override;
};

}  // namespace quandel
