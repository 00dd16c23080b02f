#include "persist/replay_file.h"

#include <gtest/gtest.h>

#include "persist/scramble.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel {
using testing::Scramble;

// Field f (frame, x, y, flags) of slot `slot`, read independently of the game's decoder.
int64_t Field(const std::string& file, size_t slot, int f) {
  constexpr size_t kEnds[] = {0, 12, 22, 32, 36};
  return testing::Unscramble(std::string_view(file).substr(8 + 36 * slot + kEnds[f], kEnds[f + 1] - kEnds[f]));
}

TEST(ReplayFile, EventsFollowTheLayoutAndPositionsKeepHundredths) {
  testing::TempDir dir;
  const DataDir data(dir.path());
  ReplayTable s;
  const ReplayRecord events[] = {{0, 230, 400, 0},
                                 {61, 123.456f, 0.125f, 1},
                                 {999999, 639, 479, 31},
                                 {70, -12.5f, 1000, 16},
                                 {71, 1234.56f, 0.005f, 2}};
  const int64_t stored[][4] = {
      {0, 23000, 40000, 0}, {61, 12346, 12, 1}, {999999, 63900, 47900, 31}, {70, 1250, 10000, 16}, {71, 12345, 0, 2}};
  for (int i = 0; i < 5; ++i) s.replay[i] = events[i];
  s.replay[5] = {72, 1, 1, 1};  // recorded beyond replayPos: not part of the replay
  Rng rng;
  ASSERT_TRUE(SaveReplay(s, 5, rng, data));
  const std::string file = testing::ReadFile(dir.File("replay.dat"));
  ASSERT_EQ(file.size(), 8u + 36 * 5);
  EXPECT_EQ(testing::Unscramble(file.substr(0, 8)), 4);
  for (size_t i = 0; i < 5; ++i)
    for (int f = 0; f < 4; ++f) EXPECT_EQ(Field(file, i, f), stored[i][f]) << i << "," << f;

  ReplayTable back;
  back.replay[5] = {9, 9, 9, 9};
  LoadReplay(back, data);
  EXPECT_EQ(back.replayLast, 4);
  const float xs[] = {230, 123.46f, 639, 12.5f, 123.45f};  // the sign and the sixth digit are lost
  for (int i = 0; i < 5; ++i)
    EXPECT_FIELDS(FIELD(back.replay[i].frame, events[i].frame), FIELD(back.replay[i].x, xs[i]),
                  FIELD(back.replay[i].flags, events[i].flags))
        << i;
  // 12.5 hundredths round to even; slots above replayLast keep what they held.
  EXPECT_FIELDS(FIELD(back.replay[1].y, 0.12f), FIELD(back.replay[5].frame, 9));

  // A play without events: the header for 0 and the start position alone.
  ASSERT_TRUE(SaveReplay(s, 1, rng, data));
  const std::string empty = testing::ReadFile(dir.File("replay.dat"));
  ASSERT_EQ(empty.size(), 44u);
  EXPECT_EQ(testing::Unscramble(empty.substr(0, 8)), 0);
  for (int f = 0; f < 4; ++f) EXPECT_EQ(Field(empty, 0, f), stored[0][f]) << "field " << f;
}

TEST(ReplayFile, HostileFilesLoadWithoutReachingOutsideTheTable) {
  const std::string slot = Scramble(61, 6) + Scramble(12345, 5) + Scramble(678, 5) + Scramble(3, 2);
  // held: the slots the file holds whole.
  struct {
    std::string bytes;
    size_t tableSize;
    int16_t last;
    int held;
  } const cases[] = {
      {Scramble(2, 4) + slot + slot + slot + std::string(5000, 'Y'), kReplaySlots, 2, 3},
      {Scramble(9999, 4) + slot + slot + slot.substr(0, 35), kReplaySlots, 9999, 2},  // announces more than it holds
      {Scramble(9999, 4) + slot + slot, kReplaySlotsOff, 9, 2},                       // more than the table
      {"\x01\x02\xfe\xff\x01(((" + slot + slot, kReplaySlots, 0, 1},
      {Scramble(3, 4).substr(0, 5), kReplaySlots, 0, 0},
      {Scramble(1, 4) + std::string(72, '\0'), kReplaySlots, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
    testing::TempDir dir;
    testing::WriteFile(dir.File("replay.dat"), c.bytes);
    ReplayTable s;
    s.replay.assign(c.tableSize, ReplayRecord{5, 5, 5, 5});
    LoadReplay(s, DataDir(dir.path()));
    ASSERT_EQ(s.replayLast, c.last);
    for (int i = 0; i <= c.last; ++i) {
      // Slots the file does not hold whole read as zeros.
      ASSERT_EQ(s.replay[i].frame, i < c.held ? 61 : 0) << "slot " << i;
      ASSERT_EQ(s.replay[i].x, i < c.held ? 123.45f : 0.0f) << "slot " << i;
    }
    if (c.last + 1 < static_cast<int>(c.tableSize)) { EXPECT_EQ(s.replay[c.last + 1].frame, 5); }
  }
  ReplayTable s;
  s.replay[0].frame = 7;
  testing::TempDir empty;
  LoadReplay(s, DataDir(empty.path()));
  EXPECT_FIELDS(FIELD(s.replayLast, 0), FIELD(s.replay[0].frame, 7));
}

}  // namespace quandel
