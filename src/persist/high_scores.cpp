#include "persist/high_scores.h"

#include <algorithm>

#include "persist/digits.h"

namespace quandel {

namespace {

constexpr std::array<int32_t, 3> kDefaultScores{1000, 500, 200};
constexpr std::array<int32_t, 3> kDefaultStages{2, 1, 0};

constexpr size_t kSettingBytes = 2;
constexpr size_t kScoreBytes = 12;
constexpr size_t kStageBytes = 4;
constexpr size_t kFirstEntry = 4 * kSettingBytes;
constexpr size_t kEntryBytes = kScoreBytes + kStageBytes;

}  // namespace

std::string EncodeHighScores(const Settings& settings, const ScoreTable& scores, Rng& rng) {
  std::string text;
  text.reserve(kHighScoreFileBytes);
  text += EncodeDigits(settings.autoFrameSkip, 1, rng);
  text += EncodeDigits(settings.frameSkip, 1, rng);
  text += EncodeDigits(settings.musicOff, 1, rng);
  text += EncodeDigits(settings.effectsLevel, 1, rng);
  for (int i = 0; i < 3; ++i) {
    // Cutting a long number to its leading digits would rank it below lesser scores after a
    // restart; the largest number that fits keeps it on top.
    text += EncodeDigits(std::min(scores.highScores[i], kMaxStoredScore), 6, rng);
    text += EncodeDigits(std::min(scores.highScoreStages[i], kMaxStoredStage), 2, rng);
  }
  return text;
}

bool DecodeHighScores(std::string_view bytes, Settings& settings, ScoreTable& scores) {
  auto field = [&](size_t offset, size_t size) -> std::string_view {
    return offset + size <= bytes.size() ? bytes.substr(offset, size) : std::string_view{};
  };
  settings.autoFrameSkip = static_cast<uint8_t>(DecodeDigits(field(0, kSettingBytes), 1));
  settings.frameSkip = static_cast<uint8_t>(DecodeDigits(field(2, kSettingBytes), 1));
  settings.musicOff = static_cast<uint8_t>(DecodeDigits(field(4, kSettingBytes), 1));
  settings.effectsLevel = static_cast<uint8_t>(DecodeDigits(field(6, kSettingBytes), 1));
  bool valid = true;
  for (size_t i = 0; i < 3; ++i) {
    const size_t base = kFirstEntry + kEntryBytes * i;
    scores.highScores[i] = DecodeDigits(field(base, kScoreBytes), 6);
    scores.highScoreStages[i] = DecodeDigits(field(base + kScoreBytes, kStageBytes), 2);
    if (scores.highScores[i] == 0) valid = false;
  }
  if (!valid) {
    scores.highScores = kDefaultScores;
    scores.highScoreStages = kDefaultStages;
  }
  return valid;
}

bool SaveHighScores(const Settings& settings, const ScoreTable& scores, Rng& rng, const DataDir& dir) {
  return dir.WriteAtomic(kHighScoreFileName, EncodeHighScores(settings, scores, rng));
}

void LoadHighScores(Settings& settings, ScoreTable& scores, Rng& rng, const DataDir& dir) {
  if (!dir.Exists(kHighScoreFileName)) {
    settings.autoFrameSkip = 0;
    settings.frameSkip = 2;
    settings.musicOff = 0;
    settings.effectsLevel = 0;
    scores.highScores = kDefaultScores;
    scores.highScoreStages = kDefaultStages;
    return;
  }
  const auto bytes = dir.Read(kHighScoreFileName, kHighScoreFileBytes).value_or(std::vector<uint8_t>{});
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!DecodeHighScores(text, settings, scores)) SaveHighScores(settings, scores, rng, dir);
}

}  // namespace quandel
