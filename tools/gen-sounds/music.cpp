#include "music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <sstream>
#include <stdexcept>

#include "midi_writer.h"
#include "synth.h"
#include "tunes.h"

namespace quandel::soundgen {

namespace {

constexpr int kStepsPerBar = 16;
constexpr uint32_t kBarTicks = kStepsPerBar * kTicksPer16th;

// Channels (0-based; 9 is the General MIDI drum channel).
constexpr int kLead = 0, kVoice2 = 1, kStabs = 2, kBass = 3, kArp = 4, kPad = 5, kDrums = 9;

// General MIDI programs and drum keys.
constexpr int kSquareLead = 80, kSawLead = 81, kVibraphone = 11, kElectricPiano = 4, kSynthBass = 38, kMarimba = 12,
              kStrings = 48;
constexpr int kKick = 36, kSnare = 38, kClap = 39, kClosedHat = 42, kPedalHat = 44, kOpenHat = 46, kCrash = 49,
              kRide = 51, kTomLow = 41, kTomMid = 45, kTomHigh = 48, kTomTop = 50;

// The C major scale; every section is written in C and moved with `transpose`.
bool InScale(int key) {
  constexpr std::array<bool, 12> kMajor{true, false, true, false, true, true, false, true, false, true, false, true};
  return kMajor[Wrap12(key)];
}

int ScaleStep(int key, int steps) {
  if (!InScale(key)) return key + (steps > 0 ? 1 : -1);
  const int dir = steps > 0 ? 1 : -1;
  for (int n = 0; n != steps; n += dir) {
    do key += dir;
    while (!InScale(key));
  }
  return key;
}

enum class DrumStyle { kIntro, kMain, kDrive, kHalfTime, kBuild, kOutro };
enum class BassStyle { kDrive, kHalf, kBuild, kOutro };

struct Section {
  const char* chords;
  const char* melody;  // empty: no tune
  int transpose;
  double bpm;
  int leadChannel;
  int leadProgram;
  bool ornament;     // turn quarter notes into little turns
  bool thirds;       // second voice a third below the tune
  bool octaveBelow;  // second voice an octave below the tune
  int voice2Program;
  DrumStyle drums;
  BassStyle bass;
  bool stabs, arp, pad;
  double energy;  // scales every velocity of the section
};

std::vector<Section> Arrangement() {
  using D = DrumStyle;
  using B = BassStyle;
  return {
      // chords, tune, transpose, bpm, lead ch, lead program, ornament, thirds, octave, voice-2 program, drums, bass,
      // stabs, arp, pad, energy
      {kChordsIntro, "", 0, 150, kLead, kSquareLead, false, false, false, kSawLead, D::kIntro, B::kDrive, true, false,
       false, 0.9},
      {kChordsA, kTuneA, 0, 150, kLead, kSquareLead, false, false, false, kSawLead, D::kMain, B::kDrive, true, false,
       false, 1.0},
      {kChordsB, kTuneB, 0, 150, kLead, kSawLead, false, false, false, kSawLead, D::kDrive, B::kDrive, true, false,
       false, 1.0},
      {kChordsA, kTuneA, 0, 150, kLead, kSquareLead, true, true, false, kSawLead, D::kMain, B::kDrive, true, true,
       false, 1.0},
      {kChordsBridge, kTuneBridge, 0, 150, kVoice2, kVibraphone, false, false, false, kVibraphone, D::kHalfTime,
       B::kHalf, false, true, true, 0.9},
      {kChordsBreak, kTuneBreak, 0, 150, kLead, kSquareLead, false, false, false, kSawLead, D::kBuild, B::kBuild, false,
       true, true, 0.85},
      {kChordsA, kTuneA, 2, 150, kLead, kSquareLead, false, false, true, kSawLead, D::kMain, B::kDrive, true, true,
       false, 1.0},
      {kChordsB, kTuneB, 2, 150, kLead, kSawLead, false, false, false, kSawLead, D::kDrive, B::kDrive, true, true, true,
       1.0},
      {kChordsBridge, kTuneBridge, 2, 150, kVoice2, kVibraphone, false, false, false, kVibraphone, D::kHalfTime,
       B::kHalf, false, true, true, 0.9},
      {kChordsA, kTuneA, 2, 156, kLead, kSquareLead, true, true, false, kSawLead, D::kDrive, B::kDrive, true, true,
       true, 1.05},
      {kChordsOutro, kTuneOutro, 2, 156, kLead, kSquareLead, false, true, false, kSawLead, D::kOutro, B::kOutro, true,
       false, false, 1.0},
  };
}

// ---- Arranging -------------------------------------------------------------------------------------------------

struct Writer {
  std::vector<MidiTrack> tracks;  // 0 tempo, then one per part
  Noise humanise{20240601};
  double energy = 1.0;
  std::set<std::pair<uint32_t, int>> drumHits;

