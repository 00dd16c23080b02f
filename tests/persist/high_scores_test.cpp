#include "persist/high_scores.h"

#include <gtest/gtest.h>

#include "persist/scramble.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel {
using testing::Scramble;
using testing::Unscramble;
using Table = std::array<int32_t, 3>;

// The fields of scr.hsc: four 1-digit settings, then score (6) and stage (2) three times.
constexpr size_t kFieldEnds[] = {0, 2, 4, 6, 8, 20, 24, 36, 40, 52, 56};

TEST(HighScores, FirstStartTakesTheDefaultsAndTheSaveFollowsTheLayout) {
  testing::TempDir dir;
  Settings s;
  ScoreTable t;
  Rng rng;
  s.frameSkip = 7, t.highScores = {1, 2, 3};
  LoadHighScores(s, t, rng, DataDir(dir.path()));
  EXPECT_EQ(s.frameSkip, 2);
  EXPECT_EQ(t.highScores, (Table{1000, 500, 200}));
  EXPECT_EQ(t.highScoreStages, (Table{2, 1, 0}));

  s.autoFrameSkip = 1, s.frameSkip = 12, s.musicOff = 1, s.effectsLevel = 3;
  t.highScores = {1234567, 654321, 7}, t.highScoreStages = {150, 99, 0};  // too many digits: the largest that fits
  ASSERT_TRUE(SaveHighScores(s, t, rng, DataDir(dir.path())));
  const std::string file = testing::ReadFile(dir.File("scr.hsc"));
  ASSERT_EQ(file.size(), 56u);
  const int64_t expected[] = {1, 1, 1, 3, 999999, 99, 654321, 99, 7, 0};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(Unscramble(std::string_view(file).substr(kFieldEnds[i], kFieldEnds[i + 1] - kFieldEnds[i])), expected[i])
        << i;
}

TEST(HighScores, DamagedOrShortTablesFallBackToTheDefaultsAndKeepTheSettings) {
  std::string good = Scramble(1, 1) + Scramble(4, 1, 1) + Scramble(0, 1, 4) + Scramble(2, 1, 2);
  const int64_t entries[] = {999999, 99, 2000, 12, 41, 0};
  for (int i = 0; i < 3; ++i) good += Scramble(entries[2 * i], 6, i) + Scramble(entries[2 * i + 1], 2, i + 1);
  std::string oneDigitChanged = good;
  oneDigitChanged[30] = static_cast<char>(oneDigitChanged[30] + 5);  // second half of score 2
  const std::pair<std::string, uint8_t> cases[] = {
      // the file, and the frame skip read from it
      {good + std::string(3 << 20, 'Z'), 4},  // only the first 56 bytes count; stage 0 is valid
      {oneDigitChanged, 4},
      {good.substr(0, 40), 4},  // short: missing fields read as 0
      {good.substr(0, 3), 0},
      {"", 0},
      {std::string(56, '\0'), 0},
      {std::string(56, '\xff'), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
    const auto& [bytes, frameSkip] = c;
    testing::TempDir dir;
    testing::WriteFile(dir.File("scr.hsc"), bytes);
    Settings s;
    ScoreTable t;
    Rng rng;
    LoadHighScores(s, t, rng, DataDir(dir.path()));
    const bool valid = &c == cases;
    EXPECT_FIELDS(FIELD(s.frameSkip, frameSkip), FIELD(s.effectsLevel, frameSkip ? 2 : 0));
    EXPECT_EQ(t.highScores, (valid ? Table{999999, 2000, 41} : Table{1000, 500, 200}));
    EXPECT_EQ(t.highScoreStages, (valid ? Table{99, 12, 0} : Table{2, 1, 0}));
    // A fallback is written back at once; a valid file is left alone.
    const std::string after = testing::ReadFile(dir.File("scr.hsc"));
    if (valid) {
      EXPECT_TRUE(after == bytes);
    } else {
      ASSERT_EQ(after.size(), 56u);
      EXPECT_EQ(Unscramble(std::string_view(after).substr(8, 12)), 1000) << "first score";
      EXPECT_EQ(Unscramble(std::string_view(after).substr(2, 2)), frameSkip) << "frame skip";
    }
  }
}

}  // namespace quandel
