// Readers for the generated sound files, written independently of the generator so that they check it.
// Each returns an empty string on success, or what is wrong.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace quandel::testing {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Little- or big-endian unsigned number of n bytes.
inline uint32_t Num(const std::vector<uint8_t>& b, size_t at, int n, bool big = false) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | b[at + (big ? i : n - 1 - i)];
  return v;
}

inline bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

struct WavFile {
  int format = 0, channels = 0, sampleRate = 0, byteRate = 0, blockAlign = 0, bitsPerSample = 0;
  std::vector<int16_t> samples;
};

// The plain 44-byte layout: RIFF/WAVE, a 16-byte fmt chunk, then the data chunk to the end of the file.
inline std::string ReadWav(const std::vector<uint8_t>& b, WavFile& out) {
  if (b.size() < 44 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE") || !Tag(b, 12, "fmt ") || Num(b, 16, 4) != 16 || !Tag(b, 36, "data"))
    return "not a plain RIFF/WAVE file";
  if (Num(b, 4, 4) != b.size() - 8 || Num(b, 40, 4) != b.size() - 44 || b.size() % 2 != 0) return "chunk sizes do not match the file";
  out = {int(Num(b, 20, 2)), int(Num(b, 22, 2)), int(Num(b, 24, 4)), int(Num(b, 28, 4)), int(Num(b, 32, 2)), int(Num(b, 34, 2)), {}};
  for (size_t i = 44; i < b.size(); i += 2) out.samples.push_back(static_cast<int16_t>(Num(b, i, 2)));
  return "";
}

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

// Standard MIDI file with meta and channel events (no system exclusive messages).
inline std::string ReadMidi(const std::vector<uint8_t>& b, MidiFile& out) {
  if (b.size() < 14 || !Tag(b, 0, "MThd") || Num(b, 4, 4, true) != 6) return "bad MThd";
  out.format = static_cast<int>(Num(b, 8, 2, true));
  out.division = static_cast<int>(Num(b, 12, 2, true));
  size_t at = 14;
  for (uint32_t t = 0, count = Num(b, 10, 2, true); t < count; ++t) {
    if (!Tag(b, at, "MTrk") || at + 8 > b.size()) return "missing MTrk";
    const size_t end = at + 8 + Num(b, at + 4, 4, true);
    if (end > b.size()) return "track runs past the end";
    size_t p = at + 8;
    auto varLen = [&](uint32_t& v) {
      v = 0;
      for (int i = 0; i < 4 && p < end; ++i) {
        v = (v << 7) | (b[p] & 0x7F);
        if (!(b[p++] & 0x80)) return true;
      }
      return false;
    };
    std::vector<MidiEvent> events;
    uint32_t tick = 0, delta = 0, length = 0;
    uint8_t running = 0;
    while (p < end) {
      if (!events.empty() && events.back().status == 0xFF && events.back().metaType == 0x2F) return "events after end-of-track";
      if (!varLen(delta) || p >= end) return "bad delta time";
      MidiEvent e{tick += delta, b[p], 0, {}};
      size_t n = 0;
      if (e.status == 0xFF) {
        if (p + 2 > end) return "truncated meta event";
        e.metaType = b[p + 1];
        p += 2;
        if (!varLen(length)) return "bad meta length";
        n = length;
        running = 0;
      } else if (e.status >= 0xF0) {
        return "system exclusive message";
      } else {
        if (e.status & 0x80) {
          running = e.status;
          ++p;
        } else if (running == 0) {
          return "data byte without running status";
        } else {
          e.status = running;
          ++out.runningStatusEvents;
        }
        n = (e.status & 0xE0) == 0xC0 ? 1 : 2;  // program change and channel pressure carry one byte
      }
      if (p + n > end) return "truncated event";
      e.data.assign(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(p + n));
      if (e.status != 0xFF && std::any_of(e.data.begin(), e.data.end(), [](uint8_t d) { return d & 0x80; })) return "data byte above 127";
      p += n;
      events.push_back(std::move(e));
    }
    if (events.empty() || events.back().status != 0xFF || events.back().metaType != 0x2F) return "track without end-of-track";
    out.tracks.push_back(std::move(events));
    at = end;
  }
  return at == b.size() ? "" : "bytes after the last track";
}

// Seconds from the start to `tick`, following every tempo event of the file (120 bpm until the first).
inline double MidiSeconds(const MidiFile& file, uint32_t tick) {
  std::map<uint32_t, uint32_t> tempo;  // tick -> microseconds per quarter
  for (const auto& track : file.tracks)
    for (const MidiEvent& e : track)
      if (e.status == 0xFF && e.metaType == 0x51 && e.data.size() == 3) tempo[e.tick] = Num(e.data, 0, 3, true);
  double seconds = 0;
  uint32_t at = 0, micros = 500000;
  for (const auto& [when, value] : tempo) {
    if (when >= tick) break;
    seconds += double(when - at) * micros / 1e6 / file.division;
    at = when, micros = value;
  }
  return seconds + double(tick - at) * micros / 1e6 / file.division;
}

}  // namespace quandel::testing
