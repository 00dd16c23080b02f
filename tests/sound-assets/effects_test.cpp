#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "effects.h"
#include "music.h"
#include "sound/file_checks.h"
#include "synth.h"
#include "wav_writer.h"

namespace quandel::soundgen {
namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SoundDir() { return QUANDEL_SOUND_DIR; }

double Peak(const std::vector<int16_t>& s) {
  int largest = 0;
  for (int16_t v : s) largest = std::max(largest, std::abs(int{v}));
  return largest / 32768.0;
}

// Every effect loads in the game, mono 16-bit, of its planned length, with headroom, and without clicks.
TEST(SoundEffects, EveryFileLoadsInTheGameAtTheChosenLengthWithHeadroom) {
  ASSERT_EQ(EffectPlans().size(), 17u);
  for (const EffectPlan& plan : EffectPlans()) {
    SCOPED_TRACE(plan.file);
    const std::string path = SoundDir() + "/" + plan.file;
    const std::optional<WaveLayout> wav = ReadWaveFileLayout(path);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->bitsPerSample, 16);
    const std::vector<uint8_t> bytes = ReadBytes(path);
    std::vector<int16_t> s(wav->dataSize / 2);
    ASSERT_GT(s.size(), 4u);
    std::memcpy(s.data(), bytes.data() + wav->dataOffset, s.size() * 2);
    EXPECT_EQ(s.size(), static_cast<size_t>(std::lround(plan.seconds * wav->sampleRate)));
    const double peak = Peak(s);
    EXPECT_GT(peak, 0.1);
    EXPECT_LT(peak, 0.9);  // at least 1 dB of headroom
    EXPECT_LE(peak, plan.peakCeiling);
    EXPECT_LE(std::max(std::abs(s.front()), std::abs(s.back())), 1);
  }
}

TEST(SoundEffects, GenerationIsRepeatableAndMatchesTheBuiltFiles) {
  for (const EffectPlan& plan : EffectPlans()) {
    const std::vector<uint8_t> first = EncodeWav(MakeEffect(plan.file), kSampleRate);
    EXPECT_EQ(first, EncodeWav(MakeEffect(plan.file), kSampleRate)) << plan.file;
    EXPECT_EQ(first, ReadBytes(SoundDir() + "/" + plan.file)) << plan.file;
  }
  EXPECT_EQ(ReadBytes(SoundDir() + "/bgm.mid"), ComposeBgm());
  EXPECT_THROW(MakeEffect("bomb_13.wav"), std::invalid_argument);
  EXPECT_THROW(MakeChainBlast(3, 1), std::out_of_range);
}

}  // namespace
}  // namespace quandel::soundgen
