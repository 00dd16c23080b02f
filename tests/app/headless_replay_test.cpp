#include "app/headless_replay.h"

#include <gtest/gtest.h>

#include "game/trace.h"
#include "persist/scramble.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel::testing {
namespace {

TEST(HeadlessReplay, NamedFilesMustBeReplaysTheGameCouldHaveWritten) {
  TempDir dir;
  std::string error;
  ReplayTable table;
  EXPECT_FALSE(LoadReplayFile(dir.File("missing.dat"), table, &error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos);
  const std::string slot = Scramble(61, 6) + Scramble(12345, 5) + Scramble(678, 5) + Scramble(3, 2);
  struct {
    std::string bytes;
    const char* why;
  } const refused[] = {
      {"", "empty"},
      {Scramble(1, 4) + slot + "garbage", "whole number of records"},
      {Scramble(0, 4), "nothing is recorded"},
      {Scramble(0, 4) + std::string(36, '\xff'), "record 0 holds bytes"},
      {Scramble(0, 4) + slot.substr(0, 35) + "Y", "record 0 holds bytes"},  // halves that disagree
      {Scramble(2, 4) + slot + slot, "announces 3 records, it holds 2"},
  };
  for (const auto& c : refused) {
    WriteFile(dir.File("r.dat"), c.bytes);
    EXPECT_FALSE(LoadReplayFile(dir.File("r.dat"), table, &error)) << c.why;
    EXPECT_NE(error.find(dir.File("r.dat") + ": not a replay: "), std::string::npos) << c.why << ": " << error;
    EXPECT_NE(error.find(c.why), std::string::npos) << c.why << ": " << error;
  }
  WriteFile(dir.File("r.dat"), Scramble(1, 4) + slot + slot);
  ASSERT_TRUE(LoadReplayFile(dir.File("r.dat"), table, &error)) << error;
  EXPECT_EQ(table.replayLast, 1);
}

// The sample play the tool tests run on, to its end: any change to the simulation, the replay reader
// or the trace shows here. The digest is 64-bit FNV-1a of what `quandel-replay --trace` prints.
TEST(BotPlay, EndsWithTheRecordedOutcome) {
  ReplayTable table;
  std::string error;
  ASSERT_TRUE(LoadReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", table, &error)) << error;
  ReplayRun run(std::move(table));
  uint64_t digest = 0xcbf29ce484222325u;
  while (run.Step()) {
    if (!run.simulated()) continue;
    for (const unsigned char c : TraceLine(run.play(), run.TakeSounds()) + "\n") digest = (digest ^ c) * 0x100000001b3u;
  }
  EXPECT_FIELDS(FIELD(run.outcome().score, 81800), FIELD(run.outcome().stage, 6), FIELD(run.outcome().frameNo, 5898));
  EXPECT_EQ(digest, 0x35ce8391c1cca94fu);  // 5958 lines
}

}  // namespace
}  // namespace quandel::testing
