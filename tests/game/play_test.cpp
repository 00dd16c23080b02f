// Whole plays through the frame step: recorded live, saved, loaded and watched again.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/headless_replay.h"
#include "game/play_harness.h"
#include "persist/high_scores.h"
#include "persist/replay_file.h"

namespace quandel::testing {
namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& needle) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(needle) != std::string::npos; });
}

// Until the result is recorded. Saving the result draws from the random generator (the digit
// scramble), and a live play saves its replay where the replay does not, so the stars and random
// formations of the closing seconds part ways by design.
std::vector<std::string> UntilResult(std::vector<std::string> lines) {
  auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("\"endTimer\":1000") != std::string::npos; });
  lines.erase(at, lines.end());
  return lines;
}

// Plays live, then watches the saved replay in a fresh program and requires every simulated
// frame up to the result to match, and the same result.
void ExpectReplayReproduces(PlayHarness& live) {
  live.PlayLive();
  ASSERT_TRUE(live.data.Exists(kReplayFileName));
  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  ASSERT_EQ(watch.simulation.size(), live.simulation.size());
  EXPECT_GT(UntilResult(live.simulation).size(), 500u);
  EXPECT_EQ(FirstDifference(UntilResult(watch.simulation), UntilResult(live.simulation)), "");
  EXPECT_EQ(watch.play.score, live.play.score);
  EXPECT_EQ(watch.play.stage, live.play.stage);
}

TEST(PlayAndReplay, ALongPlayThroughTheWideColumnsReplaysFrameForFrame) {
  PlayHarness live;
  bool specialBurned = false, widened = false;
  live.everyFrame = [&](PlayHarness& h) {
    BombingPlayer(h, 89);
    for (const Box& b : h.play.boxes) specialBurned = specialBurned || (b.kind == 2 && b.state == 1);
    widened = widened || h.play.fieldWidth > 200;
  };
  ExpectReplayReproduces(live);
  EXPECT_GE(live.play.stage, 5);
  EXPECT_TRUE(widened);
  EXPECT_TRUE(specialBurned);
  EXPECT_EQ(live.play.endTimer, 10240);
  EXPECT_EQ(live.scores.highScores[0], live.play.score);  // a good play ranks first
}

TEST(PlayAndReplay, MagnetsWheelAndSeveralEventsInOneFrameReplay) {
  PlayHarness live;
  live.At(30, Move(200, 300));  // during the opening: moves the cursor, records nothing
  live.At(61, Move(230, 40));
  live.At(61, WheelTowards());
  live.At(70, Down(2, 230, 120));
  live.At(70, Down(1, 230, 150));
  live.At(70, Move(230, 10));
  live.At(95, WheelAway());
  live.At(96, Move(230, 200));
  live.At(140, Down(2, 200, 200));
  live.At(150, Down(2, 260, 220));  // a magnet restarts while one runs
  live.At(150, Down(1, 260, 220));
  live.At(160, Down(1, 250, 250));  // a blast is still running: ignored, not recorded
  live.At(200, Down(1, 140, 250));
  live.At(200, Down(3, 140, 250));  // other buttons do nothing
  ExpectReplayReproduces(live);
  const PlayState& s = live.play;
  EXPECT_EQ(live.replay.replay[1].frame, 61);
  EXPECT_EQ(live.replay.replay[1].flags, kEventScrollMove);
  EXPECT_EQ(live.replay.replay[2].flags, kEventWheelTowards);
  EXPECT_EQ(live.replay.replay[2].x, 230);  // a wheel notch is recorded at the cursor
  EXPECT_EQ(live.replay.replay[2].y, 40);
}

TEST(PlayAndReplay, TheQuitButtonEndsAtOnceWithoutAResultAndStillDropsTheBomb) {
  PlayHarness live;
  live.everyFrame = [](PlayHarness& h) {
    if (h.play.frameNo < 360) BombingPlayer(h, 92);
  };
  live.At(420, Move(500, 470));
  live.At(421, Down(1, 500, 470));
  live.PlayLive();
  const PlayState& s = live.play;
  EXPECT_EQ(s.endTimer, 10240);
  EXPECT_EQ(s.frameNo, 421);  // the pass that saw the click returned before counting a frame
  EXPECT_FALSE(live.data.Exists(kReplayFileName));
  EXPECT_FALSE(live.data.Exists(kHighScoreFileName));
  EXPECT_EQ(live.scores.highScores[0], 1000);
  EXPECT_EQ(live.replay.replay[s.replayPos - 1].flags, kEventLeftClick);
  EXPECT_EQ(s.blastTimer, 1);
  EXPECT_EQ(live.sounds.back(), "play Bomb notify from 0");

  // The recording up to the quit still replays frame for frame.
  live.play.replayPos = s.replayPos;
  ASSERT_TRUE(SaveReplay(live.replay, live.play.replayPos, live.play.rng, live.data));
  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  ASSERT_GT(watch.simulation.size(), live.simulation.size());
  watch.simulation.resize(live.simulation.size());
  EXPECT_EQ(FirstDifference(watch.simulation, live.simulation), "");
}

