// Only the game's own kinds of wave and MIDI file reach the decoders.
#include <gtest/gtest.h>

#include "sound/file_checks.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel {
namespace {

std::string Patched(std::string bytes, size_t at, std::string value) { return bytes.replace(at, value.size(), value); }

TEST(WaveCheck, PlainShortPcmPassesAndEverythingElseIsRefused) {
  using testing::PcmWave;
  const std::string mono = PcmWave(100);
  const std::string named = mono.substr(0, 12) + std::string("LIST\3\0\0\0abc\0", 12) + mono.substr(12);
  const size_t minute = 60 * 8000;  // one minute at the slowest rate, 8-bit mono
  // A dataOffset of 0: refused.
  struct Case {
    const char* what;
    std::string bytes;
    size_t dataOffset;
  } cases[] = {
      {"16-bit mono", mono, 44},
      {"8-bit stereo", PcmWave(100, 0, 2, 8, 44100), 44},
      {"a padded chunk ahead", named, 56},
      {"no samples at all", PcmWave(0), 44},
      {"exactly a minute", PcmWave(minute, 0, 1, 8, 8000), 44},
      {"one frame over a minute", PcmWave(minute + 1, 0, 1, 8, 8000), 0},
      {"compressed", Patched(mono, 20, std::string("\x11\0", 2)), 0},
      {"float", Patched(mono, 20, std::string("\3\0", 2)), 0},
      {"24-bit", PcmWave(99, 0, 1, 24), 0},
      {"three channels", PcmWave(102, 0, 3), 0},
      {"a rate no one uses", PcmWave(100, 0, 1, 16, 192000), 0},
      {"inconsistent frame size", Patched(mono, 32, std::string("\4\0", 2)), 0},
      {"samples missing from the file", mono.substr(0, 120), 0},
      {"claims an hour", Patched(mono, 40, std::string("\0\0\0\x40", 4)), 0},
      {"no data chunk", mono.substr(0, 36), 0},
      {"no format before the data", mono.substr(0, 12) + mono.substr(36), 0},
      {"not RIFF", Patched(mono, 0, "RIFX"), 0},
  };
  for (const Case& c : cases) {
    const auto* b = reinterpret_cast<const uint8_t*>(c.bytes.data());
    const auto layout = ReadWaveLayout(b, c.bytes.size(), c.bytes.size());
    ASSERT_EQ(layout.has_value(), c.dataOffset != 0) << c.what;
    if (layout) {
      EXPECT_FIELDS(FIELD(layout->dataOffset, c.dataOffset), FIELD(layout->dataSize, c.bytes.size() - c.dataOffset))
          << c.what;
    }
  }
}

TEST(MidiCheck, OnlyCompleteFilesPass) {
  auto complete = [](const std::string& s) { return IsCompleteMidi(std::vector<uint8_t>(s.begin(), s.end())); };
  EXPECT_TRUE(complete(testing::kTinyMidi));
  for (size_t n = 0; n < testing::kTinyMidi.size(); ++n) EXPECT_FALSE(complete(testing::kTinyMidi.substr(0, n))) << n;
  for (auto [at, c] : {std::pair{11, '\2'}, {13, '\0'}, {23, '\x3c'}, {25, '\x80'}, {30, '\xf8'}, {31, '\x2e'}}) {
    std::string s = testing::kTinyMidi;
    s[static_cast<size_t>(at)] = c;
    EXPECT_FALSE(complete(s)) << at;
  }
}

}  // namespace
}  // namespace quandel
