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

std::string EncodeHighScores(GameState& state) {
  std::string text;
  text.reserve(kHighScoreFileBytes);
  text += EncodeDigits(state.autoFrameSkip, 1, state.rng);
  text += EncodeDigits(state.frameSkip, 1, state.rng);
  text += EncodeDigits(state.musicOff, 1, state.rng);
  text += EncodeDigits(state.effectsLevel, 1, state.rng);
  for (int i = 0; i < 3; ++i) {
    // Cutting a long number to its leading digits would rank it below lesser scores after a
    // restart; the largest number that fits keeps it on top.
    text += EncodeDigits(std::min(state.highScores[i], kMaxStoredScore), 6, state.rng);
    text += EncodeDigits(std::min(state.highScoreStages[i], kMaxStoredStage), 2, state.rng);
  }
  return text;
}

bool DecodeHighScores(std::string_view bytes, GameState& state) {
  auto field = [&](size_t offset, size_t size) -> std::string_view {
    return offset + size <= bytes.size() ? bytes.substr(offset, size) : std::string_view{};
  };
  state.autoFrameSkip = static_cast<uint8_t>(DecodeDigits(field(0, kSettingBytes), 1));
  state.frameSkip = static_cast<uint8_t>(DecodeDigits(field(2, kSettingBytes), 1));
  state.musicOff = static_cast<uint8_t>(DecodeDigits(field(4, kSettingBytes), 1));
  state.effectsLevel = static_cast<uint8_t>(DecodeDigits(field(6, kSettingBytes), 1));
  bool valid = true;
  for (size_t i = 0; i < 3; ++i) {
    const size_t base = kFirstEntry + kEntryBytes * i;
    state.highScores[i] = DecodeDigits(field(base, kScoreBytes), 6);
    state.highScoreStages[i] = DecodeDigits(field(base + kScoreBytes, kStageBytes), 2);
    if (state.highScores[i] == 0) valid = false;
  }
  if (!valid) {
    state.highScores = kDefaultScores;
    state.highScoreStages = kDefaultStages;
  }
  return valid;
}

bool SaveHighScores(GameState& state, const DataDir& dir) {
  return dir.WriteAtomic(kHighScoreFileName, EncodeHighScores(state));
}

void LoadHighScores(GameState& state, const DataDir& dir) {
  if (!dir.Exists(kHighScoreFileName)) {
    state.autoFrameSkip = 0;
    state.frameSkip = 2;
    state.musicOff = 0;
    state.effectsLevel = 0;
    state.highScores = kDefaultScores;
    state.highScoreStages = kDefaultStages;
    return;
  }
  const auto bytes = dir.Read(kHighScoreFileName, kHighScoreFileBytes).value_or(std::vector<uint8_t>{});
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!DecodeHighScores(text, state)) SaveHighScores(state, dir);
}

}  // namespace quandel
