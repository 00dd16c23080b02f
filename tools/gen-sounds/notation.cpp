// The tune notation: melodies ("E6:2 D6:2 r:4"), chord symbols and bars of chords.
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "music.h"

namespace quandel::soundgen {

namespace {

int PitchClass(char letter) {
  switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: throw std::invalid_argument(std::string("not a note letter: ") + letter);
  }
}

}  // namespace

std::vector<MelodyNote> ParseMelody(const std::string& text) {
  std::vector<MelodyNote> out;
  std::istringstream in(text);
  std::string token;
  while (in >> token) {
    const size_t colon = token.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == token.size()) {
      throw std::invalid_argument("melody token needs name:length: " + token);
    }
    const std::string name = token.substr(0, colon);
    size_t used = 0;
    const int sixteenths = std::stoi(token.substr(colon + 1), &used);
    if (used != token.size() - colon - 1 || sixteenths <= 0) throw std::invalid_argument("bad length: " + token);
    if (name == "r") {
      out.push_back({-1, sixteenths});
      continue;
    }
    size_t pos = 1;
    int pc = PitchClass(name[0]);
    if (pos < name.size() && (name[pos] == '#' || name[pos] == 'b')) pc += name[pos++] == '#' ? 1 : -1;
    if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '9') throw std::invalid_argument("bad note: " + token);
    const int key = (name[pos] - '0' + 1) * 12 + pc;
    if (key < 0 || key > 127) throw std::invalid_argument("note out of range: " + token);
    out.push_back({key, sixteenths});
  }
  return out;
}

Chord ParseChord(const std::string& symbol) {
  if (symbol.empty()) throw std::invalid_argument("empty chord");
  const size_t slash = symbol.find('/');
  const std::string head = symbol.substr(0, slash);
  Chord c{};
  size_t pos = 1;
  c.root = PitchClass(head[0]);
  if (pos < head.size() && (head[pos] == '#' || head[pos] == 'b')) c.root += head[pos++] == '#' ? 1 : -1;
  c.root = Wrap12(c.root);
  const std::string quality = head.substr(pos);
  if (quality.empty())
    c.intervals = {0, 4, 7};
  else if (quality == "m")
    c.intervals = {0, 3, 7};
  else if (quality == "7")
    c.intervals = {0, 4, 7, 10};
  else if (quality == "m7")
    c.intervals = {0, 3, 7, 10};
  else if (quality == "maj7")
    c.intervals = {0, 4, 7, 11};
  else if (quality == "sus4")
    c.intervals = {0, 5, 7};
  else if (quality == "dim")
    c.intervals = {0, 3, 6};
  else
    throw std::invalid_argument("unknown chord: " + symbol);
  c.bass = c.root;
  if (slash != std::string::npos) {
    const std::string bass = symbol.substr(slash + 1);
    if (bass.empty() || bass.size() > 2) throw std::invalid_argument("bad bass note: " + symbol);
    c.bass = PitchClass(bass[0]);
    if (bass.size() == 2) {
      if (bass[1] != '#' && bass[1] != 'b') throw std::invalid_argument("bad bass note: " + symbol);
      c.bass += bass[1] == '#' ? 1 : -1;
    }
    c.bass = Wrap12(c.bass);
  }
  return c;
}

std::vector<std::vector<Chord>> ParseChordBars(const std::string& text) {
  std::vector<std::vector<Chord>> bars;
  std::istringstream in(text);
  std::string bar;
  while (std::getline(in, bar, '|')) {
    std::istringstream words(bar);
    std::vector<Chord> chords;
    std::string word;
    while (words >> word) chords.push_back(ParseChord(word));
    if (chords.empty() || chords.size() > 2) throw std::invalid_argument("a bar holds one or two chords");
    bars.push_back(std::move(chords));
  }
  return bars;
}

}  // namespace quandel::soundgen
