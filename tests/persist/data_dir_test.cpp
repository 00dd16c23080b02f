#include "persist/data_dir.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <random>

#include "persist/high_scores.h"
#include "persist/replay_file.h"
#include "support/test_support.h"

namespace quandel {

TEST(DataDir, AFailedOrCrashedSaveKeepsTheOldFileAndLeavesNothingBehind) {
  const std::string fresh(100000, 'n');
  for (SaveStep failing :
       {SaveStep::kCreate, SaveStep::kWrite, SaveStep::kFlush, SaveStep::kClose, SaveStep::kRename}) {
    SCOPED_TRACE(::testing::Message() << "failing step " << static_cast<int>(failing));
    testing::TempDir dir;
    testing::WriteFile(dir.File("scr.hsc"), "old");
    ::chmod(dir.File("scr.hsc").c_str(), 0604);
    DataDir data(dir.path());
    // No temporary file and no rewriting in place either.
    data.set_fault_hook([&](SaveStep step) { return step == failing || step == SaveStep::kRewrite; });
    EXPECT_FALSE(data.WriteAtomic("scr.hsc", fresh));
    EXPECT_EQ(testing::ReadFile(dir.File("scr.hsc")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // A crash at the same step: the old file survives whole.
    if (const pid_t child = ::fork(); child == 0) {
      data.set_fault_hook([&](SaveStep step) { return step == failing ? (::_exit(0), true) : false; });
      data.WriteAtomic("scr.hsc", fresh);
      ::_exit(1);
    } else {
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(testing::ReadFile(dir.File("scr.hsc")), "old");

    data.set_fault_hook(nullptr);
    ASSERT_TRUE(data.WriteAtomic("scr.hsc", fresh));
    EXPECT_TRUE(testing::ReadFile(dir.File("scr.hsc")) == fresh);
    struct stat st {};
    ::stat(dir.File("scr.hsc").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0604u);  // the player's permissions survive the replacement
  }
}

TEST(DataDir, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewReplayWhole) {
  testing::TempDir dir;
  const DataDir data(dir.path());
  const int versions[] = {2001, 3001, 4001};  // slots of the initial file and of the two saved in turn
  ReplayTable s;
  Rng rng;
  int16_t pos = 0;
  auto fill = [&](int v) {  // every slot tagged with its version
    for (int i = 0; i < versions[v]; ++i) s.replay[i] = {i * 10 + v, static_cast<float>(v), 1, static_cast<uint8_t>(v)};
    pos = static_cast<int16_t>(versions[v]);
  };
  fill(0);
  ASSERT_TRUE(SaveReplay(s, pos, rng, data));
  std::mt19937 random(12345);
  int interrupted = 0;
  for (int run = 0; run < 40; ++run) {
    SCOPED_TRACE(run);
    const pid_t child = ::fork();
    for (int v = 1; child == 0; v = 3 - v) fill(v), SaveReplay(s, pos, rng, data);
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    ReplayTable back;
    LoadReplay(back, data);
    const int v = (back.replayLast - 2000) / 1000;
    ASSERT_THAT(back.replayLast, ::testing::AnyOf(2000, 3000, 4000));
    ASSERT_EQ(std::filesystem::file_size(dir.File("replay.dat")), 8u + 36 * versions[v]);
    for (int i = 0; i < versions[v]; ++i) ASSERT_EQ(back.replay[i].frame, i * 10 + v) << i;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      if (entry.path().filename() != "replay.dat") interrupted += std::filesystem::remove(entry.path());
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
  EXPECT_FALSE(data.Exists("scr.hsc"));
  EXPECT_FALSE(data.Read("replay.dat"));  // would block on a pipe
  Settings s;
  ScoreTable t;
  Rng rng;
  LoadHighScores(s, t, rng, data);
  EXPECT_EQ(t.highScores[0], 1000);
  EXPECT_FALSE(SaveHighScores(s, t, rng, data));
}

TEST(DataDir, WithoutATemporaryFileTheOldFileIsRewrittenInPlaceOrLeftWhole) {
  const std::string fresh(5000, 'n');
  const struct {
    std::optional<SaveStep> alsoFailing;
    bool oldFile, saved;
  } cases[] = {{{}, true, true},
               {SaveStep::kWrite, true, false},
               {SaveStep::kFlush, true, false},
               {SaveStep::kRewrite, true, false},
               {{}, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
    testing::TempDir dir;
    if (c.oldFile) testing::WriteFile(dir.File("scr.hsc"), "old");
    DataDir data(dir.path());
    data.set_fault_hook([&](SaveStep step) { return step == SaveStep::kCreate || step == c.alsoFailing; });
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(data.WriteAtomic("scr.hsc", fresh), c.saved);
    EXPECT_EQ(data.WriteAtomic("scr.hsc", fresh), c.saved);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.saved ? 0 : 1) << said;  // said once, not per save
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), c.oldFile ? 1 : 0);
    if (c.oldFile) { EXPECT_EQ(testing::ReadFile(dir.File("scr.hsc")), c.saved ? fresh : "old"); }
  }
}

TEST(DataDir, ASaveThroughALinkReplacesTheFileItLeadsToAndTheLinkStays) {
  enum Kind { kFile, kChain, kNothing, kFolder, kFifo };
  const struct {
    const char* what;
    Kind kind;
    bool folderTakesNoFile, saved;
  } cases[] = {{"link to a file in another folder", kFile, false, true},
               {"link to a link to a file", kChain, false, true},
               {"dangling link", kNothing, false, false},
               {"link to a folder", kFolder, false, false},
               {"link to a pipe", kFifo, false, false},
               {"target's folder takes no file", kFile, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempDir dir, elsewhere;
    const std::string target = elsewhere.File("scores"), link = dir.File("scr.hsc");
    if (c.kind == kFile || c.kind == kChain) testing::WriteFile(target, "old");
    if (c.kind == kFolder) std::filesystem::create_directory(target);
    if (c.kind == kFifo) ::mkfifo(target.c_str(), 0644);
    if (c.kind == kChain) std::filesystem::create_symlink(target, elsewhere.File("hop"));
    std::filesystem::create_symlink(c.kind == kChain ? elsewhere.File("hop") : target, link);
    DataDir data(dir.path());
    data.set_fault_hook([&](SaveStep step) { return c.folderTakesNoFile && step == SaveStep::kCreate; });
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(data.WriteAtomic("scr.hsc", "new"), c.saved);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.saved ? 0 : 1) << said;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    std::error_code notALink;
    EXPECT_EQ(std::filesystem::read_symlink(link, notALink), c.kind == kChain ? elsewhere.File("hop") : target);
    if (c.kind == kFile || c.kind == kChain) { EXPECT_EQ(testing::ReadFile(target), c.saved ? "new" : "old"); }
    // Nothing else in either folder: no temporary file, nothing made in place of what was missing.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere.path()), {}),
              (c.kind == kChain) + (c.kind != kNothing));
  }
}

TEST(DataDir, LeftoversOfCutShortSavesGoAndNothingElse) {
  testing::TempDir dir;
  const DataDir data(dir.path());
  const struct {
    const char* name;
    bool leftover;
  } files[] = {{"scr.hsc.saving-a1B2c3", true},   {"replay.dat.saving-ZZZZZZ", true}, {"scr.hsc.saving-a1B2c", false},
               {"scr.hsc.saving-a1B2c3d", false}, {"scr.hsc.backup", false},          {"notes.saving-a1B2c3", false},
               {"scr.hsc.saving-busy00", false}};
  for (const auto& f : files) testing::WriteFile(dir.File(f.name), "x");
  const int busy = ::open(dir.File("scr.hsc.saving-busy00").c_str(), O_RDONLY);  // a save in progress
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);
  data.RemoveLeftovers({"scr.hsc", "replay.dat"});
  ::close(busy);
  for (const auto& f : files) EXPECT_NE(std::filesystem::exists(dir.File(f.name)), f.leftover) << f.name;
}

}  // namespace quandel
