#include "app/replay_theatre.h"

#include <algorithm>

namespace quandel {

namespace {

// Saving the result may set the recording's last slot; the theatre's copy must stay the recording
// it plays back, so the recorder is handed a copy of it.
class KeepRecording : public ResultRecorder {
 public:
  explicit KeepRecording(ResultRecorder& to) : to_(to) {}
  void RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                    bool replayFull) override {
    ReplayTable copy = replay;
    to_.RecordResult(play, copy, scores, rank, replayFull);
  }

 private:
  ResultRecorder& to_;
};

}  // namespace

ReplayTheatre::ReplayTheatre(const PlayState& start, const ReplayTable& table, const ScoreTable& scores)
    : play_(start), table_(table), scores_(scores) {
  // The length is where a run with no live input ends; it passes every key frame on its way.
  for (;;) {
    if (length_ % kKeySpacing == 0) keys_.push_back({play_, scores_});
    if (StepPlayFrame(play_, table_, scores_, {}, silent_).over) break;
    ++length_;
  }
  keys_.shrink_to_fit();
  Restore(keys_.front(), 0);
}

bool ReplayTheatre::Control(Key key) {
  constexpr int kSecond = kFramesPerSecond;
  const bool atEnd = position_ == length_;
  switch (key) {
    case Key::kSpace:
      if (holdingAtEnd()) SeekTo(0);
      paused_ = !paused_;
      break;
    case Key::kRight:
      if (paused_) stepRequested_ = true;
      break;
    case Key::kUp:
    case Key::kPlus: speed_ = std::min<int>(speed_ + 1, std::size(kSpeeds) - 1); break;
    case Key::kDown:
    case Key::kMinus: speed_ = std::max(speed_ - 1, 0); break;
    case Key::kLeft:
      // Tap or hold is known when it is let go, or when it has been held long enough.
      leftDown_ = true;
      leftHeld_ = 0;
      break;
    case Key::kPageUp: SeekTo(position_ - 30 * kSecond); break;
    case Key::kPageDown: SeekTo(position_ + 30 * kSecond); break;
    case Key::kHome:
      SeekTo(0);
      if (atEnd) paused_ = false;
      break;
    default: return false;
  }
  sinceControl_ = 0;
  // Stepped or sought onto the last frame, the play holds there.
  if (position_ == length_) paused_ = true;
  return true;
}

void ReplayTheatre::Release(Key key) {
  if (key != Key::kLeft || !leftDown_) return;
  if (!rewinding_) SeekTo(position_ - 5 * kFramesPerSecond);
  leftDown_ = false;
  rewinding_ = false;
  quarters_ = 0;
  sinceControl_ = 0;
}

bool ReplayTheatre::StepOnce(std::span<const InputEvent> input, ResultRecorder* recorder, SoundCues* sounds) {
  if (over_) return false;
  // The result goes to `recorder` the first time the play runs through it; seeks and rewinds
  // pass it silently.
  KeepRecording keep(recorder ? *recorder : silent_);
  ResultRecorder& r = recorder && !resultSaved_ ? static_cast<ResultRecorder&>(keep) : silent_;
  const FrameReport report = StepPlayFrame(play_, table_, scores_, input, r);
  if (report.resultRecorded && recorder) resultSaved_ = true;
  if (sounds) sounds->insert(sounds->end(), report.sounds.begin(), report.sounds.end());
  over_ = report.over;
  if (!over_) ++position_;
  return report.simulated;
}

void ReplayTheatre::Advance(std::span<const InputEvent> input, ResultRecorder& recorder, SoundCues& sounds) {
  ++sinceControl_;
  if (leftDown_ && !rewinding_ && ++leftHeld_ >= kHoldFrames) rewinding_ = true, quarters_ = 0;
  if (rewinding_) {
    // Backwards at the chosen speed, paused or not; silent, and the panel stays up.
    sinceControl_ = 0;
    quarters_ += kSpeeds[speed_];
    const int back = quarters_ / 4;
    quarters_ %= 4;
    simulated_ = back > 0 && position_ > 0;
    if (simulated_) Restore(StretchFrame(std::max(position_ - back, 0)), std::max(position_ - back, 0));
    return;
  }
  int steps = 0;
  if (paused_) {
    // A step never leaves the last frame: the play ends only by playing out.
    steps = stepRequested_ && position_ < length_ ? 1 : 0;
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
    simulatedAny = StepOnce(i == 0 ? input : std::span<const InputEvent>{}, &recorder, audible ? &sounds : nullptr) ||
                   simulatedAny;
  }
  simulated_ = simulatedAny;
}

void ReplayTheatre::Restore(const KeyFrame& key, int position) {
  play_ = key.play;
  scores_ = key.scores;
  position_ = position;
  over_ = false;
}

const ReplayTheatre::KeyFrame& ReplayTheatre::StretchFrame(int frame) {
  const int base = frame / kKeySpacing * kKeySpacing;
  if (stretchStart_ != base) {
    stretch_.clear();
    Restore(keys_[base / kKeySpacing], base);
    for (;;) {
      stretch_.push_back({play_, scores_});
      if (position_ == std::min(base + kKeySpacing - 1, length_)) break;
      StepOnce({}, nullptr, nullptr);
    }
    stretchStart_ = base;
  }
  return stretch_[frame - base];
}

void ReplayTheatre::SeekTo(int frame) {
  const int target = std::clamp(frame, 0, length_);
  const int base = target / kKeySpacing * kKeySpacing;
  quarters_ = 0;
  simulated_ = true;
  if (stretchStart_ == base) return Restore(StretchFrame(target), target);
  // Forward from the frame shown when no key frame lies between; otherwise from the key frame.
  if (over_ || target < position_ || position_ < base) Restore(keys_[base / kKeySpacing], base);
  while (position_ < target && !over_) StepOnce({}, nullptr, nullptr);
}

}  // namespace quandel