TEST(PlayAndReplay, TheQuitButtonEndsAReplayButAReplayedClickThereDoesNot) {
  PlayHarness live;
  live.At(100, Move(500, 470));
  live.At(100, Down(1, 500, 470));  // bomb on the quit button, recorded; the live play ends
  live.PlayLive();
  live.play.replayPos = 2;
  ASSERT_TRUE(SaveReplay(live.replay, live.play.replayPos, live.play.rng, live.data));

  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  EXPECT_GT(watch.play.frameNo, 400);  // played on until the time ran out

  PlayHarness quit;
  WriteFile(quit.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  quit.At(150, Move(500, 470));
  quit.At(151, Down(1, 500, 470));
  quit.PlayReplay();
  EXPECT_EQ(quit.play.frameNo, 151);
}

TEST(Markers, ModifiedLiveInputIsIgnoredInAPlayWhileTheWheelStillActs) {
  PlayHarness live;
  live.At(100, Down(1, 230, 200, 1));   // Shift
  live.At(101, Down(2, 230, 200, 2));   // Ctrl
  live.At(102, Move(230, 0, 4));        // Alt
  live.At(110, WheelTowards());
  live.PlayLive();
  const PlayState& s = live.play;
  EXPECT_EQ(live.replay.replay[1].flags, kEventWheelTowards);
  EXPECT_EQ(live.replay.replay[1].frame, 110);
  EXPECT_EQ(live.replay.replay[2].flags, 0);
  EXPECT_FALSE(Contains(live.simulation, "play Short") || Contains(live.simulation, "play Bomb notify") ||
               Contains(live.simulation, "play Magnet"));
}

TEST(Markers, AShiftMoveDuringAReplayActsAsReplayedInput) {
  PlayHarness live;
  live.PlayLive();  // no events: a 44-byte replay
  EXPECT_EQ(ReadFile(live.dir.File(kReplayFileName)).size(), 44u);

  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  float speedAfterShiftMove = -1, speedAfterPlainMove = -1;
  watch.At(100, Move(230, 0, 1));
  watch.everyFrame = [&](PlayHarness& h) {
    if (h.play.frameNo == 101) {
      speedAfterShiftMove = h.play.scrollSpeed;
      h.Next(Move(230, 200));
    }
    if (h.play.frameNo == 102) speedAfterPlainMove = h.play.scrollSpeed;
  };
  watch.PlayReplay();
  EXPECT_EQ(speedAfterShiftMove, 9.0f);
  EXPECT_EQ(speedAfterPlainMove, 9.0f);  // marker 0 does not match a replay
}

TEST(EndOfPlay, AFullReplayTableShowsTheMessageAndSavesNothing) {
  PlayHarness live;
  for (int frame = 61; frame < 500; ++frame)
    for (int k = 0; k < 25; ++k) live.At(frame, WheelAway());
  live.PlayLive();
  const PlayState& s = live.play;
  EXPECT_EQ(s.replayPos, 9999);
  EXPECT_EQ(live.replayFullMessages, 1);
  EXPECT_FALSE(live.data.Exists(kReplayFileName));
  EXPECT_TRUE(live.data.Exists(kHighScoreFileName));  // the scores are still saved
}

TEST(EndOfPlay, ATieWithTheBestScoreRanksBelowItAndKeepsTheStoredReplay) {
  auto play = [](PlayHarness& h) {
    h.everyFrame = [](PlayHarness& p) { BombingPlayer(p, 92); };
    h.PlayLive();
  };
  PlayHarness first;
  play(first);
  const int32_t score = first.play.score;
  ASSERT_GT(score, 1000);

  PlayHarness second;
  second.scores.highScores = {score, 900, 800};
  second.scores.highScoreStages = {7, 1, 0};
  WriteFile(second.dir.File(kReplayFileName), "stored replay");
  play(second);
  EXPECT_EQ(second.play.score, score);
  EXPECT_EQ(second.scores.highScores, (std::array<int32_t, 3>{score, score, 900}));
  EXPECT_EQ(second.scores.highScoreStages[0], 7);
  EXPECT_EQ(ReadFile(second.dir.File(kReplayFileName)), "stored replay");

  PlayHarness third;  // one point less at the top: now the play ranks first and replaces it
  third.scores.highScores = {score - 1, 900, 800};
  WriteFile(third.dir.File(kReplayFileName), "stored replay");
  play(third);
  EXPECT_EQ(third.scores.highScores[0], score);
  EXPECT_NE(ReadFile(third.dir.File(kReplayFileName)), "stored replay");
}

TEST(EndOfPlay, TheLastTenSecondsTickOncePerSecond) {
  PlayHarness live;
  std::vector<int32_t> ticks;
  live.everyFrame = [&](PlayHarness& h) {
    BombingPlayer(h, 96);
    if (h.simulation.back().find("play Tick") != std::string::npos) ticks.push_back(h.play.timeLeft);
  };
  live.PlayLive();
  // Lost boxes can skip a second, but every tick lands on a whole second below ten.
  ASSERT_GE(ticks.size(), 5u);
  for (int32_t t : ticks) {
    EXPECT_EQ(t % 60, 0);
    EXPECT_GT(t, 0);
    EXPECT_LT(t, 600);
  }
}

TEST(ReplayPlayback, LeftoverSlotsOfALongerRecordingAreNotDelivered) {
  PlayHarness empty;
  empty.PlayLive();  // its replay holds no event at all
  const std::string emptyReplay = ReadFile(empty.dir.File(kReplayFileName));

  // Two programs with the same history: a long live play, then the empty replay is watched.
  // In one of them the replay table still holds the long recording beyond the loaded slots.
  auto watchAfterLongPlay = [&](bool clearTable) {
    auto h = std::make_unique<PlayHarness>();
    h->everyFrame = [](PlayHarness& p) { BombingPlayer(p, 92); };
    h->PlayLive();
    EXPECT_GT(h->play.replayPos, 5);
    h->everyFrame = nullptr;
    h->simulation.clear();
    WriteFile(h->dir.File(kReplayFileName), emptyReplay);
    if (clearTable) h->replay.replay.assign(kReplaySlots, ReplayRecord{});
    h->PlayReplay();
    return h;
  };
  auto withLeftovers = watchAfterLongPlay(false);
  auto clean = watchAfterLongPlay(true);
  EXPECT_EQ(withLeftovers->replay.replayLast, 0);
  EXPECT_EQ(FirstDifference(withLeftovers->simulation, clean->simulation), "");
  EXPECT_EQ(withLeftovers->play.score, 0);
}

}  // namespace
}  // namespace quandel::testing

