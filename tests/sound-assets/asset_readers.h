#pragma once

// Readers for the generated sound files, written independently of the generator so that they check it.

#include <cstdint>
#include <string>
#include <vector>

namespace quandel::testing {

struct WavFile {
  int format = 0, channels = 0, sampleRate = 0, byteRate = 0, blockAlign = 0, bitsPerSample = 0;
  std::vector<int16_t> samples;
};

// Walks the RIFF chunks; returns an empty string on success, or what is wrong.
std::string ReadWav(const std::vector<uint8_t>& bytes, WavFile& out);

struct MidiEvent {
  uint32_t tick;  // absolute
  uint8_t status;  // 0xFF for meta events
  uint8_t metaType;
  std::vector<uint8_t> data;
};

struct MidiFile {
  int format = 0, division = 0;
  std::vector<std::vector<MidiEvent>> tracks;
  int runningStatusEvents = 0;  // channel events that reused the previous status byte
};

std::string ReadMidi(const std::vector<uint8_t>& bytes, MidiFile& out);

// Seconds from the start to `tick`, following every tempo event of the file (120 bpm until the first).
double MidiSeconds(const MidiFile& file, uint32_t tick);

std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace quandel::testing
