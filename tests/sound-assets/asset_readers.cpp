#include "asset_readers.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace quandel::testing {

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

uint32_t Be(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | b[at + i];
  return v;
}

bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

}  // namespace

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadWav(const std::vector<uint8_t>& b, WavFile& out) {
  if (b.size() < 12 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) return "not a RIFF/WAVE file";
  if (Le(b, 4, 4) != b.size() - 8) return "RIFF size does not match the file";
  bool haveFormat = false, haveData = false;
  for (size_t at = 12; at < b.size();) {
    if (at + 8 > b.size()) return "truncated chunk header";
    const uint32_t size = Le(b, at + 4, 4);
    const size_t body = at + 8;
    if (body + size > b.size()) return "chunk runs past the end";
    if (Tag(b, at, "fmt ")) {
      if (size < 16) return "short fmt chunk";
      out.format = static_cast<int>(Le(b, body, 2));
      out.channels = static_cast<int>(Le(b, body + 2, 2));
      out.sampleRate = static_cast<int>(Le(b, body + 4, 4));
      out.byteRate = static_cast<int>(Le(b, body + 8, 4));
      out.blockAlign = static_cast<int>(Le(b, body + 12, 2));
      out.bitsPerSample = static_cast<int>(Le(b, body + 14, 2));
      haveFormat = true;
    } else if (Tag(b, at, "data")) {
      if (!haveFormat) return "data before fmt";
      if (size % 2 != 0) return "odd data size";
      out.samples.clear();
      for (size_t i = 0; i < size; i += 2) out.samples.push_back(static_cast<int16_t>(Le(b, body + i, 2)));
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  if (!haveFormat || !haveData) return "missing fmt or data chunk";
  return "";
}

std::string ReadMidi(const std::vector<uint8_t>& b, MidiFile& out) {
  if (b.size() < 14 || !Tag(b, 0, "MThd") || Be(b, 4, 4) != 6) return "bad MThd";
  out.format = static_cast<int>(Be(b, 8, 2));
  const uint32_t trackCount = Be(b, 10, 2);
  out.division = static_cast<int>(Be(b, 12, 2));
  size_t at = 14;
  for (uint32_t t = 0; t < trackCount; ++t) {
    if (!Tag(b, at, "MTrk") || at + 8 > b.size()) return "missing MTrk";
    const size_t end = at + 8 + Be(b, at + 4, 4);
    if (end > b.size()) return "track runs past the end";
    size_t p = at + 8;
    auto varLen = [&](uint32_t& v) {
      v = 0;
      for (int i = 0; i < 4; ++i) {
        if (p >= end) return false;
        const uint8_t c = b[p++];
        v = (v << 7) | (c & 0x7F);
        if (!(c & 0x80)) return true;
      }
      return false;
    };
    std::vector<MidiEvent> events;
    uint32_t tick = 0, delta = 0, length = 0;
    uint8_t running = 0;
    bool ended = false;
    while (p < end) {
      if (ended) return "events after end-of-track";
      if (!varLen(delta) || p >= end) return "bad delta time";
      tick += delta;
      MidiEvent e{tick, b[p], 0, {}};
      if (e.status == 0xFF) {
        if (p + 2 > end) return "truncated meta event";
        e.metaType = b[p + 1];
        p += 2;
        if (!varLen(length) || p + length > end) return "bad meta length";
        e.data.assign(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(p + length));
        p += length;
        running = 0;
        ended = e.metaType == 0x2F;
      } else if (e.status == 0xF0 || e.status == 0xF7) {
        ++p;
        if (!varLen(length) || p + length > end) return "bad sysex length";
        p += length;
        running = 0;
      } else {
        if (e.status & 0x80) {
          running = e.status;
          ++p;
        } else {
          if (running == 0) return "data byte without running status";
          e.status = running;
          ++out.runningStatusEvents;
        }
        const int kind = e.status & 0xF0;
        const size_t n = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (p + n > end) return "truncated channel event";
        e.data.assign(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(p + n));
        for (uint8_t d : e.data) {
          if (d & 0x80) return "data byte above 127";
        }
        p += n;
      }
      events.push_back(std::move(e));
    }
    if (!ended) return "track without end-of-track";
    out.tracks.push_back(std::move(events));
    at = end;
  }
  if (at != b.size()) return "bytes after the last track";
  return "";
}

double MidiSeconds(const MidiFile& file, uint32_t tick) {
  std::map<uint32_t, uint32_t> tempo;  // tick -> microseconds per quarter
  for (const auto& track : file.tracks) {
    for (const MidiEvent& e : track) {
      if (e.status == 0xFF && e.metaType == 0x51 && e.data.size() == 3) {
        tempo[e.tick] = (uint32_t{e.data[0]} << 16) | (uint32_t{e.data[1]} << 8) | e.data[2];
      }
    }
  }
  double seconds = 0;
  uint32_t at = 0, micros = 500000;
  for (const auto& [when, value] : tempo) {
    if (when >= tick) break;
    seconds += double(when - at) * micros / 1e6 / file.division;
    at = when;
    micros = value;
  }
  return seconds + double(tick - at) * micros / 1e6 / file.division;
}

}  // namespace quandel::testing
