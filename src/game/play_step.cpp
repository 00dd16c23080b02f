#include "game/play_step.h"

#include <algorithm>
#include <cmath>

#include "game/input.h"
#include "game/numeric.h"
#include "game/spawn.h"
#include "game/update.h"

namespace quandel {

namespace {

// The generator's next number, in [0, 1), to work with in double.
double NextRandom(Rng& rng) { return static_cast<double>(rng.Next()); }

// One recorded event through the live handlers, marked as replayed; clicks and moves put the
// displayed cursor where they happened.
void PlayBackRecord(PlayState& s, ReplayTable& table, SoundCues& sounds, const ReplayRecord rec) {
  if (rec.flags & kEventLeftClick) {
    s.cursorX = rec.x;
    s.cursorY = rec.y;
    Clicked(s, table, sounds, 1, kReplayed, rec.x, rec.y);
  }
  if (rec.flags & kEventRightClick) {
    s.cursorX = rec.x;
    s.cursorY = rec.y;
    Clicked(s, table, sounds, 2, kReplayed, rec.x, rec.y);
  }
  if (rec.flags & kEventWheelTowards) WheelTowards(s, table, kReplayed);
  if (rec.flags & kEventWheelAway) WheelAway(s, table, kReplayed);
  if (rec.flags & kEventScrollMove) {
    s.cursorX = rec.x;
    s.cursorY = rec.y;
    PointerMoved(s, table, 0, kReplayed, rec.x, rec.y);
  }
}

// The displayed cursor glides towards the next record while more than a pixel away. After this
// frame's events it takes a new step: one that arrives 6 frames before the record when both lie
// below y = 96, otherwise a third of the way each frame.
void GlideReplayCursor(PlayState& s, const ReplayTable& table, bool newStep) {
  const ReplayRecord next = table.replayAt(s.replayPos);
  if (newStep) {
    if (next.y > 96 && s.cursorY > 96) {
      const float n =
          MaxOf(static_cast<float>(static_cast<double>(next.frame) - (static_cast<double>(s.frameNo) + 6)), 1.0f);
      s.cursorStepX = ToFloat((static_cast<double>(next.x) - s.cursorX) / n);
      s.cursorStepY = ToFloat((static_cast<double>(next.y) - s.cursorY) / n);
    } else {
      s.cursorStepX = ToFloat((static_cast<double>(next.x) - s.cursorX) / 3);
      s.cursorStepY = ToFloat((static_cast<double>(next.y) - s.cursorY) / 3);
    }
  }
  if (std::fabs(static_cast<double>(next.x) - s.cursorX) > 1)
    s.cursorX = ToFloat(static_cast<double>(s.cursorX) + s.cursorStepX);
  if (std::fabs(static_cast<double>(next.y) - s.cursorY) > 1)
    s.cursorY = ToFloat(static_cast<double>(s.cursorY) + s.cursorStepY);
}

// Delivers this frame's recorded events, then moves the displayed cursor on.
void PlayBackRecordedInput(PlayState& s, ReplayTable& table, SoundCues& sounds) {
  bool consumed = false;
  // Only the slots the loaded file holds are events; whatever lies beyond replayLast is left over
  // from an earlier recording and must not leak into the replay.
  while (s.replayPos <= table.replayLast && s.replayPos < static_cast<int>(table.replay.size()) &&
         table.replay[s.replayPos].frame == s.frameNo) {
    PlayBackRecord(s, table, sounds, table.replay[s.replayPos]);
    s.replayPos = static_cast<int16_t>(s.replayPos + 1);
    consumed = true;
  }
  GlideReplayCursor(s, table, consumed);
}

// Records the result once the last chains have closed and the score display has caught up.
// Returns true when the play is over.
bool EndOfPlay(PlayState& s, ReplayTable& replay, ScoreTable& scores, ResultRecorder& recorder, FrameReport& report) {
  bool busy = s.scoreShown != s.score;
  for (int k = 0; k < kChainSlots; ++k) busy = busy || s.chainFuse[k] != 0 || s.chainShownTimer[k] != 0;
  if (!busy && s.endTimer < kEndTimerResultRecorded) {
    s.endTimer = kEndTimerResultRecorded;
    report.resultRecorded = true;
    report.rank = s.replayMode == 0 ? RankScore(scores, s.score, s.stage) : 0;
    report.replayFull = s.replayPos == kReplayLastSlot;
    recorder.RecordResult(s, replay, scores, report.rank, report.replayFull);
  }
  if (s.endTimer == kEndTimerPlayOver) {
    report.over = true;
    return true;
  }
  return false;
}

// --- The start of a play, in its order (the generator's draws depend on it) -------------------

void ResetMeters(PlayState& s) {
  s.fieldWidth = 200;
  s.score = 0;
  s.scoreShown = 0;
  s.stage = 0;
  s.spawnMeter = 0;
  s.extendMeter = 0;
  s.scrollPos = static_cast<float>(s.stage * 1000);
  s.scrollSpeed = 0;
}

void SeedForStart(Rng& rng) {
  rng.Next(-1.0f);
  rng.Seed(0.0);
}

// Every box starts gone, at a random place above the column.
void ScatterBoxes(PlayState& s) {
  s.blastTimer = 0;
  s.magnetTimer = 0;
  for (Box& b : s.boxes) {
    b.kind = BoxKind::kBlue;
    b.state = BoxState::kGone;
    b.burnTime = 0;
    b.x = ToFloat(std::floor(NextRandom(s.rng) * s.fieldWidth) - s.fieldWidth / 2.0 + 230);
    b.y = ToFloat(-std::floor(NextRandom(s.rng) * 1000));
    b.spinA = static_cast<int16_t>(std::floor(NextRandom(s.rng) * 700));
    b.spinB = static_cast<int16_t>(std::floor(NextRandom(s.rng) * 700));
    b.vy = 0;
  }
}

void ClearChains(PlayState& s) {
  for (int k = 0; k < kChainSlots; ++k) {
    s.chainShown[k] = s.chainShownTimer[k] = s.chainCount[k] = s.chainFuse[k] = 0;
  }
}

void FillGaugesAndTime(PlayState& s) {
  s.bombGauge = 3000;
  s.magnetGauge = 3000;
  s.timeLeft = 3600;
  s.timeShown = 3600;
  s.colours[2] = Rgb(80, 80, 80);
  s.stageBanner = 85;
  s.endTimer = 0;
  s.frameNo = -60;
}

void ScatterStars(PlayState& s) {
  for (int i = 0; i < kStarCount; ++i) {
    Star& star = s.stars[i];
    star.x = ToFloat(std::floor(NextRandom(s.rng) * 640));
    star.y = ToFloat(std::floor(NextRandom(s.rng) * 480));
    star.vx = 0;
    star.vy = i < 50 ? 0.4f : 0.2f;
  }
}

void CentreCursor(PlayState& s) {
  s.cursorX = 230;
  s.cursorY = 400;
  s.cursorStepX = s.cursorStepY = 0;
  // The title's hover on the start entry is item 1, which in a play means the quit button: a first
  // click made without moving the mouse would end the new play at once.
  s.quitHovered = false;
}

// A live play that is recorded starts from an empty table; every play starts at slot 1.
void StartRecording(PlayState& s, ReplayTable& table) {
  if (s.replayMode == 0 && !s.recordingOff) {
    for (ReplayRecord& r : table.replay) {
      r.frame = 0;
      r.x = 0;
      r.flags = 0;
    }
  }
  table.replay[0] = ReplayRecord{0, 230, 400, 0};
  s.replayPos = 1;
}

// --- The phases of a frame, in its order ------------------------------------------------------

// The live events that arrived while the previous frame was shown, then a replay's recorded ones.
void TakeInput(PlayState& s, ReplayTable& replay, std::span<const InputEvent> input, SoundCues& sounds) {
  ApplyLiveInput(s, replay, input, sounds);
  if (s.replayMode == 1) {
    PlayBackRecordedInput(s, replay, sounds);
  } else if (s.recordingOff) {
    s.replayPos = 0;
  }
}

// Once the time is up the column stops and the end timer runs.
void CountDownToEnd(PlayState& s) {
  if (s.timeLeft == 0) {
    s.scrollSpeed = 0;
    s.endTimer += 1;
  }
}

// The bomb sound follows the strongest chain, at most every tenth frame, alternating between its
// channel and its wave.
void PaceBombSounds(PlayState& s, SoundCues& sounds) {
  if (s.soundPhase != 0) s.soundPhase = static_cast<uint8_t>((s.soundPhase + 1) % 20);
  int16_t maxPower = 0;
  for (int k = 0; k < kChainSlots; ++k) maxPower = std::max(maxPower, s.chainCount[k]);
  if (s.igniteCount == 0 || s.soundPhase % 10 != 0) return;
  const int tier = maxPower < 30 ? 0 : (maxPower < 100 ? 1 : 2);
  const int step = static_cast<int>(MinOf(static_cast<float>(s.igniteCount), 4.0f));  // 1..4
  const auto number = static_cast<uint8_t>(tier * 4 + step);
  if (s.soundPhase == 10) {
    sounds.push_back({SoundCue::Kind::kBombChannel, number});
  } else if (s.soundPhase == 0) {
    sounds.push_back({SoundCue::Kind::kBombWave, number});
  }
  s.igniteCount = 0;
  s.soundPhase = static_cast<uint8_t>((s.soundPhase + 1) % 20);
}

// The frame counter, the scroll and, once the opening is over, the meters, gauges and time.
// Returns the spawn meter as it was before this frame (0 during the opening).
int16_t AdvanceClocks(PlayState& s) {
  s.frameNo += 1;
  s.extendFlash = RoundU8(MinOf(static_cast<float>(s.extendFlash + 1), 50.0f));
  if (s.boostFrames != 0) {
    s.boostFrames = static_cast<uint8_t>(s.boostFrames - 1);
    if (s.boostFrames == 0) s.scrollSpeed = 0;
  }
  s.scrollPos = ToFloat(s.scrollPos + (static_cast<double>(s.scrollSpeed) + 0.5));
  if (s.frameNo < 0) return 0;

  s.extendMeter = ToFloat(s.extendMeter + (static_cast<double>(s.scrollSpeed) + 0.5));
  const int16_t spawnMeterBefore = s.spawnMeter;
  s.spawnMeter = RoundI16(static_cast<double>(s.scrollSpeed) * 10 + (s.spawnMeter + 10));
  s.bombGauge = RoundI16(MinOf(static_cast<float>(s.bombGauge + 8), 3000.0f));
  s.magnetGauge = RoundI16(MinOf(static_cast<float>(s.magnetGauge + 8), 3000.0f));
  s.stageBanner = RoundI16(MinOf(static_cast<float>(s.stageBanner + 1), 85.0f));
  s.timeLeft = RoundI32(MaxOf(static_cast<float>(s.timeLeft - 1), 0.0f));
  s.timeShown = RoundI32(MaxOf(static_cast<float>(s.timeShown - 1), 0.0f));
  return spawnMeterBefore;
}

// The shown score and time move towards the real ones; the last ten seconds tick.
void CatchUpDisplays(PlayState& s, SoundCues& sounds) {
  const int32_t step = (static_cast<int64_t>(s.score) - s.scoreShown < 3001) ? 30 : 60;
  s.scoreShown =
      RoundI32(MinOf(static_cast<float>(static_cast<double>(s.scoreShown) + step), static_cast<float>(s.score)));

  if (s.timeLeft % 60 == 0 && s.timeLeft > 0 && s.timeLeft < 600) sounds.push_back({SoundCue::Kind::kTick});

  if (s.timeLeft < s.timeShown) {
    const int32_t d = s.timeLeft == 0 ? 26 : 0;
    s.timeShown = RoundI32(MaxOf(static_cast<float>(static_cast<double>(s.timeShown) - 4 - d), 0.0f));
  } else if (s.timeShown < s.timeLeft) {
    s.timeShown = RoundI32(MaxOf(static_cast<float>(static_cast<double>(s.timeShown) + 6), 0.0f));
  }
}

// A full extend meter: the next stage, ten more seconds, and a generator seeded from the time.
void ExtendOnMeter(PlayState& s, SoundCues& sounds) {
  const double threshold = ExtendThreshold(s.stage);
  if (!(s.extendMeter >= threshold && s.timeLeft > 0)) return;
  s.extendMeter = ToFloat(static_cast<double>(Mod(RoundHalfEven(s.extendMeter), RoundHalfEven(threshold))));
  s.stage = static_cast<int16_t>(s.stage + 1);
  s.spawnMeter = 0;
  s.extendFlash = 0;
  s.timeLeft += 600;
  s.stageBanner = 0;
  sounds.push_back({SoundCue::Kind::kExtend});
  s.rng.Next(-1.0f);
  s.rng.Seed(static_cast<double>(s.timeLeft / 30));
}

// From stage 5 the column widens a pixel a frame towards its width for the stage, and the special
// boxes' colour darkens with it.
void WidenColumn(PlayState& s) {
  if (s.stage <= 4) return;
  const float widest = MinOf(static_cast<float>(s.stage / 5 * 50 + 200), 350.0f);
  s.fieldWidth = RoundI16(MinOf(static_cast<float>(s.fieldWidth + 1), widest));
  const double g = static_cast<double>(MaxOf(static_cast<float>(s.fieldWidth - 250), 0.0f)) + 80;
  s.colours[2] = RoundI32(g + 256 * g + 65536 * g);
}

}  // namespace

uint8_t RankScore(ScoreTable& t, int32_t score, int16_t stage) {
  for (int p = 0; p < 3; ++p) {
    if (t.highScores[p] < score) {
      for (int q = 2; q > p; --q) {
        t.highScores[q] = t.highScores[q - 1];
        t.highScoreStages[q] = t.highScoreStages[q - 1];
      }
      t.highScores[p] = score;
      t.highScoreStages[p] = stage;
      return static_cast<uint8_t>(p + 1);
    }
  }
  return 0;
}

void StartPlay(PlayState& s, ReplayTable& table, SoundCues& sounds) {
  ResetMeters(s);
  SeedForStart(s.rng);
  ScatterBoxes(s);
  ClearChains(s);
  FillGaugesAndTime(s);
  sounds.push_back({SoundCue::Kind::kMusic});
  ScatterStars(s);
  CentreCursor(s);
  StartRecording(s, table);
}

void ApplyLiveInput(PlayState& s, ReplayTable& replay, std::span<const InputEvent> input, SoundCues& sounds) {
  for (const InputEvent& e : input) {
    switch (e.kind) {
      case InputEvent::Kind::kMove: PointerMoved(s, replay, e.button, EventSource{e.modifiers}, e.x, e.y); break;
      case InputEvent::Kind::kDown: Clicked(s, replay, sounds, e.button, EventSource{e.modifiers}, e.x, e.y); break;
      // A wheel notch counts as unmodified whatever keys are held.
      case InputEvent::Kind::kWheelTowards: WheelTowards(s, replay, kLiveUnmodified); break;
      case InputEvent::Kind::kWheelAway: WheelAway(s, replay, kLiveUnmodified); break;
    }
  }
}

FrameReport StepPlayFrame(PlayState& s, ReplayTable& replay, ScoreTable& scores, std::span<const InputEvent> input,
                          ResultRecorder& recorder) {
  FrameReport report;
  SoundCues& sounds = report.sounds;
  TakeInput(s, replay, input, sounds);
  if (s.endTimer != 0 && EndOfPlay(s, replay, scores, recorder, report)) return report;
  CountDownToEnd(s);
  PaceBombSounds(s, sounds);
  const int16_t spawnMeterBefore = AdvanceClocks(s);
  CatchUpDisplays(s, sounds);
  ExtendOnMeter(s, sounds);
  WidenColumn(s);
  SpawnBoxes(s, spawnMeterBefore);
  UpdateObjects(s);
  report.simulated = true;
  return report;
}

}  // namespace quandel
