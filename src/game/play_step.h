// One simulated frame of a play, as a pure function of the play and that frame's input. Nothing
// here waits, draws or touches a file or device: what a frame wants done outside the simulation
// comes back in its report (sounds, the end of the play, a full replay table), except the saving
// of the result, which draws its scramble digits from the play's one generator and so must run at
// its exact place inside the frame (see ResultRecorder).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "game/game_state.h"

namespace quandel {

// A sound the play asks for. Bomb channels and bomb waves carry their number 1..12.
struct SoundCue {
  enum class Kind : uint8_t { kMusic, kTick, kExtend, kBomb, kMagnet, kShort, kBombChannel, kBombWave };
  Kind kind = Kind::kMusic;
  uint8_t number = 0;
  bool operator==(const SoundCue&) const = default;
};
using SoundCues = std::vector<SoundCue>;

// A live mouse or wheel event as the window delivered it; wheel notches carry no position.
struct InputEvent {
  enum class Kind : uint8_t { kMove, kDown, kWheelTowards, kWheelAway };
  Kind kind = Kind::kMove;
  int16_t button = 0;     // 1 left, 2 right
  int16_t modifiers = 0;  // Shift 1 + Ctrl 2 + Alt 4
  float x = 0, y = 0;
};

// Where the result of a play goes the moment it is recorded: the scores (and, when it should be
// kept, the recording) are saved there. `rank` is the place the play took (0: none); `replayFull`
// means the recording filled the whole table and cannot be kept.
class ResultRecorder {
 public:
  virtual ~ResultRecorder() = default;
  virtual void RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                            bool replayFull) = 0;
};

// What one frame did besides changing the play.
struct FrameReport {
  SoundCues sounds;        // in the order the frame asked for them
  bool simulated = false;  // a full pass: the objects moved, and a picture may be drawn
  bool over = false;       // the play is finished or was left; back to the title
  bool resultRecorded = false;
  uint8_t rank = 0;         // with resultRecorded: the place taken in the best scores (0: none)
  bool replayFull = false;  // with resultRecorded: the recording could not be kept
};

// Start-of-play initialisation; asks for the music.
void StartPlay(PlayState& play, ReplayTable& replay, SoundCues& sounds);

// Live events through the play's handlers, in their order.
void ApplyLiveInput(PlayState& play, ReplayTable& replay, std::span<const InputEvent> input, SoundCues& sounds);

// One frame: this frame's live events, the recorded input of a replay, the end of the play, the
// clock and meters, spawning and the object update. `scores` takes the result of a live play.
FrameReport StepPlayFrame(PlayState& play, ReplayTable& replay, ScoreTable& scores, std::span<const InputEvent> input,
                          ResultRecorder& recorder);

// Inserts a score into the table below every entry it does not beat; returns its place (1..3) or
// 0 when it stays out.
uint8_t RankScore(ScoreTable& scores, int32_t score, int16_t stage);

// The distance the extend meter must reach in `stage`: 1000, and 500 more for every five stages
// from stage 30 on. The frame step extends there and the HUD counts down to it.
inline double ExtendThreshold(int16_t stage) {
  return static_cast<double>(MaxOf(static_cast<float>(stage / 5 - 5), 0.0f)) * 500 + 1000;
}

}  // namespace quandel
