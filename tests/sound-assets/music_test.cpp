#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "asset_readers.h"
#include "music.h"

namespace quandel::soundgen {
namespace {

using namespace quandel::testing;

bool IsNoteOn(const MidiEvent& e) { return (e.status & 0xF0) == 0x90 && e.data[1] > 0; }
bool IsNoteOff(const MidiEvent& e) {
  return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data[1] == 0);
}

const MidiFile& Bgm() {
  static const MidiFile file = [] {
    MidiFile f;
    const std::vector<uint8_t> bytes = ReadBytes(std::string(QUANDEL_SOUND_DIR) + "/bgm.mid");
    EXPECT_EQ(bytes, ComposeBgm());  // the built file is what the composer writes, every time
    EXPECT_EQ(ReadMidi(bytes, f), "") << "bgm.mid does not parse";
    return f;
  }();
  return file;
}

// A multi-track file in ticks per quarter, every track closed by its end event, with running
// status in use; it lasts over three minutes at 140 to 160 beats a minute and plays to its end.
TEST(Bgm, IsAWellFormedFileOfOverThreeMinutesAtAnUpbeatTempo) {
  const MidiFile& file = Bgm();
  EXPECT_EQ(file.format, 1);
  EXPECT_TRUE(file.division > 0 && file.division < 0x8000);
  ASSERT_GE(file.tracks.size(), 2u);
  EXPECT_GT(file.runningStatusEvents, 1000);
  uint32_t end = 0, lastNoteOff = 0;
  int tempos = 0;
  for (const auto& track : file.tracks) {
    EXPECT_TRUE(track.back().data.empty());
    end = std::max(end, track.back().tick);
    for (const MidiEvent& e : track) {
      if (IsNoteOff(e)) lastNoteOff = std::max(lastNoteOff, e.tick);
      if (e.status != 0xFF || e.metaType != 0x51) continue;
      ++tempos;
      const double bpm = 60e6 / ((e.data[0] << 16) | (e.data[1] << 8) | e.data[2]);
      EXPECT_TRUE(bpm >= 140 && bpm <= 160) << bpm;
    }
  }
  EXPECT_GE(tempos, 1);
  const double seconds = MidiSeconds(file, end);
  EXPECT_TRUE(seconds >= 180 && seconds <= 300) << seconds;
  EXPECT_LT(seconds - MidiSeconds(file, lastNoteOff), 2.0);  // no long silence hiding in the length
}

// Every voice has its program before it plays; every note ends, none restarts while it sounds;
// the drums stay within the General MIDI kit.
TEST(Bgm, EveryNoteEndsAndEveryVoiceIsSetUpFirst) {
  const MidiFile& file = Bgm();
  std::set<int> programmed, channels;
  for (size_t t = 0; t < file.tracks.size(); ++t) {
    std::map<int, uint32_t> sounding;  // channel * 128 + key -> start
    for (const MidiEvent& e : file.tracks[t]) {
      const int channel = e.status & 0x0F, id = channel * 128 + (e.data.empty() ? 0 : e.data[0]);
      if ((e.status & 0xF0) == 0xC0) programmed.insert(channel);
      if (IsNoteOn(e)) {
        channels.insert(channel);
        EXPECT_TRUE(channel == 9 || programmed.count(channel)) << "channel " << channel << " plays before its program";
        EXPECT_TRUE(channel != 9 || (e.data[0] >= 35 && e.data[0] <= 81)) << int{e.data[0]};
        EXPECT_TRUE(sounding.emplace(id, e.tick).second) << "track " << t << " key " << id % 128 << " restarts at tick " << e.tick;
      } else if (IsNoteOff(e)) {
        EXPECT_TRUE(sounding.erase(id)) << "track " << t << " stray release at tick " << e.tick;
      }
    }
    EXPECT_TRUE(sounding.empty()) << "track " << t << " ends with notes still held";
  }
  EXPECT_GE(channels.size(), 5u);
  EXPECT_TRUE(channels.count(9));
}

}  // namespace
}  // namespace quandel::soundgen
