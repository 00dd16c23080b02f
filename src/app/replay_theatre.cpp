#include "app/replay_theatre.h"

#include <algorithm>


namespace quandel {

ReplayTheatre::ReplayTheatre(const PlayState& start, const ReplayTable& table, const ScoreTable& scores)
    : start_(start), startTable_(table), startScores_(scores), play_(start), table_(table), scores_(scores) {
  // The length is where a run with no live input ends.
  PlayState probe = start_;
  ReplayTable probeTable = startTable_;
  ScoreTable probeScores = startScores_;
  NoSaving silent;
  while (!StepPlayFrame(probe, probeTable, probeScores, {}, silent).over) ++length_;
}

bool ReplayTheatre::Control(Key key) {
  constexpr int kSecond = kFramesPerSecond;
  switch (key) {
    case Key::kSpace: paused_ = !paused_; break;
    case Key::kRight:
      if (paused_) stepRequested_ = true;
      break;
    case Key::kUp: case Key::kPlus: speed_ = std::min<int>(speed_ + 1, std::size(kSpeeds) - 1); break;
    case Key::kDown: case Key::kMinus: speed_ = std::max(speed_ - 1, 0); break;
    case Key::kLeft: SeekTo(position_ - 5 * kSecond); break;
    case Key::kPageUp: SeekTo(position_ - 30 * kSecond); break;
    case Key::kPageDown: SeekTo(position_ + 30 * kSecond); break;
    case Key::kHome: SeekTo(0); break;
    default: return false;
  }
  sinceControl_ = 0;
  return true;
}

bool ReplayTheatre::StepOnce(std::span<const InputEvent> input, ResultRecorder& recorder, SoundCues* sounds) {
  if (over_) return false;
  // Only the first pass through the result saves it.
  ResultRecorder& r = resultSaved_ ? static_cast<ResultRecorder&>(silent_) : recorder;
  const FrameReport report = StepPlayFrame(play_, table_, scores_, input, r);
  if (report.resultRecorded) resultSaved_ = true;
  if (sounds) sounds->insert(sounds->end(), report.sounds.begin(), report.sounds.end());
  over_ = report.over;
  if (!over_) ++position_;
  return report.simulated;
}

void ReplayTheatre::Advance(std::span<const InputEvent> input, ResultRecorder& recorder, SoundCues& sounds) {
  ++sinceControl_;
  int steps = 0;
  if (paused_) {
    steps = stepRequested_ ? 1 : 0;
    stepRequested_ = false;
    quarters_ = 0;
  } else {
    quarters_ += kSpeeds[speed_];
    steps = quarters_ / 4;
    quarters_ %= 4;
  }
  const bool audible = kSpeeds[speed_] <= 4;
  bool simulatedAny = false;
  for (int i = 0; i < steps && !over_; ++i) {
    simulatedAny = StepOnce(i == 0 ? input : std::span<const InputEvent>{}, recorder, audible ? &sounds : nullptr) || simulatedAny;
  }
  simulated_ = simulatedAny;
}

void ReplayTheatre::SeekTo(int frame) {
  const int target = std::clamp(frame, 0, length_);
  // Forward goes on from here; back starts again from the start.
  if (target < position_ || over_) {
    play_ = start_;
    table_ = startTable_;
    scores_ = startScores_;
    position_ = 0;
    over_ = false;
  }
  quarters_ = 0;
  while (position_ < target && !over_) StepOnce({}, silent_, nullptr);
  simulated_ = true;
}

}  // namespace quandel