  MidiTrack& Track(int channel) {
    switch (channel) {
      case kLead: return tracks[1];
      case kVoice2: return tracks[2];
      case kStabs: return tracks[3];
      case kBass: return tracks[4];
      case kArp: return tracks[5];
      case kPad: return tracks[6];
      default: return tracks[7];
    }
  }

  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
    // Layered drum patterns may ask for the same hit twice; a doubled note-on would be cut by the first release.
    if (channel == kDrums && !drumHits.insert({tick, key}).second) return;
    const int v = static_cast<int>(std::lround(velocity * energy + 6 * humanise.Bipolar()));
    Track(channel).Note(tick, length, channel, key, std::clamp(v, 1, 127));
  }
};

// Melody with its optional ornaments.
std::vector<MelodyNote> Decorate(const std::vector<MelodyNote>& tune, bool ornament) {
  if (!ornament) return tune;
  std::vector<MelodyNote> out;
  for (size_t i = 0; i < tune.size(); ++i) {
    const MelodyNote& n = tune[i];
    if (n.key >= 0 && n.sixteenths == 4 && i > 0 && tune[i - 1].key >= 0) {
      out.push_back({n.key, 1});
      out.push_back({ScaleStep(n.key, 1), 1});
      out.push_back({n.key, 2});
    } else {
      out.push_back(n);
    }
  }
  return out;
}

void WriteTune(Writer& w, const Section& s, uint32_t start) {
  if (*s.melody == '\0') return;
  const std::vector<MelodyNote> tune = Decorate(ParseMelody(s.melody), s.ornament);
  uint32_t tick = start;
  for (const MelodyNote& n : tune) {
    const uint32_t length = n.sixteenths * kTicksPer16th;
    if (n.key >= 0) {
      const uint32_t gate = n.sixteenths == 1 ? length - 20 : length * 9 / 10;
      const int velocity = n.sixteenths == 1 ? 84 : 100;
      w.Note(tick, gate, s.leadChannel, n.key + s.transpose, velocity);
      if (s.thirds) w.Note(tick, gate, kVoice2, ScaleStep(n.key, -2) + s.transpose, velocity - 26);
      if (s.octaveBelow) w.Note(tick, gate, kVoice2, n.key - 12 + s.transpose, velocity - 22);
    }
    tick += length;
  }
}

// Chord tones near a register: the lowest chord note lands in [low, low + 12).
std::vector<int> Voicing(const Chord& c, int transpose, int low) {
  const int root = low + Wrap12(c.root + transpose - low);
  std::vector<int> keys;
  for (int i : c.intervals) keys.push_back(root + i);
  return keys;
}

int BassKey(int pitchClass, int transpose) { return 33 + Wrap12(pitchClass + transpose - 33); }  // A1 .. G#2

void WriteHarmony(Writer& w, const Section& s, const std::vector<std::vector<Chord>>& bars, uint32_t start, int bar,
                  int half) {
  const std::vector<Chord>& chords = bars[bar];
  const int segments = static_cast<int>(chords.size());
  const int steps = kStepsPerBar / segments;
  const Chord& c = chords[half];
  const uint32_t at = start + bar * kBarTicks + half * steps * kTicksPer16th;

  const bool lastBarOfSection = bar + 1 == static_cast<int>(bars.size());
  const bool finalHit = s.bass == BassStyle::kOutro && lastBarOfSection;
  if (s.stabs && finalHit) {
    for (int key : Voicing(c, s.transpose, 55)) w.Note(at, 4 * kTicksPer16th, kStabs, key, 84);
  } else if (s.stabs) {
    for (int step = 2; step < steps; step += 4) {
      for (int key : Voicing(c, s.transpose, 55)) w.Note(at + step * kTicksPer16th, 160, kStabs, key, 70);
    }
  }
  if (s.pad) {
    std::vector<int> keys = Voicing(c, s.transpose, 48);
    keys.push_back(keys.front() + 12);
    for (int key : keys) w.Note(at, steps * kTicksPer16th - 30, kPad, key, 58);
  }
  if (s.arp) {
    std::vector<int> tones = Voicing(c, s.transpose, 67);
    tones.resize(3);
    tones.push_back(tones.front() + 12);
    constexpr std::array<int, 6> kOrder{0, 1, 2, 3, 2, 1};
    for (int step = 0; step < steps; ++step) {
      const int key = tones[kOrder[(half * steps + step) % kOrder.size()]];
      w.Note(at + step * kTicksPer16th, kTicksPer16th * 7 / 10, kArp, key, step % 4 == 0 ? 64 : 48);
    }
  }

  const int root = BassKey(c.bass, s.transpose);
  auto bass = [&](int step, int length, int key, int velocity) {
    w.Note(at + step * kTicksPer16th, length * kTicksPer16th - 24, kBass, key, velocity);
  };
  BassStyle style = s.bass;
  if (style == BassStyle::kBuild) style = bar < 4 ? BassStyle::kHalf : BassStyle::kDrive;
  if (style == BassStyle::kOutro) style = lastBarOfSection ? BassStyle::kOutro : BassStyle::kDrive;
  switch (style) {
    case BassStyle::kDrive: {
      constexpr std::array<int, 8> kPattern{0, 0, 12, 0, 7, 0, 12, 7};
      for (int e = 0; e < steps / 2; ++e) bass(e * 2, 2, root + kPattern[(half * steps / 2 + e) % 8], e % 2 ? 84 : 100);
      break;
    }
    case BassStyle::kHalf:
      bass(0, std::min(steps, 6), root, 96);
      if (steps > 8) {
        bass(6, 2, root, 80);
        bass(8, 8, root + 7, 90);
      }
      break;
    case BassStyle::kOutro: bass(0, 8, root, 110); break;
    case BassStyle::kBuild: break;
  }
}

void Hit(Writer& w, uint32_t barStart, int step, int key, int velocity) {
  w.Note(barStart + step * kTicksPer16th, kTicksPer16th / 2, kDrums, key, velocity);
}

void Pattern(Writer& w, uint32_t barStart, const char* grid, int key, int velocity, int accentVelocity = -1) {
  for (int step = 0; step < kStepsPerBar && grid[step] != '\0'; ++step) {
    if (grid[step] == 'x') Hit(w, barStart, step, key, velocity);
    if (grid[step] == 'X') Hit(w, barStart, step, key, accentVelocity > 0 ? accentVelocity : velocity + 20);
  }
}

void Fill(Writer& w, uint32_t barStart, bool big) {
  constexpr std::array<int, 8> kToms{kTomTop, kTomTop, kTomHigh, kTomHigh, kTomMid, kTomMid, kTomLow, kTomLow};
  const int from = big ? 8 : 12;
  for (int step = from; step < kStepsPerBar; ++step) {
    const int key = big ? kToms[step - from] : (step % 2 ? kSnare : kTomHigh);
    Hit(w, barStart, step, key, 80 + 3 * (step - from));
  }
  Hit(w, barStart, from, kKick, 100);
}

void WriteDrums(Writer& w, const Section& s, uint32_t start, int bars) {
  for (int bar = 0; bar < bars; ++bar) {
    const uint32_t at = start + bar * kBarTicks;
    const bool phraseStart = bar % 8 == 0, phraseEnd = bar % 8 == 7, sectionEnd = bar + 1 == bars;
    switch (s.drums) {
      case DrumStyle::kIntro:
        Pattern(w, at, "x...x...x...x...", kKick, 100);
        Pattern(w, at, "x.x.x.x.x.x.x.x.", kClosedHat, 64);
        if (bar >= 2) Pattern(w, at, "....x.......x...", kSnare, 96);
        if (sectionEnd) Fill(w, at, false);
        break;
      case DrumStyle::kMain:
        if (phraseStart) Hit(w, at, 0, kCrash, 100);
        Pattern(w, at, "x.....x.x.....x.", kKick, 104);
        if (!(phraseEnd)) Pattern(w, at, "....x.......x...", kSnare, 100);
        Pattern(w, at, phraseStart ? "..x.x.x.x.x.x.o." : "x.x.x.x.x.x.x.o.", kClosedHat, 62);
        Pattern(w, at, "..............x.", kOpenHat, 70);
        if (phraseEnd) {
          Pattern(w, at, "....x...", kSnare, 100);
          Fill(w, at, sectionEnd);
        }
        break;
      case DrumStyle::kDrive:
        if (phraseStart) Hit(w, at, 0, kCrash, 104);
        Pattern(w, at, "x...x...x...x...", kKick, 106);
        if (!phraseEnd) {
          Pattern(w, at, "....x.......x...", kSnare, 100);
          Pattern(w, at, "....x.......x...", kClap, 80);
        }
        Pattern(w, at, phraseStart ? "..xX.x.X.x.X.x.X" : "x.xX.x.X.x.X.x.X", kClosedHat, 48, 72);
        Pattern(w, at, "..x...x...x...x.", kOpenHat, 62);
        if (phraseEnd) {
          Pattern(w, at, "....x...", kSnare, 100);
          Fill(w, at, sectionEnd);
        }
        break;
      case DrumStyle::kHalfTime:
        if (bar == 0) Hit(w, at, 0, kCrash, 90);
        Pattern(w, at, "x.........x.....", kKick, 96);
        Pattern(w, at, "........x.......", kSnare, 92);
        Pattern(w, at, bar == 0 ? "....x...x...x..." : "x...x...x...x...", kRide, 66);
        Pattern(w, at, "..x...x...x...x.", kPedalHat, 50);
        if (sectionEnd) Fill(w, at, false);
        break;
      case DrumStyle::kBuild:
        // Thin at first, then a snare roll that doubles its pace every bar or two into the next section.
        Pattern(w, at, bar < 4 ? "x..............." : "x...x...x...x...", kKick, 96);
        Pattern(w, at, "..x...x...x...x.", kClosedHat, 56);
        if (bar >= 4) {
          const char* roll = bar < 6 ? "x...x...x...x..." : bar < 7 ? "x.x.x.x.x.x.x.x." : "xxxxxxxxxxxxxxxx";
          for (int step = 0; step < kStepsPerBar; ++step) {
            if (roll[step] == 'x') Hit(w, at, step, kSnare, 56 + (bar - 4) * 12 + step * 2);
          }
        }
        break;
      case DrumStyle::kOutro:
        if (sectionEnd) {
          Hit(w, at, 0, kCrash, 112);
          Hit(w, at, 0, kKick, 112);
          break;
        }
        if (phraseStart) Hit(w, at, 0, kCrash, 100);
        Pattern(w, at, "x...x...x...x...", kKick, 104);
        Pattern(w, at, "....x.......x...", kSnare, 100);
        Pattern(w, at, "x.x.x.x.x.x.x.x.", kClosedHat, 62);
        if (bar + 2 == bars) Fill(w, at, false);
        break;
    }
  }
}

}  // namespace

