#pragma once

// Standard MIDI File output. Events are collected with absolute tick times in any order and encoded with delta
// times and running status when the file is written.

#include <cstdint>
#include <string>
#include <vector>

namespace quandel::soundgen {

class MidiTrack {
 public:
  void NoteOn(uint32_t tick, int channel, int key, int velocity);
  void NoteOff(uint32_t tick, int channel, int key);  // sent as note-on with velocity 0
  // A note from `tick` for `length` ticks.
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);
  void ProgramChange(uint32_t tick, int channel, int program);
  void Controller(uint32_t tick, int channel, int controller, int value);
  void Tempo(uint32_t tick, double bpm);
  void TimeSignature(uint32_t tick, int numerator, int denominatorPower);
  void Name(const std::string& name);

  // The track chunk, ending with end-of-track at `endTick` or at the last event, whichever is later.
  std::vector<uint8_t> Encode(uint32_t endTick) const;

 private:
  struct Event {
    uint32_t tick;
    int order;      // at equal ticks: meta first, then controls, then note-offs, then note-ons
    size_t serial;  // keeps insertion order among equals
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, int order, std::vector<uint8_t> bytes);
  static int CheckedChannel(int channel);
  std::vector<Event> events_;
};

// Format 1 file with the given tracks; the first is conventionally the tempo track.
std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, uint32_t endTick);

void PutVarLen(std::vector<uint8_t>& out, uint32_t value);

}  // namespace quandel::soundgen
