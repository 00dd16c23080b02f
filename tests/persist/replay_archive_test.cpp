// replays/: every live play kept, the most recent and the best, and nothing else in the folder touched.
#include "persist/replay_archive.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quandel {
namespace {

TEST(ReplayArchive, KeepsTheMostRecentAndTheBestAndNothingElseOfOurs) {
  std::vector<std::string> names{"notes.txt", "2026-01-01_00-00-00_12.qreplay"};
  for (int i = 0; i < 210; ++i) {
    const int32_t score = (i == 0 || i == 2 || i == 4) ? 999999 : i;
    names.push_back(ArchiveName(1700000000 + 60 * i, score));
  }
  EXPECT_EQ(ArchivedScore(names[2]), 999999);
  EXPECT_EQ(ArchivedScore("notes.txt"), -1);
  auto pruned = ReplaysToPrune(names);
  std::sort(pruned.begin(), pruned.end());
  // The 200 newest stay, and of the older ones those among the ten best: the three 999999s.
  std::vector<std::string> expected;  // the name with a short score field is not one of ours
  for (int i : {1, 3, 5, 6, 7, 8, 9}) expected.push_back(names[2 + i]);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(pruned, expected);
}

}  // namespace
}  // namespace quandel