namespace quandel::testing {
namespace {

TEST(PlayAndReplay, TheHeadlessReplayToolReachesTheSameResult) {
  PlayHarness live;
  live.everyFrame = [](PlayHarness& h) { BombingPlayer(h, 90); };
  live.PlayLive();
  std::string error;
  ReplayTable table;
  ASSERT_TRUE(LoadReplayFile(live.dir.File(kReplayFileName), table, &error)) << error;
  ReplayRun run(std::move(table));
  while (run.Step()) {
  }
  EXPECT_EQ(run.outcome().score, live.play.score);
  EXPECT_EQ(run.outcome().stage, live.play.stage);
  EXPECT_EQ(run.outcome().frameNo, live.play.frameNo);
  EXPECT_FALSE(LoadReplayFile(live.dir.File("missing.dat"), table, &error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos);
}

TEST(PlayAndReplay, HostileReplayFilesPlayToADefinedEnd) {
  TempDir dir;
  const std::string cases[] = {
      "",                                          // empty
      std::string(5000, '\xff'),                   // codes outside 40..89
      "PPPPFFFF",                                  // a damaged header: only slot 0
      "(((2(((<" + std::string(40, '('),           // header 9999, hardly any slot
      std::string("\0\x01\x02((((", 7) + "garbage",
  };
  for (const std::string& bytes : cases) {
    WriteFile(dir.File("r.dat"), bytes);
    std::string error;
    ReplayTable table;
    ASSERT_TRUE(LoadReplayFile(dir.File("r.dat"), table, &error)) << error;
    ReplayRun run(std::move(table));
    while (run.Step()) {
    }
    EXPECT_EQ(run.outcome().score, 0);
    EXPECT_EQ(run.outcome().stage, 0);
  }
}

// Writes tests/data/bot_play.dat, the replay the tool tests run on. Regenerate with
//   build/quandel_tests --gtest_also_run_disabled_tests --gtest_filter='*WriteSampleReplay'
TEST(PlayAndReplay, DISABLED_WriteSampleReplay) {
  PlayHarness live;
  live.everyFrame = [](PlayHarness& h) { BombingPlayer(h, 89); };
  live.PlayLive();
  WriteFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", ReadFile(live.dir.File(kReplayFileName)));
  std::printf("score=%d stage=%d frames=%d\n", live.play.score, live.play.stage, live.play.frameNo);
}

}  // namespace
}  // namespace quandel::testing
