// A whole play through the frame step: recorded live, saved, loaded and watched again.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/headless_replay.h"
#include "game/play_harness.h"
#include "persist/replay_file.h"
#include "support/expect_fields.h"

namespace quandel::testing {
namespace {

// Until the result is recorded: a live play's save draws from the generator (the digit scramble)
// where its replay does not, so the closing seconds part ways by design.
std::vector<std::string> UntilResult(std::vector<std::string> lines) {
  auto at = std::find_if(lines.begin(), lines.end(),
                         [](const std::string& l) { return l.find("\"endTimer\":1000") != std::string::npos; });
  lines.erase(at, lines.end());
  return lines;
}

// A long play with bombs, magnets (one restarted while it runs), the wheel and several events in
// one frame; the saved replay, watched in a fresh program and by the headless tool, must match it.
TEST(PlayAndReplay, ALongPlayThroughTheWideColumnsReplaysFrameForFrame) {
  PlayHarness live;
  bool specialBurned = false, widened = false;
  live.everyFrame = [&](PlayHarness& h) {
    BombingPlayer(h, 89);
    for (const Box& b : h.play.boxes)
      specialBurned = specialBurned || (b.kind == BoxKind::kSpecial && b.state == BoxState::kBurning);
    widened = widened || h.play.fieldWidth > 200;
  };
  // The first move comes during the opening: it moves the cursor and records nothing.
  for (auto [frame, e] : {std::pair{30, Move(200, 300)},
                          {61, Move(230, 40)},
                          {61, WheelTowards()},
                          {70, Down(2, 230, 120)},
                          {70, Move(230, 10)},
                          {95, WheelAway()},
                          {96, Move(230, 200)},
                          {140, Down(2, 200, 200)},
                          {150, Down(2, 260, 220)},
                          {150, Down(1, 260, 220)}})
    live.At(frame, e);
  live.PlayLive();
  EXPECT_GE(live.play.stage, 5);
  EXPECT_TRUE(widened);
  EXPECT_TRUE(specialBurned);
  EXPECT_EQ(live.scores.highScores[0], live.play.score);  // a good play ranks first

  PlayHarness watch;
  WriteFile(watch.dir.File(kReplayFileName), ReadFile(live.dir.File(kReplayFileName)));
  watch.PlayReplay();
  ASSERT_EQ(watch.simulation.size(), live.simulation.size());
  EXPECT_GT(UntilResult(live.simulation).size(), 4000u);
  EXPECT_EQ(FirstDifference(UntilResult(watch.simulation), UntilResult(live.simulation)), "");

  ReplayTable table;
  std::string error;
  ASSERT_TRUE(LoadReplayFile(live.dir.File(kReplayFileName), table, &error)) << error;
  ReplayRun run(std::move(table));
  while (run.Step()) continue;
  EXPECT_FIELDS(FIELD(run.outcome().score, live.play.score), FIELD(run.outcome().stage, live.play.stage),
                FIELD(run.outcome().frameNo, live.play.frameNo));
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
