#include "game/play_game.h"

#include <cmath>
#include <string>

#include "app/app.h"
#include "app/numeric.h"
#include "game/input.h"
#include "game/spawn.h"
#include "game/update.h"
#include "persist/high_scores.h"
#include "persist/replay_file.h"

namespace quandel {

namespace {

float F(double v) { return static_cast<float>(v); }

double R(Rng& rng) { return static_cast<double>(rng.Next()); }

// Delivers this frame's recorded events through the live handlers with the replay marker, then
// aims the displayed cursor at the next record.
void PlayBackRecordedInput(App& app) {
  GameState& s = app.state;
  bool consumed = false;
  // Only the slots the loaded file holds are events; whatever lies beyond replayLast is left over
  // from an earlier recording and must not leak into the replay.
  while (s.replayPos <= s.replayLast && s.replayPos < static_cast<int>(s.replay.size()) &&
         s.replay[s.replayPos].frame == s.frameNo) {
    const ReplayRecord rec = s.replay[s.replayPos];
    if (rec.flags & kEventLeftClick) {
      s.cursorX = rec.x;
      s.cursorY = rec.y;
      picMain_MouseDown(app, 1, kReplayedMarker, rec.x, rec.y);
    }
    if (rec.flags & kEventRightClick) {
      s.cursorX = rec.x;
      s.cursorY = rec.y;
      picMain_MouseDown(app, 2, kReplayedMarker, rec.x, rec.y);
    }
    if (rec.flags & kEventWheelTowards) WheelMinus(app, kReplayedMarker);
    if (rec.flags & kEventWheelAway) WheelPlus(app, kReplayedMarker);
    if (rec.flags & kEventScrollMove) {
      s.cursorX = rec.x;
      s.cursorY = rec.y;
      picMain_MouseMove(app, 0, kReplayedMarker, rec.x, rec.y);
    }
    s.replayPos = static_cast<int16_t>(s.replayPos + 1);
    consumed = true;
  }
  if (consumed) {
    const ReplayRecord next = s.replayAt(s.replayPos);
    if (next.y > 96 && s.cursorY > 96) {
      const float n = MaxOf(static_cast<float>(static_cast<double>(next.frame) - (static_cast<double>(s.frameNo) + 6)), 1.0f);
      s.cursorStepX = F((static_cast<double>(next.x) - s.cursorX) / n);
      s.cursorStepY = F((static_cast<double>(next.y) - s.cursorY) / n);
    } else {
      s.cursorStepX = F((static_cast<double>(next.x) - s.cursorX) / 3);
      s.cursorStepY = F((static_cast<double>(next.y) - s.cursorY) / 3);
    }
  }
  const ReplayRecord next = s.replayAt(s.replayPos);
  if (std::fabs(static_cast<double>(next.x) - s.cursorX) > 1) s.cursorX = F(static_cast<double>(s.cursorX) + s.cursorStepX);
  if (std::fabs(static_cast<double>(next.y) - s.cursorY) > 1) s.cursorY = F(static_cast<double>(s.cursorY) + s.cursorStepY);
}

// Records the result once the last chains have closed and the score display has caught up.
// Returns true when the play is over.
bool EndOfPlay(App& app, uint8_t& rank) {
  GameState& s = app.state;
  bool busy = s.scoreShown != s.score;
  for (int k = 0; k < kChainSlots; ++k) busy = busy || s.chainFuse[k] != 0 || s.chainShownTimer[k] != 0;
  if (!busy && s.endTimer < 10000) {
    s.endTimer = 10000;
    if (s.replayMode == 0) {
      for (int p = 0; p < 3; ++p) {
        if (s.highScores[p] < s.score) {
          for (int q = 2; q > p; --q) {
            s.highScores[q] = s.highScores[q - 1];
            s.highScoreStages[q] = s.highScoreStages[q - 1];
          }
          s.highScores[p] = s.score;
          s.highScoreStages[p] = s.stage;
          rank = static_cast<uint8_t>(p + 1);
          break;
        }
      }
    }
    SaveHighScores(s, app.dir);
    if (s.replayPos == kReplayLastSlot) {
      app.platform.MessageBox("Quandel", kReplayFullMessage);
    } else if (s.replaySave == 0 && (!app.dir.Exists(kReplayFileName) || rank == 1)) {
      SaveReplay(s, app.dir);
    }
  }
  if (s.endTimer == 10240) {
    if (s.quitRequested != 1 && app.onPlayOver) app.onPlayOver(app);
    return true;
  }
  return false;
}

void BombSound(App& app, int16_t maxPower) {
  GameState& s = app.state;
  if (s.igniteCount == 0 || s.soundPhase % 10 != 0) return;
  const int tier = maxPower < 30 ? 0 : (maxPower < 100 ? 1 : 2);
  const int step = static_cast<int>(MinOf(static_cast<float>(s.igniteCount), 4.0f));  // 1..4
  if (s.soundPhase == 10) {
    app.platform.SendSoundCommand("play Bomb" + std::to_string(tier * 4 + step) + " notify from 0");
  } else if (s.soundPhase == 0) {
    const int number = tier * 4 + step;
    app.platform.PlayWave(s.bombWaves[number - 1], number);
  }
  s.igniteCount = 0;
  s.soundPhase = static_cast<uint8_t>((s.soundPhase + 1) % 20);
}

}  // namespace

void StartPlay(App& app) {
  GameState& s = app.state;
  s.fieldWidth = 200;
  s.score = 0;
  s.scoreShown = 0;
  s.stage = 0;
  s.spawnMeter = 0;
  s.extendMeter = 0;
  s.scrollPos = static_cast<float>(s.stage * 1000);
  s.scrollSpeed = 0;

  s.rng.Next(-1.0f);
  s.rng.Seed(0.0);

  s.blastTimer = 0;
  s.magnetTimer = 0;
  for (Box& b : s.boxes) {
    b.kind = 0;
    b.state = 2;
    b.burnTime = 0;
    b.x = F(std::floor(R(s.rng) * s.fieldWidth) - s.fieldWidth / 2.0 + 230);
    b.y = F(-std::floor(R(s.rng) * 1000));
    b.spinA = static_cast<int16_t>(std::floor(R(s.rng) * 700));
    b.spinB = static_cast<int16_t>(std::floor(R(s.rng) * 700));
    b.vy = 0;
  }
  for (int k = 0; k < kChainSlots; ++k) {
    s.chainShown[k] = s.chainShownTimer[k] = s.chainCount[k] = s.chainFuse[k] = 0;
  }
  s.bombGauge = 3000;
  s.magnetGauge = 3000;
  s.timeLeft = 3600;
  s.timeShown = 3600;
  s.colours[2] = Rgb(80, 80, 80);
  s.stageBanner = 85;
  s.endTimer = 0;
  s.frameNo = -60;

  app.platform.SendSoundCommand("play BGM notify from 0");

  for (int i = 0; i < kStarCount; ++i) {
    Star& star = s.stars[i];
    star.x = F(std::floor(R(s.rng) * 640));
    star.y = F(std::floor(R(s.rng) * 480));
    star.vx = 0;
    star.vy = i < 50 ? 0.4f : 0.2f;
  }
  s.cursorX = 230;
  s.cursorY = 400;
  s.cursorStepX = s.cursorStepY = 0;
  // The title's hover on the start entry is item 1, which in a play means the quit button: a first
  // click made without moving the mouse would end the new play at once.
  s.menuHover = 0;

  if (s.replayMode == 0 && s.replaySave == 0) {
    for (ReplayRecord& r : s.replay) {
      r.frame = 0;
      r.x = 0;
      r.flags = 0;
    }
  }
  s.replay[0] = ReplayRecord{0, 230, 400, 0};
  s.replayPos = 1;
}

void PlayGame(App& app) {
  GameState& s = app.state;
  StartPlay(app);
  app.playClock = FpsClock{};
  uint8_t& rank = app.playRank;
  rank = 0;
  uint8_t pacePhase = 0;

  for (;;) {
    app.frameWait.WaitFrame(app.platform, FrameSlot(pacePhase));
    pacePhase = static_cast<uint8_t>((pacePhase + 1) % 3);
    app.platform.PumpEvents();
    if (s.quitRequested == 1) return;

    if (s.replayMode == 1) {
      PlayBackRecordedInput(app);
    } else if (s.replaySave == 1) {
      s.replayPos = 0;
    }

    if (s.endTimer != 0 && EndOfPlay(app, rank)) return;

    if (s.timeLeft == 0) {
      s.scrollSpeed = 0;
      s.endTimer += 1;
    }
    if (s.soundPhase != 0) s.soundPhase = static_cast<uint8_t>((s.soundPhase + 1) % 20);
    int16_t maxPower = 0;
    for (int k = 0; k < kChainSlots; ++k) maxPower = std::max(maxPower, s.chainCount[k]);
    BombSound(app, maxPower);

    s.frameNo += 1;
    s.extendFlash = RoundU8(MinOf(static_cast<float>(s.extendFlash + 1), 50.0f));
    if (s.boostFrames != 0) {
      s.boostFrames = static_cast<uint8_t>(s.boostFrames - 1);
      if (s.boostFrames == 0) s.scrollSpeed = 0;
    }
    s.scrollPos = F(s.scrollPos + (static_cast<double>(s.scrollSpeed) + 0.5));

    int16_t previousMeter = 0;
    if (s.frameNo >= 0) {
      s.extendMeter = F(s.extendMeter + (static_cast<double>(s.scrollSpeed) + 0.5));
      previousMeter = s.spawnMeter;
      s.spawnMeter = RoundI16(static_cast<double>(s.scrollSpeed) * 10 + (s.spawnMeter + 10));
      s.bombGauge = RoundI16(MinOf(static_cast<float>(s.bombGauge + 8), 3000.0f));
      s.magnetGauge = RoundI16(MinOf(static_cast<float>(s.magnetGauge + 8), 3000.0f));
      s.stageBanner = RoundI16(MinOf(static_cast<float>(s.stageBanner + 1), 85.0f));
      s.timeLeft = RoundI32(MaxOf(static_cast<float>(s.timeLeft - 1), 0.0f));
      s.timeShown = RoundI32(MaxOf(static_cast<float>(s.timeShown - 1), 0.0f));
    }

    const int32_t step = (static_cast<int64_t>(s.score) - s.scoreShown < 3001) ? 30 : 60;
    s.scoreShown = RoundI32(MinOf(static_cast<float>(static_cast<double>(s.scoreShown) + step), static_cast<float>(s.score)));

    if (s.timeLeft % 60 == 0 && s.timeLeft > 0 && s.timeLeft < 600) app.platform.SendSoundCommand("play Tick notify from 0");

    if (s.timeLeft < s.timeShown) {
      const int32_t d = s.timeLeft == 0 ? 26 : 0;
      s.timeShown = RoundI32(MaxOf(static_cast<float>(static_cast<double>(s.timeShown) - 4 - d), 0.0f));
    } else if (s.timeShown < s.timeLeft) {
      s.timeShown = RoundI32(MaxOf(static_cast<float>(static_cast<double>(s.timeShown) + 6), 0.0f));
    }

    const double threshold = static_cast<double>(MaxOf(static_cast<float>(s.stage / 5 - 5), 0.0f)) * 500 + 1000;
    if (s.extendMeter >= threshold && s.timeLeft > 0) {
      s.extendMeter = F(static_cast<double>(Mod(RoundHalfEven(s.extendMeter), RoundHalfEven(threshold))));
      s.stage = static_cast<int16_t>(s.stage + 1);
      s.spawnMeter = 0;
      s.extendFlash = 0;
      s.timeLeft += 600;
      s.stageBanner = 0;
      app.platform.SendSoundCommand("play Extend notify from 0");
      s.rng.Next(-1.0f);
      s.rng.Seed(static_cast<double>(s.timeLeft / 30));
    }

    if (s.stage > 4) {
      const float widest = MinOf(static_cast<float>(s.stage / 5 * 50 + 200), 350.0f);
      s.fieldWidth = RoundI16(MinOf(static_cast<float>(s.fieldWidth + 1), widest));
      const double g = static_cast<double>(MaxOf(static_cast<float>(s.fieldWidth - 250), 0.0f)) + 80;
      s.colours[2] = RoundI32(g + 256 * g + 65536 * g);
    }

    SpawnBoxes(s, previousMeter);
    UpdateObjects(s);
    if (app.onPlaySimulated) app.onPlaySimulated(app);

    s.frameSkipPhase = static_cast<uint8_t>((s.frameSkipPhase + 1) % (s.frameSkip + 1));
    if (s.frameSkipPhase != 0) continue;
    if (app.composePlayFrame) app.composePlayFrame(app);
  }
}

}  // namespace quandel
