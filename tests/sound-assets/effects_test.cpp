#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "asset_readers.h"
#include "effects.h"
#include "synth.h"
#include "wav_writer.h"

namespace quandel::soundgen {
namespace {

using quandel::testing::ReadBytes;
using quandel::testing::ReadWav;
using quandel::testing::WavFile;

std::string SoundDir() { return QUANDEL_SOUND_DIR; }

WavFile Load(const std::string& file) {
  WavFile wav;
  EXPECT_EQ(ReadWav(ReadBytes(SoundDir() + "/" + file), wav), "") << file;
  return wav;
}

double Peak(const std::vector<int16_t>& s) {
  int largest = 0;
  for (int16_t v : s) largest = std::max(largest, std::abs(int{v}));
  return largest / 32768.0;
}

// Loudest 100 ms, worked out here with prefix sums rather than with the generator's own helper.
double LoudestWindowDb(const std::vector<int16_t>& s, int rate) {
  const size_t window = std::min(s.size(), static_cast<size_t>(std::lround(rate * 0.1)));
  std::vector<double> prefix(s.size() + 1, 0.0);
  for (size_t i = 0; i < s.size(); ++i) prefix[i + 1] = prefix[i] + (s[i] / 32768.0) * (s[i] / 32768.0);
  double best = 0;
  for (size_t end = window; end <= s.size(); ++end) best = std::max(best, prefix[end] - prefix[end - window]);
  return 10 * std::log10(best / window);
}

// Every effect is mono 16-bit PCM of the length and loudness chosen for it, with headroom for the
// mixer; it starts and ends at rest with tiny first and last steps (no click) and has no offset.
TEST(SoundEffects, EveryFileIsCleanMonoPcmOfTheChosenLengthAndLevel) {
  ASSERT_EQ(EffectPlans().size(), 17u);
  for (const EffectPlan& plan : EffectPlans()) {
    SCOPED_TRACE(plan.file);
    const WavFile wav = Load(plan.file);
    EXPECT_EQ(std::vector<int>({wav.format, wav.channels, wav.bitsPerSample, wav.blockAlign, wav.byteRate}),
              std::vector<int>({1, 1, 16, 2, 2 * wav.sampleRate}));
    EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100);
    const std::vector<int16_t>& s = wav.samples;
    ASSERT_GT(s.size(), 4u);
    EXPECT_EQ(s.size(), static_cast<size_t>(std::lround(plan.seconds * wav.sampleRate)));
    EXPECT_NEAR(LoudestWindowDb(s, wav.sampleRate), plan.loudnessDb, 0.05);
    const double peak = Peak(s);
    EXPECT_LE(peak, plan.peakCeiling);
    EXPECT_TRUE(peak > 0.1 && peak < 0.9) << peak;  // at least 1 dB of headroom
    EXPECT_LE(std::max(std::abs(s.front()), std::abs(s.back())), 1);
    EXPECT_LT(std::max(std::abs(s[1]), std::abs(s[s.size() - 2])), 330);
    double sum = 0;
    for (int16_t v : s) sum += v;
    EXPECT_LT(std::fabs(sum / s.size()) / 32768.0, 0.005);
  }
}

TEST(SoundEffects, GenerationIsRepeatableAndMatchesTheBuiltFiles) {
  for (const EffectPlan& plan : EffectPlans()) {
    const std::vector<uint8_t> first = EncodeWav(MakeEffect(plan.file), kSampleRate);
    EXPECT_EQ(first, EncodeWav(MakeEffect(plan.file), kSampleRate)) << plan.file;
    EXPECT_EQ(first, ReadBytes(SoundDir() + "/" + plan.file)) << plan.file;
  }
  EXPECT_THROW(MakeEffect("bomb_13.wav"), std::invalid_argument);
  EXPECT_THROW(MakeChainBlast(3, 1), std::out_of_range);
}

}  // namespace
}  // namespace quandel::soundgen
