#include "persist/data_dir.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "persist/high_scores.h"
#include "persist/replay_file.h"
#include "support/test_support.h"

namespace quandel {

namespace {

size_t EntriesIn(const std::string& path) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path), {}));
}

// A replay whose slots all carry the given tag, `slots` long.
void FillReplay(GameState& s, int slots, int tag) {
  for (int i = 0; i < slots; ++i) s.replay[i] = {i * 10 + tag, static_cast<float>(tag), 1, static_cast<uint8_t>(tag)};
  s.replayPos = static_cast<int16_t>(slots);
}

}  // namespace

TEST(DataDir, AFailedSaveKeepsTheOldFileAndLeavesNothingBehind) {
  const std::string fresh(100000, 'n');
  for (SaveStep failing : {SaveStep::kCreate, SaveStep::kWrite, SaveStep::kFlush, SaveStep::kClose, SaveStep::kRename}) {
    testing::TempDir dir;
    testing::WriteFile(dir.File("scr.hsc"), "old");
    ::chmod(dir.File("scr.hsc").c_str(), 0604);
    DataDir data(dir.path());
    data.set_fault_hook([&](SaveStep step) { return step == failing; });
    EXPECT_FALSE(data.WriteAtomic("scr.hsc", fresh));
    EXPECT_EQ(testing::ReadFile(dir.File("scr.hsc")), "old");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);

    // A crash at the same step: the old file survives whole.
    const pid_t child = ::fork();
    if (child == 0) {
      data.set_fault_hook([&](SaveStep step) {
        if (step == failing) ::_exit(0);
        return false;
      });
      data.WriteAtomic("scr.hsc", fresh);
      ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(testing::ReadFile(dir.File("scr.hsc")), "old");

    data.set_fault_hook(nullptr);
    ASSERT_TRUE(data.WriteAtomic("scr.hsc", fresh));
    EXPECT_TRUE(testing::ReadFile(dir.File("scr.hsc")) == fresh);
    struct stat st {};
    ::stat(dir.File("scr.hsc").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
  }

}

TEST(DataDir, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewReplayWhole) {
  testing::TempDir dir;
  const DataDir data(dir.path());
  const int versions[] = {2001, 3001, 4001};  // slots of the initial file and of the two saved in turn
  GameState s;
  FillReplay(s, versions[0], 0);
  ASSERT_TRUE(SaveReplay(s, data));
  std::mt19937 random(12345);
  int interrupted = 0;
  for (int run = 0; run < 40; ++run) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (int v = 1;; v = 3 - v) {
        FillReplay(s, versions[v], v);
        SaveReplay(s, data);
      }
    }
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    GameState back;
    LoadReplay(back, data);
    const int v = back.replayLast == 2000 ? 0 : back.replayLast == 3000 ? 1 : back.replayLast == 4000 ? 2 : -1;
    ASSERT_NE(v, -1) << back.replayLast;
    ASSERT_EQ(std::filesystem::file_size(dir.File("replay.dat")), 8u + 36 * versions[v]);
    for (int i = 0; i < versions[v]; ++i) ASSERT_EQ(back.replay[i].frame, i * 10 + v) << i;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      if (entry.path().filename() != "replay.dat") interrupted += std::filesystem::remove(entry.path());
    }
  }
  // Many kills must land in the middle of a save (about half do), or the test proves little.
  EXPECT_GT(interrupted, 5);
}

TEST(DataDir, PipesAndFoldersInPlaceOfSaveFilesAreIgnored) {
  testing::TempDir dir;
  const DataDir data(dir.path());
  ::mkfifo(dir.File("replay.dat").c_str(), 0644);
  std::filesystem::create_directory(dir.File("scr.hsc"));
  EXPECT_FALSE(data.Exists("replay.dat"));
  EXPECT_FALSE(data.Read("replay.dat"));  // would block on a pipe
  EXPECT_FALSE(data.Exists("scr.hsc"));
  GameState s;
  LoadHighScores(s, data);
  EXPECT_EQ(s.highScores[0], 1000);
  EXPECT_FALSE(SaveHighScores(s, data));
}

}  // namespace quandel
