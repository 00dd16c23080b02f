// Watching a recorded play without a window: the play runs frame by frame through the frame step,
// exactly as a freshly started program with default settings would run it from its title screen.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/recorders.h"
#include "game/game_state.h"
#include "game/play_step.h"

namespace quandel {

struct ReplayOutcome {
  int32_t score = 0;
  int16_t stage = 0;
  int32_t frameNo = 0;
};

// Reads a replay file (any name, same format as replay.dat) into `table`. False, with a one-line
// reason in `error`, when it is missing, not a regular file, unreadable or not a replay the game
// could have written (ReplayFileFault).
bool LoadReplayFile(const std::string& path, ReplayTable& table, std::string* error);

// One recorded play, stepped frame by frame. Nothing is written anywhere: the result is encoded
// as a save would encode it (the digits are drawn from the play's generator) and dropped.
class ReplayRun {
 public:
  explicit ReplayRun(ReplayTable table);

  // Simulates the next frame; false once the play is over.
  bool Step();
  // The last frame was a full pass (the objects moved; the game would draw it).
  bool simulated() const { return report_.simulated; }
  const FrameReport& report() const { return report_; }
  const PlayState& play() const { return play_; }
  ReplayOutcome outcome() const { return {play_.score, play_.stage, play_.frameNo}; }
  // The sounds asked for since the last call: as cues, or as the game's channel commands.
  SoundCues TakeCues();
  std::vector<std::string> TakeSounds();

 private:
  ReplayTable table_;
  PlayState play_;
  ScoreTable scores_;
  NoSaving recorder_;
  FrameReport report_;
  SoundCues sounds_;
};

// Runs the play in `file` to its end and writes its trace, one line per simulated frame, or (without
// `trace`) the line "score=S stage=T frames=F". False, with the reason in `error`, when the file
// cannot be read.
bool PrintReplay(const std::string& file, bool trace, FILE* out, std::string* error);

}  // namespace quandel
