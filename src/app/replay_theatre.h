// Watching a recorded play with pause, single steps, speeds from a quarter to sixteen times,
// seeking anywhere and rewinding. The first run through the play, which finds its length, keeps a
// key frame (the whole simulated state) every second; a seek starts from the nearest key frame at
// or before its target and simulates the rest, so every frame shown is exactly the frame a
// straight run gives there.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

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
  // One key frame a second: a seek simulates at most 59 frames (well under a millisecond), and a
  // key frame is one PlayState (about 5.5 KB), so a 100-s play keeps about half a megabyte.
  static constexpr int kKeySpacing = kFramesPerSecond;
  // Left let go within this many shown frames of being pressed is a tap (back 5 s); held longer,
  // it rewinds until let go.
  static constexpr int kHoldFrames = 12;

  // `start` is the play right after StartPlay; the theatre keeps its own copy of the recording.
  // The length is found, and the key frames kept, by simulating the whole play once.
  ReplayTheatre(const PlayState& start, const ReplayTable& table, const ScoreTable& scores);

  // Space pauses and resumes; Right steps one frame while paused; Up/Plus and Down/Minus change the
  // speed; Left tapped goes back 5 s and held rewinds; Page Up goes back 30 s, Page Down forward
  // 30 s, Home to the start. Stepped or sought onto the last frame, the play holds there, paused
  // (only playing on ends it); Space or Home there plays it again from the start. Returns false
  // for a key that is no control.
  bool Control(Key key);
  // A key let go (only Left means anything).
  void Release(Key key);

  // One shown frame (1/60 s): simulates as many frames as the speed asks for (one for a step while
  // paused), or goes back as many while rewinding. `recorder` takes the result the first time the
  // play records it; re-simulations draw the same numbers but save nothing. Live input goes to the
  // first frame simulated. Sounds are added to `sounds` only going forwards at normal speed or
  // slower.
  void Advance(std::span<const InputEvent> input, ResultRecorder& recorder, SoundCues& sounds);

  const PlayState& play() const { return play_; }
  const ScoreTable& scores() const { return scores_; }
  bool over() const { return over_; }
  bool paused() const { return paused_; }
  bool rewinding() const { return rewinding_; }
  // On the last frame, paused: the play waits there for Space, Home or Esc.
  bool holdingAtEnd() const { return paused_ && position_ == length_; }
  int speedQuarters() const { return kSpeeds[speed_]; }
  int position() const { return position_; }  // frames simulated since the start
  int length() const { return length_; }
  // Shown frames since a control was last used (the overlay fades after two seconds).
  int sinceControl() const { return sinceControl_; }
  bool simulatedLastFrame() const { return simulated_; }
  size_t keyFrameBytes() const { return keys_.size() * sizeof(KeyFrame); }

  // Shows `frame` (clamped to the play), with no sound.
  void SeekTo(int frame);

 private:
  // Everything a frame step changes; the recording itself never changes while it is watched.
  struct KeyFrame {
    PlayState play;
    ScoreTable scores;
  };

  // `recorder` null: a re-simulation, which saves nothing.
  bool StepOnce(std::span<const InputEvent> input, ResultRecorder* recorder, SoundCues* sounds);
  void Restore(const KeyFrame& key, int position);
  // The frames from the key frame at or before `frame` up to the next key frame, kept for rewinding.
  const KeyFrame& StretchFrame(int frame);

  PlayState play_;
  ReplayTable table_;
  ScoreTable scores_;
  std::vector<KeyFrame> keys_;  // keys_[i] holds position i * kKeySpacing
  std::vector<KeyFrame> stretch_;
  int stretchStart_ = -1;
  NoSaving silent_;
  bool resultSaved_ = false;
  bool over_ = false;
  bool paused_ = false;
  bool stepRequested_ = false;
  bool simulated_ = false;
  bool leftDown_ = false;
  bool rewinding_ = false;
  int leftHeld_ = 0;
  int speed_ = kNormalSpeed;
  int quarters_ = 0;
  int position_ = 0;
  int length_ = 0;
  int sinceControl_ = 1 << 20;
};

}  // namespace quandel
