#include "persist/high_scores.h"

#include <gtest/gtest.h>

#include "persist/scramble.h"
#include "support/test_support.h"

namespace quandel {
using testing::Scramble;
using testing::Unscramble;

namespace {

// A file by the layout: four 1-digit settings, then score (6) and stage (2) three times.
std::string HandMadeFile(int a, int f, int m, int e, std::array<int64_t, 6> entries) {
  std::string s = Scramble(a, 1) + Scramble(f, 1, 1) + Scramble(m, 1, 4) + Scramble(e, 1, 2);
  for (int i = 0; i < 3; ++i) s += Scramble(entries[2 * i], 6, i) + Scramble(entries[2 * i + 1], 2, i + 1);
  return s;
}

}  // namespace

TEST(HighScores, FirstStartTakesTheDefaultsAndTheSaveFollowsTheLayout) {
  testing::TempDir dir;
  GameState s;
  s.frameSkip = 7;
  s.highScores = {1, 2, 3};
  LoadHighScores(s, DataDir(dir.path()));
  EXPECT_EQ(s.frameSkip, 2);
  EXPECT_EQ(s.highScores, (std::array<int32_t, 3>{1000, 500, 200}));
  EXPECT_EQ(s.highScoreStages, (std::array<int32_t, 3>{2, 1, 0}));

  s.autoFrameSkip = 1, s.frameSkip = 12, s.musicOff = 1, s.effectsLevel = 3;
  s.highScores = {1234567, 654321, 7};
  s.highScoreStages = {150, 99, 0};
  ASSERT_TRUE(SaveHighScores(s, DataDir(dir.path())));
  const std::string file = testing::ReadFile(dir.File("scr.hsc"));
  ASSERT_EQ(file.size(), 56u);
  const int64_t expected[] = {1, 1, 1, 3, 999999, 99, 654321, 99, 7, 0};
  const size_t offsets[] = {0, 2, 4, 6, 8, 20, 24, 36, 40, 52, 56};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Unscramble(std::string_view(file).substr(offsets[i], offsets[i + 1] - offsets[i])), expected[i]) << i;
  }
}

TEST(HighScores, DamagedOrShortTablesFallBackToTheDefaultsAndKeepTheSettings) {
  const std::string good = HandMadeFile(1, 4, 0, 2, {999999, 99, 2000, 12, 41, 0});
  std::string oneDigitChanged = good;
  oneDigitChanged[30] = static_cast<char>(oneDigitChanged[30] + 5);  // second half of score 2
  struct Case {
    std::string bytes;
    bool valid;
    uint8_t frameSkip;
  } cases[] = {
      {good + std::string(3 << 20, 'Z'), true, 4},  // only the first 56 bytes count; stage 0 is valid
      {oneDigitChanged, false, 4},
      {good.substr(0, 40), false, 4},  // short: missing fields read as 0
      {good.substr(0, 3), false, 0},
      {"", false, 0},
      {std::string(56, '\0'), false, 0},
      {std::string(56, '\xff'), false, 0},
  };
  for (const Case& c : cases) {
    testing::TempDir dir;
    testing::WriteFile(dir.File("scr.hsc"), c.bytes);
    GameState s;
    LoadHighScores(s, DataDir(dir.path()));
    EXPECT_EQ(s.frameSkip, c.frameSkip);
    EXPECT_EQ(s.effectsLevel, c.frameSkip ? 2 : 0);
    EXPECT_EQ(s.highScores, c.valid ? (std::array<int32_t, 3>{999999, 2000, 41}) : (std::array<int32_t, 3>{1000, 500, 200}));
    EXPECT_EQ(s.highScoreStages, c.valid ? (std::array<int32_t, 3>{99, 12, 0}) : (std::array<int32_t, 3>{2, 1, 0}));
    // A fallback is written back at once; a valid file is left alone.
    const std::string after = testing::ReadFile(dir.File("scr.hsc"));
    if (c.valid) {
      EXPECT_TRUE(after == c.bytes);
    } else {
      ASSERT_EQ(after.size(), 56u);
      EXPECT_EQ(Unscramble(std::string_view(after).substr(8, 12)), 1000);
      EXPECT_EQ(Unscramble(std::string_view(after).substr(2, 2)), c.frameSkip);
    }
  }
}

}  // namespace quandel
