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

double Energy(const std::vector<int16_t>& s) {
  double sum = 0;
  for (int16_t v : s) sum += (v / 32768.0) * (v / 32768.0);
  return sum;
}

// Share of the signal's energy in its sample-to-sample changes: grows with the amount of high frequencies.
double Brightness(const std::vector<int16_t>& s) {
  double change = 0;
  for (size_t i = 1; i < s.size(); ++i) change += std::pow((s[i] - s[i - 1]) / 32768.0, 2);
  return change / Energy(s);
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

// bomb_1 ... bomb_12: three tiers of four. Within a tier each file is longer, fuller and louder than
// the one before; from tier to tier the same count is brighter and no weaker.
TEST(SoundEffects, ChainBlastsGrowWithBoxesAndTier) {
  std::vector<std::vector<int16_t>> blast(13);
  for (int n = 1; n <= 12; ++n) blast[n] = Load("bomb_" + std::to_string(n) + ".wav").samples;
  for (int n = 2; n <= 12; ++n) {
    SCOPED_TRACE("bomb_" + std::to_string(n));
    if (n % 4 != 1) {
      EXPECT_GT(blast[n].size(), blast[n - 1].size());
      EXPECT_GT(Energy(blast[n]), Energy(blast[n - 1]) * 1.1);
      EXPECT_GT(LoudestWindowDb(blast[n], 22050), LoudestWindowDb(blast[n - 1], 22050));
    }
    if (n > 4) {
      EXPECT_GT(Brightness(blast[n]), Brightness(blast[n - 4]) * 1.5);
      EXPECT_GE(Energy(blast[n]), Energy(blast[n - 4]));
    }
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

TEST(SoundSynth, FinishHitsTheLoudnessAndRefusesToClip) {
  std::vector<double> tone(kSampleRate / 2);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = std::sin(2 * kPi * 440 * i / kSampleRate);
  const std::vector<int16_t> out = Finish(tone, -12.0, 0.5, 0.01, 0.01);
  EXPECT_NEAR(LoudestWindowDb(out, kSampleRate), -12.0, 0.02);
  EXPECT_NEAR(Peak(out), std::sqrt(2.0) * std::pow(10.0, -12.0 / 20), 0.01);  // a sine's peak is 3 dB over its RMS
  EXPECT_THROW(Finish(tone, -3.0, 0.5, 0.01, 0.01), std::range_error);
  EXPECT_THROW(Finish(std::vector<double>(100, 0.0), -12.0, 0.5, 0.0, 0.0), std::invalid_argument);
}

}  // namespace
}  // namespace quandel::soundgen
