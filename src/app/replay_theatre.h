// Watching a recorded play with pause, single steps, speeds from a quarter to sixteen times, and
// seeking anywhere. A whole play simulates in a few tens of milliseconds, so seeking simply
// simulates again from the start: exact, with nothing stored along the way.
#pragma once

#include <cstdint>
#include <span>

#include "app/recorders.h"
#include "game/game_state.h"
#include "game/play_step.h"
#include "platform/platform.h"

namespace quandel {

class ReplayTheatre {
 public:
  static constexpr int kFramesPerSecond = 60;
  // Speeds in quarters of the normal rate: 1/4, 1/2, 1, 2, 4, 8, 16.
  static constexpr int kSpeeds[] = {1, 2, 4, 8, 16, 32, 64};
  static constexpr int kNormalSpeed = 2;

  // `start` is the play right after StartPlay; the theatre keeps its own copy of the recording.
  // The length is found by simulating the whole play once.
  ReplayTheatre(const PlayState& start, const ReplayTable& table, const ScoreTable& scores);

  // Space pauses and resumes; Right steps one frame while paused; Up/Plus and Down/Minus change the
  // speed; Left goes back 5 s, Page Up back 30 s, Page Down forward 30 s, Home to the start.
  // Returns false for a key that is no control.
  bool Control(Key key);

  // One shown frame (1/60 s): simulates as many frames as the speed asks for (one for a step while
  // paused). `recorder` takes the result the first time the play records it; re-simulations draw
  // the same numbers but save nothing. Live input goes to the first frame simulated. Sounds are
  // added to `sounds` only at normal speed or slower.
  void Advance(std::span<const InputEvent> input, ResultRecorder& recorder, SoundCues& sounds);

  const PlayState& play() const { return play_; }
  const ScoreTable& scores() const { return scores_; }
  bool over() const { return over_; }
  bool paused() const { return paused_; }
  int speedQuarters() const { return kSpeeds[speed_]; }
  int position() const { return position_; }  // frames simulated since the start
  int length() const { return length_; }
  // Shown frames since a control was last used (the overlay fades after two seconds).
  int sinceControl() const { return sinceControl_; }
  bool simulatedLastFrame() const { return simulated_; }

  // Simulates up to `frame` (clamped to the play), with no sound: on from the frame shown when it
  // lies ahead, again from the start when it lies behind.
  void SeekTo(int frame);

 private:
  bool StepOnce(std::span<const InputEvent> input, ResultRecorder& recorder, SoundCues* sounds);

  PlayState start_;
  ReplayTable startTable_;
  ScoreTable startScores_;
  PlayState play_;
  ReplayTable table_;
  ScoreTable scores_;
  NoSaving silent_;
  bool resultSaved_ = false;
  bool over_ = false;
  bool paused_ = false;
  bool stepRequested_ = false;
  bool simulated_ = false;
  int speed_ = kNormalSpeed;
  int quarters_ = 0;
  int position_ = 0;
  int length_ = 0;
  int sinceControl_ = 1 << 20;
};

}  // namespace quandel
