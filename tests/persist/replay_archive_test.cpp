// replays/: every live play kept, the most recent and the best, and nothing else in the folder touched.
#include "persist/replay_archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.h"

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

TEST(ReplayArchive, RemovesOnlyRegularFilesNamedExactlyAsItNamesThem) {
  testing::TempDir dir;
  const std::string folder = dir.File(kReplayFolder);
  std::filesystem::create_directory(folder);
  // 300 plays a minute apart, the oldest the best; then a play scoring 0 ends.
  const std::time_t start = 1700000000, end = start + 60 * 300;
  std::vector<std::string> own;
  for (int i = 0; i < 300; ++i) {
    own.push_back(ArchiveName(start + 60 * i, 1000 - i));
    testing::WriteFile(folder + "/" + own.back(), "x");
  }
  // The player's things, older and worse than every play of ours, so counting one as ours removes it.
  enum Kind { kFile, kFolder, kLink, kFifo };
  testing::WriteFile(dir.File("linked.txt"), "the player's");
  const struct {
    std::string name;
    Kind kind;
  } planted[] = {{"2019-01-01_00-00-00_000000-my favourite.qreplay", kFile},
                 {"0000-xx-xx_xx-xx-xx_000000.qreplay", kFile},
                 {"2019-01-01_00-00-00_00000x.qreplay", kFile},
                 {"2019-13-01_00-00-00_000000.qreplay", kFile},
                 {"2019-01-01_24-00-00_000000.qreplay", kFile},
                 {"2019-01-01 00-00-00_000000.qreplay", kFile},
                 {"2019-01-01_00-00-00_000000-1.qreplay", kFile},
                 {"2019-01-01_00-00-00_000000-02.qreplay", kFile},
                 {"2019-01-01_00-00-00_000000-100.qreplay", kFile},
                 {"2019-01-01_00-00-00_000000.qreplay.bak", kFile},
                 {"2019-01-01_00-00-01_000000.qreplay", kFolder},
                 {"2019-01-01_00-00-02_000000.qreplay", kLink},
                 {"2019-01-01_00-00-03_000000.qreplay", kFifo},
                 {ArchiveName(end, 0), kLink}};  // the new play's own name
  for (const auto& p : planted) {
    const std::string path = folder + "/" + p.name;
    if (p.kind == kFile) testing::WriteFile(path, "the player's");
    if (p.kind == kFolder) std::filesystem::create_directory(path);
    if (p.kind == kLink) std::filesystem::create_symlink("../linked.txt", path);
    if (p.kind == kFifo) ::mkfifo(path.c_str(), 0644);
  }

  ASSERT_TRUE(ArchiveReplay(DataDir(dir.path()), ReplayTable{}, 1, Rng{}, 0, end));
  for (const auto& p : planted) {
    struct stat st {};
    if (::lstat((folder + "/" + p.name).c_str(), &st) != 0) {
      ADD_FAILURE() << p.name << " was removed";
      continue;
    }
    const mode_t type[] = {S_IFREG, S_IFDIR, S_IFLNK, S_IFIFO};
    EXPECT_EQ(st.st_mode & S_IFMT, type[p.kind]) << p.name;
  }
  EXPECT_EQ(testing::ReadFile(dir.File("linked.txt")), "the player's");
  // Its name taken by a link, the new play went beside it.
  const std::string fresh = ArchiveName(end, 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/" + fresh.substr(0, fresh.find('.')) + "-2.qreplay"));
  // Of ours, the ten best (the oldest) and the 200 most recent stay: the new play and 199 more.
  for (int i = 0; i < 300; ++i) EXPECT_EQ(std::filesystem::exists(folder + "/" + own[i]), i < 10 || i >= 101) << own[i];
}

}  // namespace
}  // namespace quandel
