#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "effects.h"
#include "music.h"
#include "synth.h"
#include "wav_writer.h"

namespace quandel::soundgen {
namespace {

// The plain 44-byte layout, read independently of the generator: RIFF/WAVE, a 16-byte fmt chunk,
// then the data chunk to the end of the file. Empty on success, or what is wrong.
struct WavFile {
  int format = 0, channels = 0, sampleRate = 0, byteRate = 0, blockAlign = 0, bitsPerSample = 0;
  std::vector<int16_t> samples;
};

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadWav(const std::vector<uint8_t>& b, WavFile& out) {
  auto num = [&](size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
  };
  auto tag = [&](size_t at, const char* t) { return std::equal(t, t + 4, b.begin() + static_cast<long>(at)); };
  if (b.size() < 44 || !tag(0, "RIFF") || !tag(8, "WAVE") || !tag(12, "fmt ") || num(16, 4) != 16 || !tag(36, "data"))
    return "not a plain RIFF/WAVE file";
  if (num(4, 4) != b.size() - 8 || num(40, 4) != b.size() - 44 || b.size() % 2 != 0) return "chunk sizes do not match the file";
  out = {int(num(20, 2)), int(num(22, 2)), int(num(24, 4)), int(num(28, 4)), int(num(32, 2)), int(num(34, 2)), {}};
  for (size_t i = 44; i < b.size(); i += 2) out.samples.push_back(static_cast<int16_t>(num(i, 2)));
  return "";
}

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
  EXPECT_EQ(ReadBytes(SoundDir() + "/bgm.mid"), ComposeBgm());
  EXPECT_THROW(MakeEffect("bomb_13.wav"), std::invalid_argument);
  EXPECT_THROW(MakeChainBlast(3, 1), std::out_of_range);
}

}  // namespace
}  // namespace quandel::soundgen
