#include "persist/high_scores.h"

#include <algorithm>
#include <string_view>

#include "persist/digits.h"

namespace quandel {

namespace {
constexpr std::array<int32_t, 3> kDefaultScores{1000, 500, 200};
constexpr std::array<int32_t, 3> kDefaultStages{2, 1, 0};
}  // namespace

bool SaveHighScores(GameState& state, const DataDir& dir) {
  std::string text;
  text += EncodeDigits(state.autoFrameSkip, 1, state.rng);
  text += EncodeDigits(state.frameSkip, 1, state.rng);
  text += EncodeDigits(state.musicOff, 1, state.rng);
  text += EncodeDigits(state.effectsLevel, 1, state.rng);
  for (int i = 0; i < 3; ++i) {
    // A number too large for its digits is stored as the largest that fits, so it still ranks.
    text += EncodeDigits(std::clamp(state.highScores[i], 0, 999999), 6, state.rng);
    text += EncodeDigits(std::clamp(state.highScoreStages[i], 0, 99), 2, state.rng);
  }
  return dir.WriteAtomic(kHighScoreFileName, std::vector<uint8_t>(text.begin(), text.end()));
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
  const auto bytes = dir.Read(kHighScoreFileName, 56).value_or(std::vector<uint8_t>{});
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  auto field = [&](size_t offset, size_t size) -> std::string_view {
    return offset + size <= text.size() ? text.substr(offset, size) : std::string_view{};
  };
  state.autoFrameSkip = static_cast<uint8_t>(DecodeDigits(field(0, 2), 1));
  state.frameSkip = static_cast<uint8_t>(DecodeDigits(field(2, 2), 1));
  state.musicOff = static_cast<uint8_t>(DecodeDigits(field(4, 2), 1));
  state.effectsLevel = static_cast<uint8_t>(DecodeDigits(field(6, 2), 1));
  bool valid = true;
  for (int i = 0; i < 3; ++i) {
    state.highScores[i] = DecodeDigits(field(8 + 16 * i, 12), 6);
    state.highScoreStages[i] = DecodeDigits(field(20 + 16 * i, 4), 2);
    if (state.highScores[i] == 0) valid = false;
  }
  if (!valid) {
    state.highScores = kDefaultScores;
    state.highScoreStages = kDefaultStages;
    SaveHighScores(state, dir);
  }
}

}  // namespace quandel
