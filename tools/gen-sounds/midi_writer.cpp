#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quandel::soundgen {

namespace {

enum Order { kMeta = 0, kControl = 1, kRelease = 2, kStrike = 3 };

uint8_t DataByte(int v) {
  if (v < 0 || v > 127) throw std::out_of_range("MIDI data byte out of range");
  return static_cast<uint8_t>(v);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

}  // namespace

void PutVarLen(std::vector<uint8_t>& out, uint32_t value) {
  if (value > 0x0FFFFFFF) throw std::out_of_range("MIDI variable-length value too large");
  uint8_t groups[4];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

int MidiTrack::CheckedChannel(int channel) {
  if (channel < 0 || channel > 15) throw std::out_of_range("MIDI channel out of range");
  return channel;
}

void MidiTrack::Add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  events_.push_back(Event{tick, order, events_.size(), std::move(bytes)});
}

void MidiTrack::NoteOn(uint32_t tick, int channel, int key, int velocity) {
  if (velocity < 1) throw std::out_of_range("note-on needs a velocity of at least 1");
  Add(tick, kStrike, {static_cast<uint8_t>(0x90 | CheckedChannel(channel)), DataByte(key), DataByte(velocity)});
}

void MidiTrack::NoteOff(uint32_t tick, int channel, int key) {
  Add(tick, kRelease, {static_cast<uint8_t>(0x90 | CheckedChannel(channel)), DataByte(key), 0});
}

void MidiTrack::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  if (length == 0) throw std::invalid_argument("empty note");
  NoteOn(tick, channel, key, velocity);
  NoteOff(tick + length, channel, key);
}

void MidiTrack::ProgramChange(uint32_t tick, int channel, int program) {
  Add(tick, kControl, {static_cast<uint8_t>(0xC0 | CheckedChannel(channel)), DataByte(program)});
}

void MidiTrack::Controller(uint32_t tick, int channel, int controller, int value) {
  Add(tick, kControl, {static_cast<uint8_t>(0xB0 | CheckedChannel(channel)), DataByte(controller), DataByte(value)});
}

void MidiTrack::Tempo(uint32_t tick, double bpm) {
  const auto micros = static_cast<uint32_t>(std::lround(60'000'000.0 / bpm));
  if (bpm <= 0 || micros > 0xFFFFFF) throw std::out_of_range("tempo out of range");
  Add(tick, kMeta,
      {0xFF, 0x51, 3, static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
       static_cast<uint8_t>(micros)});
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
  Add(tick, kMeta, {0xFF, 0x58, 4, DataByte(numerator), DataByte(denominatorPower), 24, 8});
}

void MidiTrack::Name(const std::string& name) {
  std::vector<uint8_t> bytes{0xFF, 0x03};
  PutVarLen(bytes, static_cast<uint32_t>(name.size()));
  bytes.insert(bytes.end(), name.begin(), name.end());
  Add(0, kMeta, std::move(bytes));
}

std::vector<uint8_t> MidiTrack::Encode(uint32_t endTick) const {
  std::vector<const Event*> sorted;
  sorted.reserve(events_.size());
  for (const Event& e : events_) sorted.push_back(&e);
  // A release and a new strike of the same key on the same tick must arrive in that order, or the new note
  // would be cut off at once.
  std::sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
    if (a->tick != b->tick) return a->tick < b->tick;
    if (a->order != b->order) return a->order < b->order;
    return a->serial < b->serial;
  });

  std::vector<uint8_t> body;
  uint32_t now = 0;
  uint8_t runningStatus = 0;
  for (const Event* e : sorted) {
    PutVarLen(body, e->tick - now);
    now = e->tick;
    const uint8_t status = e->bytes[0];
    if (status >= 0xF0) {
      runningStatus = 0;  // meta and system events cancel running status
      body.insert(body.end(), e->bytes.begin(), e->bytes.end());
    } else if (status == runningStatus) {
      body.insert(body.end(), e->bytes.begin() + 1, e->bytes.end());
    } else {
      runningStatus = status;
      body.insert(body.end(), e->bytes.begin(), e->bytes.end());
    }
  }
  PutVarLen(body, std::max(endTick, now) - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
  Put32(chunk, static_cast<uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, uint32_t endTick) {
  if (tracks.empty() || tracks.size() > 0xFFFF || ticksPerQuarter <= 0 || ticksPerQuarter > 0x7FFF) {
    throw std::invalid_argument("bad MIDI file layout");
  }
  std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
  Put32(out, 6);
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(tracks.size()));
  Put16(out, static_cast<uint16_t>(ticksPerQuarter));
  for (const MidiTrack& t : tracks) {
    const std::vector<uint8_t> chunk = t.Encode(endTick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace quandel::soundgen
