#include "app/headless_replay.h"

#include <gtest/gtest.h>

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
    WriteFile(dir.File("r.dat"), bytes);
    table = ReplayTable{};
    ASSERT_TRUE(LoadReplayFile(dir.File("r.dat"), table, &error)) << error;
    ReplayRun run(std::move(table));
    while (run.Step()) continue;
    EXPECT_TRUE(run.outcome().score == 0 && run.outcome().stage == 0);
  }
}

}  // namespace
}  // namespace quandel::testing
