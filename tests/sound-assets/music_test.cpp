#include <gtest/gtest.h>

#include <map>
#include <set>

#include "asset_readers.h"
#include "midi_writer.h"
#include "music.h"

namespace quandel::soundgen {
namespace {

using quandel::testing::MidiEvent;
using quandel::testing::MidiFile;
using quandel::testing::MidiSeconds;
using quandel::testing::ReadBytes;
using quandel::testing::ReadMidi;

bool IsNoteOn(const MidiEvent& e) { return (e.status & 0xF0) == 0x90 && e.data[1] > 0; }
bool IsNoteOff(const MidiEvent& e) {
  return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data[1] == 0);
}

struct Loaded {
  std::vector<uint8_t> bytes;
  MidiFile file;
  std::string error;
};

const Loaded& Built() {
  static const Loaded loaded = [] {
    Loaded l;
    l.bytes = ReadBytes(std::string(QUANDEL_SOUND_DIR) + "/bgm.mid");
    l.error = ReadMidi(l.bytes, l.file);
    return l;
  }();
  return loaded;
}

class Bgm : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Built().error, "") << "bgm.mid does not parse"; }
  const MidiFile& file_ = Built().file;
  const std::vector<uint8_t>& bytes_ = Built().bytes;

  uint32_t EndTick() const {
    uint32_t end = 0;
    for (const auto& track : file_.tracks) end = std::max(end, track.back().tick);
    return end;
  }
};

TEST_F(Bgm, IsAWellFormedMultiTrackFile) {
  EXPECT_EQ(file_.format, 1);
  EXPECT_GT(file_.division, 0);
  EXPECT_LT(file_.division, 0x8000);  // ticks per quarter, not SMPTE time
  ASSERT_GE(file_.tracks.size(), 2u);
  for (const auto& track : file_.tracks) {
    ASSERT_FALSE(track.empty());
    EXPECT_EQ(track.back().status, 0xFF);
    EXPECT_EQ(track.back().metaType, 0x2F);
    EXPECT_TRUE(track.back().data.empty());
  }
  // The writer packs repeated status bytes; the count proves the reader had to follow them.
  EXPECT_GT(file_.runningStatusEvents, 1000);
}

TEST_F(Bgm, LastsOverThreeMinutesAtAnUpbeatTempo) {
  const double seconds = MidiSeconds(file_, EndTick());
  EXPECT_GE(seconds, 180.0);
  EXPECT_LE(seconds, 300.0);
  int tempos = 0;
  uint32_t lastNoteOff = 0;
  for (const auto& track : file_.tracks) {
    for (const MidiEvent& e : track) {
      if (e.status == 0xFF && e.metaType == 0x51) {
        ++tempos;
        const double micros = (e.data[0] << 16) | (e.data[1] << 8) | e.data[2];
        EXPECT_GE(60e6 / micros, 140.0);
        EXPECT_LE(60e6 / micros, 160.0);
      }
      if (IsNoteOff(e)) lastNoteOff = std::max(lastNoteOff, e.tick);
    }
  }
  EXPECT_GE(tempos, 1);
  // The music plays until its end: no long silent stretch is hiding in the length.
  EXPECT_LT(seconds - MidiSeconds(file_, lastNoteOff), 2.0);
}

TEST_F(Bgm, HasTuneHarmonyBassAndGeneralMidiDrums) {
  std::map<int, std::vector<int>> keysByChannel;
  std::set<int> programmed;
  for (const auto& track : file_.tracks) {
    for (const MidiEvent& e : track) {
      const int channel = e.status & 0x0F;
      if ((e.status & 0xF0) == 0xC0) programmed.insert(channel);
      if (!IsNoteOn(e)) continue;
      keysByChannel[channel].push_back(e.data[0]);
      if (channel != 9) {
        EXPECT_TRUE(programmed.count(channel)) << "channel " << channel << " plays before its program";
      }
    }
  }
  ASSERT_TRUE(keysByChannel.count(9));
  std::map<int, int> drumHits;
  for (int key : keysByChannel[9]) {
    EXPECT_GE(key, 35);
    EXPECT_LE(key, 81);
    ++drumHits[key];
  }
  EXPECT_GT(drumHits[36], 200);  // bass drum
  EXPECT_GT(drumHits[38], 100);  // snare
  EXPECT_GE(keysByChannel.size(), 5u);

  int bassChannels = 0, tuneChannels = 0;
  for (const auto& [channel, keys] : keysByChannel) {
    if (channel == 9) continue;
    const int highest = *std::max_element(keys.begin(), keys.end());
    const int lowest = *std::min_element(keys.begin(), keys.end());
    if (lowest < 40 && highest < 64 && keys.size() > 500) ++bassChannels;
    if (lowest >= 55 && highest - lowest >= 19 && keys.size() > 500) ++tuneChannels;
  }
  EXPECT_EQ(bassChannels, 1);
  EXPECT_GE(tuneChannels, 2);
}

