#pragma once

// The background music, composed in code and written as a Standard MIDI File for a General MIDI synthesiser.

#include <cstdint>
#include <string>
#include <vector>

namespace quandel::soundgen {

inline constexpr int kTicksPerQuarter = 480;
inline constexpr int kTicksPer16th = kTicksPerQuarter / 4;

// One melody note: a MIDI key (or -1 for a rest) and its length in sixteenths.
struct MelodyNote {
  int key;
  int sixteenths;
};

// "E5:2 G5:2 C#6:4 r:8": note name, optional # or b, octave (C4 = 60), colon, length in sixteenths.
std::vector<MelodyNote> ParseMelody(const std::string& text);

struct Chord {
  int root;                    // pitch class, 0 = C
  std::vector<int> intervals;  // semitones above the root, starting with 0
  int bass;                    // pitch class of the bass note (the root unless written as "X/Y")
};

// A chord symbol such as "C", "Am", "G7", "Dm7", "Fmaj7", "Gsus4", "Bdim" or "G/B".
Chord ParseChord(const std::string& symbol);

// Bars separated by '|', each holding one or two chords (two split the bar in halves).
std::vector<std::vector<Chord>> ParseChordBars(const std::string& text);

std::vector<uint8_t> ComposeBgm();

// A pitch class 0..11 of any whole number of semitones.
inline int Wrap12(int v) { return ((v % 12) + 12) % 12; }

}  // namespace quandel::soundgen
