// A play in the window: the paced loop around the frame step, and what the step's reports ask for
// (sounds, saves, a message box, pictures).
#pragma once

#include "game/play_step.h"
#include "persist/data_dir.h"

namespace quandel {

class App;

// The text of the message shown when a recording filled the whole replay table.
inline constexpr const char* kReplayFullMessage = "申し訳ありませんが、リプレイデータを作成することができませんでした";

// Saves a result where the game keeps its files: the settings and best scores always; the
// recording of a play that records, when no replay is stored yet or the play took first place.
class SavingRecorder : public ResultRecorder {
 public:
  SavingRecorder(const Settings& settings, const DataDir& dir) : settings_(settings), dir_(dir) {}
  void RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                    bool replayFull) override;

 private:
  const Settings& settings_;
  const DataDir& dir_;
};

// One play or replay, from its start until it hands back to the title screen (or the window
// closes). app.menu.inPlay is 1; for a replay, app.play.replayMode is 1 with the table loaded.
void PlayGame(App& app);

}  // namespace quandel