TEST_F(Bgm, EveryNoteEndsAndNoneRestartsWhileSounding) {
  for (size_t t = 0; t < file_.tracks.size(); ++t) {
    std::map<int, uint32_t> sounding;  // channel * 128 + key -> start
    for (const MidiEvent& e : file_.tracks[t]) {
      const int id = (e.status & 0x0F) * 128 + (e.data.empty() ? 0 : e.data[0]);
      if (IsNoteOn(e)) {
        EXPECT_FALSE(sounding.count(id)) << "track " << t << " key " << id % 128 << " at tick " << e.tick;
        sounding[id] = e.tick;
      } else if (IsNoteOff(e)) {
        EXPECT_TRUE(sounding.erase(id)) << "track " << t << " stray release at tick " << e.tick;
      }
    }
    EXPECT_TRUE(sounding.empty()) << "track " << t << " ends with notes still held";
  }
}

TEST_F(Bgm, IsRepeatableAndMatchesTheBuiltFile) {
  const std::vector<uint8_t> composed = ComposeBgm();
  EXPECT_EQ(composed, ComposeBgm());
  EXPECT_EQ(composed, bytes_);
}

TEST(MidiWriter, EncodesDeltasRunningStatusAndOrdersReleasesFirst) {
  std::vector<uint8_t> v;
  for (uint32_t value : {0x00u, 0x40u, 0x7Fu, 0x80u, 0x3FFFu, 0x4000u, 0x0FFFFFFFu}) PutVarLen(v, value);
  EXPECT_EQ(v, (std::vector<uint8_t>{0x00, 0x40, 0x7F, 0x81, 0x00, 0xFF, 0x7F, 0x81, 0x80, 0x00, 0xFF, 0xFF, 0xFF,
                                     0x7F}));
  EXPECT_THROW(PutVarLen(v, 0x10000000u), std::out_of_range);

  MidiTrack tempo, notes;
  tempo.Tempo(0, 150);
  notes.Note(120, 120, 3, 60, 100);  // added out of order on purpose
  notes.Note(0, 120, 3, 60, 90);     // ends on the tick where the next one starts
  notes.ProgramChange(0, 3, 38);
  notes.Note(200000, 10, 3, 64, 80);
  EXPECT_THROW(notes.NoteOn(0, 16, 60, 100), std::out_of_range);
  EXPECT_THROW(notes.NoteOn(0, 0, 128, 100), std::out_of_range);

  MidiFile file;
  ASSERT_EQ(ReadMidi(EncodeMidiFile({tempo, notes}, 480, 300000), file), "");
  ASSERT_EQ(file.tracks.size(), 2u);
  EXPECT_EQ(file.tracks[0][0].data, (std::vector<uint8_t>{0x06, 0x1A, 0x80}));  // 400000 us per quarter
  EXPECT_EQ(file.tracks[0].back().tick, 300000u);

  const auto& e = file.tracks[1];
  ASSERT_EQ(e.size(), 8u);
  EXPECT_EQ(e[0].status, 0xC3);
  EXPECT_TRUE(IsNoteOn(e[1]) && e[1].tick == 0 && e[1].data[1] == 90);
  EXPECT_TRUE(IsNoteOff(e[2]) && e[2].tick == 120);
  EXPECT_TRUE(IsNoteOn(e[3]) && e[3].tick == 120 && e[3].data[1] == 100);
  EXPECT_TRUE(IsNoteOff(e[4]) && e[4].tick == 240);
  EXPECT_TRUE(IsNoteOn(e[5]) && e[5].tick == 200000 && e[5].data[0] == 64);
  EXPECT_TRUE(IsNoteOff(e[6]) && e[6].tick == 200010);
  EXPECT_EQ(e[7].tick, 300000u);
  EXPECT_EQ(file.runningStatusEvents, 5);  // every note event after the first one
  EXPECT_NEAR(MidiSeconds(file, 480 * 150), 60.0, 1e-9);
}

TEST(MusicNotation, ParsesTunesAndChords) {
  const std::vector<MelodyNote> tune = ParseMelody("C4:2  C#6:1 Bb5:3 r:4 A0:16");
  std::vector<int> keys, lengths;
  for (const MelodyNote& n : tune) {
    keys.push_back(n.key);
    lengths.push_back(n.sixteenths);
  }
  EXPECT_EQ(keys, (std::vector<int>{60, 85, 82, -1, 21}));
  EXPECT_EQ(lengths, (std::vector<int>{2, 1, 3, 4, 16}));
  for (const char* bad : {"H4:2", "C4", "C4:0", "C:2", "C44:2", "C4:2x", "C4:"}) {
    EXPECT_THROW(ParseMelody(bad), std::invalid_argument) << bad;
  }

  const Chord slash = ParseChord("G/B"), flat = ParseChord("Bbm7");
  EXPECT_EQ(std::vector<int>({slash.root, slash.bass, flat.root, flat.bass, ParseChord("Cb").root}),
            std::vector<int>({7, 11, 10, 10, 11}));
  EXPECT_EQ(slash.intervals, (std::vector<int>{0, 4, 7}));
  EXPECT_EQ(flat.intervals, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_THROW(ParseChord("Cx"), std::invalid_argument);

  const auto bars = ParseChordBars("C | Am F |G7");
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[1].size(), 2u);
  EXPECT_EQ(bars[1][1].root, 5);
  EXPECT_THROW(ParseChordBars("C D E"), std::invalid_argument);
  EXPECT_THROW(ParseChordBars("C || D"), std::invalid_argument);
}

}  // namespace
}  // namespace quandel::soundgen
