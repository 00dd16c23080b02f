#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

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
  const std::string error = ReadWav(ReadBytes(SoundDir() + "/" + file), wav);
  EXPECT_EQ(error, "") << file;
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

TEST(SoundEffects, EveryFileIsConsistentMono16BitPcm) {
  ASSERT_EQ(EffectPlans().size(), 17u);
  for (const EffectPlan& plan : EffectPlans()) {
    const std::vector<uint8_t> bytes = ReadBytes(SoundDir() + "/" + plan.file);
    ASSERT_FALSE(bytes.empty()) << plan.file;
    WavFile wav;
    ASSERT_EQ(ReadWav(bytes, wav), "") << plan.file;
    EXPECT_EQ(wav.format, 1) << plan.file;
    EXPECT_EQ(wav.channels, 1) << plan.file;
    EXPECT_EQ(wav.bitsPerSample, 16) << plan.file;
    EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100) << plan.file;
    EXPECT_EQ(wav.blockAlign, 2) << plan.file;
    EXPECT_EQ(wav.byteRate, wav.sampleRate * 2) << plan.file;
    EXPECT_EQ(bytes.size(), 44 + 2 * wav.samples.size()) << plan.file;
  }
}

TEST(SoundEffects, LengthsAndLevelsAreThoseChosen) {
  for (const EffectPlan& plan : EffectPlans()) {
    const WavFile wav = Load(plan.file);
    ASSERT_FALSE(wav.samples.empty()) << plan.file;
    EXPECT_EQ(wav.samples.size(), static_cast<size_t>(std::lround(plan.seconds * wav.sampleRate))) << plan.file;
    EXPECT_NEAR(LoudestWindowDb(wav.samples, wav.sampleRate), plan.loudnessDb, 0.05) << plan.file;
    const double peak = Peak(wav.samples);
    EXPECT_LE(peak, plan.peakCeiling) << plan.file;
    EXPECT_LT(peak, 0.9) << plan.file;  // at least 1 dB of headroom for the mixer
    EXPECT_GT(peak, 0.1) << plan.file;
  }
}

TEST(SoundEffects, StartAndEndSilentWithoutOffset) {
  for (const EffectPlan& plan : EffectPlans()) {
    const std::vector<int16_t> s = Load(plan.file).samples;
    ASSERT_GT(s.size(), 4u) << plan.file;
    EXPECT_LE(std::abs(s.front()), 1) << plan.file;
    EXPECT_LE(std::abs(s.back()), 1) << plan.file;
    // The fades make the first and last steps tiny, so nothing clicks when a sound starts or is over.
    EXPECT_LT(std::abs(s[1]), 330) << plan.file;
    EXPECT_LT(std::abs(s[s.size() - 2]), 330) << plan.file;
    double sum = 0;
    for (int16_t v : s) sum += v;
    EXPECT_LT(std::fabs(sum / s.size()) / 32768.0, 0.005) << plan.file;
  }
}

TEST(SoundEffects, ChainBlastsGrowWithBoxesAndTier) {
  std::map<int, std::vector<int16_t>> blast;
  for (int n = 1; n <= 12; ++n) blast[n] = Load("bomb_" + std::to_string(n) + ".wav").samples;
  for (int tier = 0; tier < 3; ++tier) {
    for (int count = 2; count <= 4; ++count) {
      const auto& smaller = blast[tier * 4 + count - 1];
      const auto& bigger = blast[tier * 4 + count];
      EXPECT_GT(bigger.size(), smaller.size()) << "tier " << tier << " count " << count;
      EXPECT_GT(Energy(bigger), Energy(smaller) * 1.1) << "tier " << tier << " count " << count;
      EXPECT_GT(LoudestWindowDb(bigger, 22050), LoudestWindowDb(smaller, 22050)) << "tier " << tier << " count " << count;
    }
  }
  for (int count = 1; count <= 4; ++count) {
    for (int tier = 1; tier < 3; ++tier) {
      const auto& lower = blast[(tier - 1) * 4 + count];
      const auto& higher = blast[tier * 4 + count];
      EXPECT_GT(Brightness(higher), Brightness(lower) * 1.5) << "tier " << tier << " count " << count;
      EXPECT_GE(Energy(higher), Energy(lower)) << "tier " << tier << " count " << count;
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
  EXPECT_NEAR(LoudnessDb(out), -12.0, 0.02);
  EXPECT_NEAR(Peak(out), std::sqrt(2.0) * std::pow(10.0, -12.0 / 20), 0.01);  // a sine's peak is 3 dB over its RMS
  EXPECT_EQ(out.front(), 0);
  EXPECT_EQ(out.back(), 0);
  EXPECT_THROW(Finish(tone, -3.0, 0.5, 0.01, 0.01), std::range_error);
  EXPECT_THROW(Finish(std::vector<double>(100, 0.0), -12.0, 0.5, 0.0, 0.0), std::invalid_argument);
}

}  // namespace
}  // namespace quandel::soundgen
