#include "game/play_harness.h"

#include <cmath>
#include <type_traits>
#include <utility>

#include "app/play_loop.h"
#include "game/play_fields.h"
#include "game/trace.h"
#include "persist/replay_file.h"
#include "sound/sound_channels.h"

namespace quandel::testing {

InputEvent Move(float x, float y, int16_t modifiers) { return {InputEvent::Kind::kMove, 0, modifiers, x, y}; }
InputEvent Down(int16_t button, float x, float y, int16_t modifiers) {
  return {InputEvent::Kind::kDown, button, modifiers, x, y};
}
InputEvent WheelTowards() { return {InputEvent::Kind::kWheelTowards}; }
InputEvent WheelAway() { return {InputEvent::Kind::kWheelAway}; }

namespace {

// The play with every field that follows unrecorded moves set to 0.
PlayState WithoutUnrecordedMoves(const PlayState& play) {
  PlayState copy = play;
  ForEachPlayField(copy, [&](const char*, auto& field, FieldUse use) {
    const bool aimOnly =
        (use == FieldUse::kBlastAim && play.blastTimer == 0) || (use == FieldUse::kMagnetAim && play.magnetTimer == 0);
    if constexpr (std::is_arithmetic_v<std::remove_reference_t<decltype(field)>>) {
      if (use == FieldUse::kFollowsMoves || aimOnly) field = 0;
    }
  });
  return copy;
}

}  // namespace

void PlayHarness::Run() {
  play.recordingOff = settings.recordingOff;
  SavingRecorder recorder(settings, data);
  SoundCues cues;
  StartPlay(play, replay, cues);
  for (;;) {
    std::vector<InputEvent> input;
    input.swap(next_);
    const auto [from, to] = scripted_.equal_range(play.frameNo);
    for (auto it = from; it != to; ++it) input.push_back(it->second);
    const FrameReport report = StepPlayFrame(play, replay, scores, input, recorder);
    if (report.over) break;
    cues.insert(cues.end(), report.sounds.begin(), report.sounds.end());
    std::vector<std::string> sounds;
    for (const SoundCue& cue : std::exchange(cues, {})) sounds.push_back(SoundCueText(cue));
    simulation.push_back(TraceLine(WithoutUnrecordedMoves(play), sounds));
    if (everyFrame) everyFrame(*this);
  }
}

void PlayHarness::PlayLive() {
  play.replayMode = 0;
  Run();
}

void PlayHarness::PlayReplay() {
  if (replay.replay.size() != kReplaySlots) replay.replay.assign(kReplaySlots, ReplayRecord{});
  LoadReplay(replay, data);
  play.replayMode = 1;
  Run();
}

std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] == b[i]) continue;
    size_t at = 0;
    while (at < a[i].size() && at < b[i].size() && a[i][at] == b[i][at]) ++at;
    const size_t from = at > 60 ? at - 60 : 0;
    return "pass " + std::to_string(i) + ": ..." + a[i].substr(from, 100) + "\n  vs ..." + b[i].substr(from, 100);
  }
  if (a.size() != b.size()) return "lengths " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
  return "";
}

void BombingPlayer(PlayHarness& h, float cursorHeight) {
  const PlayState& s = h.play;
  if (s.frameNo <= 60 || s.timeLeft == 0) return;
  if (s.cursorY != cursorHeight) h.Next(Move(230, cursorHeight));
  if (s.blastTimer != 0 || s.bombGauge < 1000) return;
  int best = -1;
  double bestScore = -1;
  for (int i = 0; i < kBoxCount; ++i) {
    const Box& b = s.boxes[i];
    if (b.state != BoxState::kFalling || b.y < 5 || b.y > 470) continue;
    int near = 0;
    for (const Box& o : s.boxes) {
      if (o.state == BoxState::kFalling && o.y > -20 && std::fabs(o.x - b.x) < 55 && std::fabs(o.y - b.y) < 55) ++near;
    }
    if (near < 2 && b.y < 300) continue;  // a lone box can wait until it gets low
    const double score = near * 1000.0 + b.y;
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  // Live positions are whole pixels, as the window delivers them.
  if (best >= 0) h.Next(Down(1, std::round(s.boxes[best].x), std::round(s.boxes[best].y + 8)));
}

}  // namespace quandel::testing