std::vector<uint8_t> ComposeBgm() {
  Writer w;
  w.tracks.resize(8);
  const std::array<const char*, 8> names{"tempo", "lead",     "second voice", "keys",
                                         "bass",  "arpeggio", "strings",      "drums"};
  for (size_t i = 0; i < names.size(); ++i) w.tracks[i].Name(names[i]);
  w.tracks[0].TimeSignature(0, 4, 2);

  struct Mix {
    int channel, program, volume, pan, reverb;
  };
  // Channel volumes balance the parts against each other and keep the whole well below the effects.
  constexpr std::array<Mix, 6> kMix{{{kLead, kSquareLead, 53, 64, 40},
                                     {kVoice2, kSawLead, 51, 84, 48},
                                     {kStabs, kElectricPiano, 61, 40, 40},
                                     {kBass, kSynthBass, 62, 64, 10},
                                     {kArp, kMarimba, 79, 92, 50},
                                     {kPad, kStrings, 29, 52, 70}}};
  for (const Mix& m : kMix) {
    MidiTrack& t = w.Track(m.channel);
    t.ProgramChange(0, m.channel, m.program);
    t.Controller(0, m.channel, 7, m.volume);
    t.Controller(0, m.channel, 10, m.pan);
    t.Controller(0, m.channel, 91, m.reverb);
  }
  w.Track(kDrums).Controller(0, kDrums, 7, 61);
  w.Track(kDrums).Controller(0, kDrums, 91, 30);

  uint32_t tick = 0;
  double bpm = 0;
  int leadProgram[2] = {kSquareLead, kSawLead};
  for (const Section& s : Arrangement()) {
    const std::vector<std::vector<Chord>> bars = ParseChordBars(s.chords);
    if (*s.melody != '\0') {
      int total = 0;
      for (const MelodyNote& n : ParseMelody(s.melody)) total += n.sixteenths;
      if (total != static_cast<int>(bars.size()) * kStepsPerBar) throw std::logic_error("tune and chords differ");
    }
    if (s.bpm != bpm) {
      w.tracks[0].Tempo(tick, s.bpm);
      bpm = s.bpm;
    }
    const int wantLead = s.leadChannel == kLead ? s.leadProgram : leadProgram[0];
    const int wantVoice2 = s.leadChannel == kVoice2 ? s.leadProgram : s.voice2Program;
    if (wantLead != leadProgram[0]) w.Track(kLead).ProgramChange(tick, kLead, leadProgram[0] = wantLead);
    if (wantVoice2 != leadProgram[1]) w.Track(kVoice2).ProgramChange(tick, kVoice2, leadProgram[1] = wantVoice2);

    w.energy = s.energy;
    WriteTune(w, s, tick);
    for (int bar = 0; bar < static_cast<int>(bars.size()); ++bar) {
      for (int half = 0; half < static_cast<int>(bars[bar].size()); ++half) WriteHarmony(w, s, bars, tick, bar, half);
    }
    WriteDrums(w, s, tick, static_cast<int>(bars.size()));
    tick += static_cast<uint32_t>(bars.size()) * kBarTicks;
  }
  return EncodeMidiFile(w.tracks, kTicksPerQuarter, tick);
}

}  // namespace quandel::soundgen
