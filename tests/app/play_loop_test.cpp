#include "app/play_loop.h"

#include <gtest/gtest.h>

#include "persist/replay_file.h"
#include "support/test_support.h"

namespace quandel::testing {
namespace {

// The scores are always saved; the recording only when it can be kept and is the first or the best.
TEST(SavingRecorder, KeepsTheRecordingOfTheFirstOrTheBestPlay) {
  const struct {
    bool stored;
    uint8_t rank;
    bool full;
    uint8_t recordingOff;
    bool saved;
  } cases[] = {{false, 0, false, 0, true},
               {true, 2, false, 0, false},
               {true, 1, false, 0, true},
               {false, 1, true, 0, false},
               {false, 1, false, 1, false}};
  for (const auto& c : cases) {
    TempDir dir;
    const DataDir data(dir.path());
    if (c.stored) WriteFile(dir.File(kReplayFileName), "stored");
    Settings settings;
    PlayState play;
    play.recordingOff = c.recordingOff, play.replayPos = 1;
    ReplayTable replay;
    SavingRecorder(settings, data).RecordResult(play, replay, ScoreTable{}, c.rank, c.full);
    EXPECT_EQ(ReadFile(dir.File("scr.hsc")).size(), 56u) << "case " << &c - cases;
    const std::string after = ReadFile(dir.File(kReplayFileName));
    EXPECT_EQ(after.size() == 44, c.saved) << "case " << &c - cases << ": " << after;
  }
}

}  // namespace
}  // namespace quandel::testing
