// Input: the contents of scr.hsc.
#include <cstdint>
#include <string_view>

#include "check.h"
#include "persist/high_scores.h"

using namespace quandel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Settings settings, settingsBack;
  static ScoreTable state, back;
  static Rng rng;
  const bool valid = DecodeHighScores(std::string_view(reinterpret_cast<const char*>(data), size), settings, state);
  for (uint8_t v : {settings.autoFrameSkip, settings.frameSkip, settings.musicOff, settings.effectsLevel})
    FUZZ_CHECK(v <= 9);
  for (int i = 0; i < 3; ++i) {
    FUZZ_CHECK(state.highScores[i] > 0 && state.highScores[i] <= 999999);
    FUZZ_CHECK(state.highScoreStages[i] >= 0 && state.highScoreStages[i] <= 99);
  }
  if (!valid) FUZZ_CHECK(state.highScores[0] == 1000 && state.highScores[2] == 200);

  // Saving what was read and reading it again changes nothing.
  const std::string file = EncodeHighScores(settings, state, rng);
  FUZZ_CHECK(file.size() == kHighScoreFileBytes);
  FUZZ_CHECK(DecodeHighScores(file, settingsBack, back));
  FUZZ_CHECK(settingsBack.autoFrameSkip == settings.autoFrameSkip && settingsBack.frameSkip == settings.frameSkip);
  FUZZ_CHECK(settingsBack.musicOff == settings.musicOff && settingsBack.effectsLevel == settings.effectsLevel);
  FUZZ_CHECK(back.highScores == state.highScores && back.highScoreStages == state.highScoreStages);
  return 0;
}
