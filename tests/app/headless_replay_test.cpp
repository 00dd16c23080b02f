#include "app/headless_replay.h"

#include <gtest/gtest.h>

#include "game/trace.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel::testing {
namespace {

TEST(HeadlessReplay, MissingAndHostileFilesPlayToADefinedEnd) {
  TempDir dir;
  std::string error;
  ReplayTable table;
  EXPECT_FALSE(LoadReplayFile(dir.File("missing.dat"), table, &error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos);
  const std::string cases[] = {
      "",
      std::string(5000, '\xff'),                 // codes outside 40..89
      "(((2(((<" + std::string(40, '('),         // header 9999, hardly any slot
      std::string("\0\x01\x02((((", 7) + "garbage",
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &bytes - cases);
    WriteFile(dir.File("r.dat"), bytes);
    table = ReplayTable{};
    ASSERT_TRUE(LoadReplayFile(dir.File("r.dat"), table, &error)) << error;
    ReplayRun run(std::move(table));
    while (run.Step()) continue;
    EXPECT_FIELDS(FIELD(run.outcome().score, 0), FIELD(run.outcome().stage, 0));
  }
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
