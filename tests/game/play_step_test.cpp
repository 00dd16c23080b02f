// The frame step on small states: a play just past its opening with nothing on the field.
#include "game/play_step.h"

#include <gtest/gtest.h>

#include "game/play_harness.h"
#include "support/expect_fields.h"

namespace quandel::testing {
namespace {

using Kind = SoundCue::Kind;

struct CountingRecorder : ResultRecorder {
  void RecordResult(PlayState&, ReplayTable&, const ScoreTable&, uint8_t r, bool) override { ++calls, rank = r; }
  int calls = 0, rank = -1;
};

struct Frame {
  Frame() {
    SoundCues cues;
    StartPlay(s, replay, cues);
    s.frameNo = 100;
    s.spawnMeter = 4800;  // no formation on the next frame
  }
  FrameReport Step(std::vector<InputEvent> input = {}) { return StepPlayFrame(s, replay, scores, input, recorder); }
  PlayState s;
  ReplayTable replay;
  ScoreTable scores;
  CountingRecorder recorder;
};

TEST(PlayStep, TheQuitButtonEndsALivePlayAtOnceWithoutAResultYetTheBombDrops) {
  Frame f;
  const FrameReport r = f.Step({Move(500, 470), Down(1, 500, 470)});
  // Returned before counting the frame, with the bomb dropped.
  EXPECT_FIELDS(FIELD(r.over, true), FIELD(f.recorder.calls, 0), FIELD(f.s.frameNo, 100), FIELD(f.s.blastTimer, 1));
  EXPECT_EQ(r.sounds, SoundCues{{Kind::kBomb}});
  EXPECT_EQ(f.replay.replay[1].flags, kEventLeftClick);
}

TEST(PlayStep, InAReplayOnlyALiveClickOnTheQuitButtonEndsIt) {
  Frame f;
  f.s.replayMode = 1;
  f.replay.replay[1] = {100, 500, 470, kEventScrollMove};  // a replayed move sets the hover
  f.replay.replay[2] = {101, 500, 470, kEventLeftClick};
  f.replay.replayLast = 2;
  for (int slot = 1; slot <= 2; ++slot) {
    const FrameReport replayed = f.Step();
    EXPECT_FALSE(replayed.over) << "slot " << slot;
  }
  EXPECT_NE(f.s.blastTimer, 0);  // the replayed click dropped a bomb instead
  const FrameReport live = f.Step({Down(1, 500, 470)});
  EXPECT_TRUE(live.over);
}

TEST(PlayStep, ModifiedLiveInputIsIgnoredWhileTheWheelActsAndIsRecordedAtTheCursor) {
  Frame f;
  f.s.cursorX = 200, f.s.cursorY = 40;
  const FrameReport modified = f.Step({Down(1, 230, 200, 1), Down(2, 230, 200, 2), Move(230, 0, 4)});
  EXPECT_TRUE(modified.sounds.empty());
  EXPECT_FIELDS(FIELD(f.s.blastTimer, 0), FIELD(f.s.magnetTimer, 0), FIELD(f.s.scrollSpeed, 0),
                FIELD(f.s.replayPos, 1));
  f.Step({WheelTowards()});
  const ReplayRecord rec = f.replay.replay[1];
  EXPECT_FIELDS(FIELD(rec.frame, 101), FIELD(rec.x, 200), FIELD(rec.y, 40), FIELD(rec.flags, kEventWheelTowards));

  // In a replay, a Shift move counts as replayed input; plain moves and the wheel do not.
  Frame r;
  r.s.replayMode = 1;
  r.Step({WheelTowards()});
  EXPECT_EQ(r.s.scrollSpeed, 0.0f);
  for (const InputEvent& e : {Move(230, 0, 1), Move(230, 200)}) r.Step({e});
  EXPECT_EQ(r.s.scrollSpeed, 9.0f);
}

TEST(PlayStep, AWheelBoostLastsTwelveFrames) {
  Frame f;
  for (int i = 1; i <= 12; ++i) {
    f.Step(i == 1 ? std::vector{WheelTowards()} : std::vector<InputEvent>{});
    EXPECT_EQ(f.s.scrollSpeed, i < 12 ? 6.0f : 0.0f) << i;
  }
  for (const InputEvent& e : {WheelTowards(), WheelAway()}) f.Step({e});
  EXPECT_EQ(f.s.scrollSpeed, 0.0f);
}

TEST(PlayStep, AReplayDeliversItsSlotsUpToTheLastAndGlidesTheCursorToTheNext) {
  for (int16_t last : {1, 0}) {
    SCOPED_TRACE(last);
    Frame f;
    f.s.replayMode = 1;
    f.replay.replay[1] = {100, 230, 200, kEventLeftClick};
    f.replay.replay[2] = {126, 330, 300, kEventScrollMove};
    f.replay.replayLast = last;  // with 0, slot 1 is left over from a longer recording
    f.Step();
    EXPECT_EQ(f.s.blastTimer != 0, last == 1);
    // 100 pixels over the 20 frames left before the next slot, less six: 5 a frame.
    if (last == 1) { EXPECT_FIELDS(FIELD(f.s.cursorX, 235), FIELD(f.s.cursorY, 205)); }
  }
}

// Score display +30 a frame (60 when far behind); time display -4 (-30 at time up) or +6.
TEST(PlayStep, DisplaysCatchUpWithTheScoreAndTheTime) {
  for (auto [score, before, after] : {std::tuple{5000, 0, 60}, {3030, 0, 60}, {3000, 0, 30}, {100, 90, 100}}) {
    Frame f;
    f.s.score = score, f.s.scoreShown = before;
    f.Step();
    EXPECT_EQ(f.s.scoreShown, after) << score;
  }
  // time left and shown before, shown after
  for (auto [left, before, after] : {std::tuple{1000, 1200, 1195}, {1, 100, 69}, {1000, 900, 905}}) {
    Frame f;
    f.s.timeLeft = left, f.s.timeShown = before;
    f.Step();
    EXPECT_EQ(f.s.timeShown, after) << left;
  }
}

TEST(PlayStep, BombSoundsPickTheTierOfTheLongestChainAndTheNumberOfIgnitions) {
  // longest chain, ignitions, sound phase before, cue
  const std::tuple<int16_t, uint8_t, uint8_t, SoundCue> cases[] = {{29, 1, 0, {Kind::kBombWave, 1}},
                                                                   {30, 2, 0, {Kind::kBombWave, 6}},
                                                                   {99, 4, 0, {Kind::kBombWave, 8}},
                                                                   {100, 7, 0, {Kind::kBombWave, 12}},
                                                                   {0, 3, 9, {Kind::kBombChannel, 3}}};
  for (auto [chain, ignitions, phase, cue] : cases) {
    Frame f;
    f.s.chainCount[3] = chain, f.s.igniteCount = ignitions, f.s.soundPhase = phase;
    const FrameReport r = f.Step();
    EXPECT_EQ(r.sounds, SoundCues{cue}) << chain << " " << int{ignitions};
    EXPECT_EQ(f.s.igniteCount, 0) << chain;
  }
}

// The sample play (BotPlay) pins extends and the widening of stages 5 and 6; stage 10 is beyond it.
TEST(PlayStep, WideStagesWidenTheColumnStepByStepUpToTheirWidth) {
  Frame w;
  w.s.stage = 10, w.s.fieldWidth = 299;
  for (int i = 0; i < 2; ++i) w.Step();
  EXPECT_FIELDS(FIELD(w.s.fieldWidth, 300), FIELD(w.s.colours[2], Rgb(130, 130, 130)));  // stage 10 stops at 300
}

TEST(PlayStep, TheResultIsRecordedOnceTheScoreHasCaughtUpAndThePlayEnds240FramesLater) {
  Frame f;
  f.s.timeLeft = f.s.timeShown = 0, f.s.endTimer = 1;
  f.s.score = 100, f.s.scoreShown = 70, f.s.replayPos = kReplayLastSlot;
  const FrameReport catchingUp = f.Step();
  EXPECT_FALSE(catchingUp.resultRecorded);
  const FrameReport r = f.Step();
  ASSERT_TRUE(r.resultRecorded);
  EXPECT_FIELDS(FIELD(r.replayFull, true), FIELD(f.recorder.rank, 0));
  int frames = 1;
  while (frames < 1000 && !f.Step().over) ++frames;
  EXPECT_FIELDS(FIELD(frames, 240), FIELD(f.recorder.calls, 1));
}

TEST(RankScore, ATieRanksBelowTheStoredScoreAndLowerEntriesMoveDown) {
  using Table = std::array<int32_t, 3>;
  for (auto [score, rank, table] : {std::tuple{1001, 1, Table{1001, 1000, 500}},
                                    {1000, 2, Table{1000, 1000, 500}},
                                    {201, 3, Table{1000, 500, 201}},
                                    {200, 0, Table{1000, 500, 200}}}) {
    ScoreTable t;
    EXPECT_EQ(RankScore(t, score, 7), rank) << score;
    EXPECT_EQ(t.highScores, table) << score;
    if (rank == 1) { EXPECT_EQ(t.highScoreStages, (Table{7, 2, 1})) << score; }
  }
}

}  // namespace
}  // namespace quandel::testing
