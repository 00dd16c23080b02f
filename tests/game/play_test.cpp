// Whole plays through the headless platform: recorded live, saved, loaded and watched again.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/headless_replay.h"
#include "game/play_harness.h"
#include "persist/high_scores.h"
#include "persist/replay_file.h"

namespace quandel::testing {
namespace {

using E = ScriptedEvent;

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
  ASSERT_TRUE(live.app.dir.Exists(kReplayFileName));
  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  ASSERT_EQ(watch.simulation.size(), live.simulation.size());
  EXPECT_GT(UntilResult(live.simulation).size(), 500u);
  EXPECT_EQ(FirstDifference(UntilResult(watch.simulation), UntilResult(live.simulation)), "");
  EXPECT_EQ(watch.app.state.score, live.app.state.score);
  EXPECT_EQ(watch.app.state.stage, live.app.state.stage);
}

TEST(PlayAndReplay, ALongPlayThroughTheWideColumnsReplaysFrameForFrame) {
  PlayHarness live;
  bool specialBurned = false, widened = false;
  live.everyFrame = [&](PlayHarness& h) {
    BombingPlayer(h, 89);
    for (const Box& b : h.app.state.boxes) specialBurned = specialBurned || (b.kind == 2 && b.state == 1);
    widened = widened || h.app.state.fieldWidth > 200;
  };
  ExpectReplayReproduces(live);
  EXPECT_GE(live.app.state.stage, 5);
  EXPECT_TRUE(widened);
  EXPECT_TRUE(specialBurned);
  EXPECT_EQ(live.app.state.endTimer, 10240);
  EXPECT_EQ(live.app.state.highScores[0], live.app.state.score);  // a good play ranks first
}

TEST(PlayAndReplay, MagnetsWheelAndSeveralEventsInOneFrameReplay) {
  PlayHarness live;
  live.At(30, E::Move(200, 300));  // during the opening: moves the cursor, records nothing
  live.At(61, E::Move(230, 40));
  live.At(61, E::WheelTowards());
  live.At(70, E::Down(2, 230, 120));
  live.At(70, E::Down(1, 230, 150));
  live.At(70, E::Move(230, 10));
  live.At(95, E::WheelAway());
  live.At(96, E::Move(230, 200));
  live.At(140, E::Down(2, 200, 200));
  live.At(150, E::Down(2, 260, 220));  // a magnet restarts while one runs
  live.At(150, E::Down(1, 260, 220));
  live.At(160, E::Down(1, 250, 250));  // a blast is still running: ignored, not recorded
  live.At(200, E::Down(1, 140, 250));
  live.At(200, E::Down(3, 140, 250));  // other buttons do nothing
  ExpectReplayReproduces(live);
  const GameState& s = live.app.state;
  EXPECT_EQ(s.replay[1].frame, 61);
  EXPECT_EQ(s.replay[1].flags, kEventScrollMove);
  EXPECT_EQ(s.replay[2].flags, kEventWheelTowards);
  EXPECT_EQ(s.replay[2].x, 230);  // a wheel notch is recorded at the cursor
  EXPECT_EQ(s.replay[2].y, 40);
}

TEST(PlayAndReplay, TheQuitButtonEndsAtOnceWithoutAResultAndStillDropsTheBomb) {
  PlayHarness live;
  live.everyFrame = [](PlayHarness& h) {
    if (h.app.state.frameNo < 360) BombingPlayer(h, 92);
  };
  live.At(420, E::Move(500, 470));
  live.At(421, E::Down(1, 500, 470));
  live.PlayLive();
  const GameState& s = live.app.state;
  EXPECT_EQ(s.endTimer, 10240);
  EXPECT_EQ(s.frameNo, 421);  // the pass that saw the click returned before counting a frame
  EXPECT_FALSE(live.app.dir.Exists(kReplayFileName));
  EXPECT_FALSE(live.app.dir.Exists(kHighScoreFileName));
  EXPECT_EQ(s.highScores[0], 1000);
  EXPECT_EQ(s.replay[s.replayPos - 1].flags, kEventLeftClick);
  EXPECT_EQ(s.blastTimer, 1);
  EXPECT_EQ(live.platform.soundLog().back(), "play Bomb notify from 0");

  // The recording up to the quit still replays frame for frame.
  live.app.state.replayPos = s.replayPos;
  ASSERT_TRUE(SaveReplay(live.app.state, live.app.dir));
  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  ASSERT_GT(watch.simulation.size(), live.simulation.size());
  watch.simulation.resize(live.simulation.size());
  EXPECT_EQ(FirstDifference(watch.simulation, live.simulation), "");
}

TEST(PlayAndReplay, TheQuitButtonEndsAReplayButAReplayedClickThereDoesNot) {
  PlayHarness live;
  live.At(100, E::Move(500, 470));
  live.At(100, E::Down(1, 500, 470));  // bomb on the quit button, recorded; the live play ends
  live.PlayLive();
  live.app.state.replayPos = 2;
  ASSERT_TRUE(SaveReplay(live.app.state, live.app.dir));

  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  EXPECT_GT(watch.app.state.frameNo, 400);  // played on until the time ran out

  PlayHarness quit;
  WriteFile(quit.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  quit.At(150, E::Move(500, 470));
  quit.At(151, E::Down(1, 500, 470));
  quit.PlayReplay();
  EXPECT_EQ(quit.app.state.frameNo, 151);
}

TEST(Markers, ModifiedLiveInputIsIgnoredInAPlayWhileTheWheelStillActs) {
  PlayHarness live;
  live.At(100, E::Down(1, 230, 200, 1));   // Shift
  live.At(101, E::Down(2, 230, 200, 2));   // Ctrl
  live.At(102, E::Move(230, 0, 4));        // Alt
  live.At(110, E::WheelTowards());
  live.PlayLive();
  const GameState& s = live.app.state;
  EXPECT_EQ(s.replay[1].flags, kEventWheelTowards);
  EXPECT_EQ(s.replay[1].frame, 110);
  EXPECT_EQ(s.replay[2].flags, 0);
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
  watch.At(100, E::Move(230, 0, 1));
  watch.everyFrame = [&](PlayHarness& h) {
    if (h.app.state.frameNo == 101) {
      speedAfterShiftMove = h.app.state.scrollSpeed;
      h.platform.Script(E::Move(230, 200));
    }
    if (h.app.state.frameNo == 102) speedAfterPlainMove = h.app.state.scrollSpeed;
  };
  watch.PlayReplay();
  EXPECT_EQ(speedAfterShiftMove, 9.0f);
  EXPECT_EQ(speedAfterPlainMove, 9.0f);  // marker 0 does not match a replay
}

TEST(EndOfPlay, AFullReplayTableShowsTheMessageAndSavesNothing) {
  PlayHarness live;
  for (int frame = 61; frame < 500; ++frame)
    for (int k = 0; k < 25; ++k) live.At(frame, E::WheelAway());
  live.PlayLive();
  const GameState& s = live.app.state;
  EXPECT_EQ(s.replayPos, 9999);
  ASSERT_EQ(live.platform.messageBoxes().size(), 1u);
  EXPECT_NE(live.platform.messageBoxes()[0].find(kReplayFullMessage), std::string::npos);
  EXPECT_FALSE(live.app.dir.Exists(kReplayFileName));
  EXPECT_TRUE(live.app.dir.Exists(kHighScoreFileName));  // the scores are still saved
}

TEST(EndOfPlay, ATieWithTheBestScoreRanksBelowItAndKeepsTheStoredReplay) {
  auto play = [](PlayHarness& h) {
    h.everyFrame = [](PlayHarness& p) { BombingPlayer(p, 92); };
    h.PlayLive();
  };
  PlayHarness first;
  play(first);
  const int32_t score = first.app.state.score;
  ASSERT_GT(score, 1000);

  PlayHarness second;
  second.app.state.highScores = {score, 900, 800};
  second.app.state.highScoreStages = {7, 1, 0};
  WriteFile(second.dir.File(kReplayFileName), "stored replay");
  play(second);
  EXPECT_EQ(second.app.state.score, score);
  EXPECT_EQ(second.app.state.highScores, (std::array<int32_t, 3>{score, score, 900}));
  EXPECT_EQ(second.app.state.highScoreStages[0], 7);
  EXPECT_EQ(ReadFile(second.dir.File(kReplayFileName)), "stored replay");

  PlayHarness third;  // one point less at the top: now the play ranks first and replaces it
  third.app.state.highScores = {score - 1, 900, 800};
  WriteFile(third.dir.File(kReplayFileName), "stored replay");
  play(third);
  EXPECT_EQ(third.app.state.highScores[0], score);
  EXPECT_NE(ReadFile(third.dir.File(kReplayFileName)), "stored replay");
}

TEST(EndOfPlay, TheLastTenSecondsTickOncePerSecond) {
  PlayHarness live;
  std::vector<int32_t> ticks;
  live.everyFrame = [&](PlayHarness& h) {
    BombingPlayer(h, 96);
    if (h.simulation.back().find("play Tick") != std::string::npos) ticks.push_back(h.app.state.timeLeft);
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
    EXPECT_GT(h->app.state.replayPos, 5);
    h->everyFrame = nullptr;
    h->simulation.clear();
    WriteFile(h->dir.File(kReplayFileName), emptyReplay);
    if (clearTable) h->app.state.replay.assign(kReplaySlots, ReplayRecord{});
    h->PlayReplay();
    return h;
  };
  auto withLeftovers = watchAfterLongPlay(false);
  auto clean = watchAfterLongPlay(true);
  EXPECT_EQ(withLeftovers->app.state.replayLast, 0);
  EXPECT_EQ(FirstDifference(withLeftovers->simulation, clean->simulation), "");
  EXPECT_EQ(withLeftovers->app.state.score, 0);
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
  const auto outcome = RunReplayFile(live.dir.File(kReplayFileName), {}, &error);
  ASSERT_TRUE(outcome) << error;
  EXPECT_EQ(outcome->score, live.app.state.score);
  EXPECT_EQ(outcome->stage, live.app.state.stage);
  EXPECT_EQ(outcome->frameNo, live.app.state.frameNo);
  EXPECT_FALSE(RunReplayFile(live.dir.File("missing.dat"), {}, &error));
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
    const auto outcome = RunReplayFile(dir.File("r.dat"), {}, &error);
    ASSERT_TRUE(outcome) << error;
    EXPECT_EQ(outcome->score, 0);
    EXPECT_EQ(outcome->stage, 0);
  }
}

// Writes tests/data/bot_play.dat, the replay the tool tests run on. Regenerate with
//   build/quandel_tests --gtest_also_run_disabled_tests --gtest_filter='*WriteSampleReplay'
TEST(PlayAndReplay, DISABLED_WriteSampleReplay) {
  PlayHarness live;
  live.everyFrame = [](PlayHarness& h) { BombingPlayer(h, 89); };
  live.PlayLive();
  WriteFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", ReadFile(live.dir.File(kReplayFileName)));
  std::printf("score=%d stage=%d frames=%d\n", live.app.state.score, live.app.state.stage, live.app.state.frameNo);
}

}  // namespace
}  // namespace quandel::testing
