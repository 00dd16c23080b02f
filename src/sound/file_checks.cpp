#include "sound/file_checks.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace quandel {

namespace {

uint32_t BigEndian(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

// A variable-length quantity of at most four bytes; false when it runs past `end`.
bool ReadVarLen(const uint8_t*& p, const uint8_t* end, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (p >= end) return false;
    const uint8_t b = *p++;
    value = (value << 7) | (b & 0x7f);
    if (!(b & 0x80)) return true;
  }
  return false;
}

bool IsCompleteTrack(const uint8_t* p, const uint8_t* end) {
  uint8_t running = 0;
  while (p < end) {
    uint32_t delta, length;
    if (!ReadVarLen(p, end, delta) || p >= end) return false;
    uint8_t status = *p;
    if (status & 0x80) {
      ++p;
    } else if (running != 0) {
      status = running;
    } else {
      return false;
    }
    if (status == 0xff) {
      if (p >= end) return false;
      const uint8_t type = *p++;
      if (!ReadVarLen(p, end, length) || length > static_cast<uint32_t>(end - p)) return false;
      if (type == 0x2f) return true;  // end of track
      p += length;
      running = 0;
    } else if (status == 0xf0 || status == 0xf7) {
      if (!ReadVarLen(p, end, length) || length > static_cast<uint32_t>(end - p)) return false;
      p += length;
      running = 0;
    } else if (status > 0xf0) {
      return false;  // real-time and common messages have no place in a file
    } else {
      const int data = (status & 0xf0) == 0xc0 || (status & 0xf0) == 0xd0 ? 1 : 2;
      if (end - p < data) return false;
      for (int i = 0; i < data; ++i) {
        if (*p++ & 0x80) return false;
      }
      running = status;
    }
  }
  return false;  // no end marker
}

uint32_t LittleEndian(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// Chunks ahead of the samples (format, lists of names) are small; a wave whose samples do not
// start within this many bytes is not one of ours.
constexpr size_t kWaveHeadLimit = 64 << 10;

}  // namespace

std::optional<WaveLayout> ReadWaveLayout(const uint8_t* head, size_t headSize, uint64_t fileSize) {
  if (headSize < 12 || std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0) return std::nullopt;
  WaveLayout w;
  int blockAlign = 0;
  uint64_t pos = 12;
  while (pos + 8 <= headSize) {
    const uint8_t* chunk = head + pos;
    const uint64_t size = LittleEndian(chunk + 4, 4);
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16 || pos + 8 + 16 > headSize || blockAlign != 0) return std::nullopt;
      const uint8_t* f = chunk + 8;
      w.channels = static_cast<int>(LittleEndian(f + 2, 2));
      w.sampleRate = static_cast<int>(LittleEndian(f + 4, 4));
      blockAlign = static_cast<int>(LittleEndian(f + 12, 2));
      w.bitsPerSample = static_cast<int>(LittleEndian(f + 14, 2));
      const bool pcm = LittleEndian(f, 2) == 1;  // compressed and float formats are not ours
      if (!pcm || w.channels < 1 || w.channels > 2 || (w.bitsPerSample != 8 && w.bitsPerSample != 16) ||
          w.sampleRate < 8000 || w.sampleRate > 48000 || blockAlign != w.channels * w.bitsPerSample / 8)
        return std::nullopt;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      const uint64_t limit = static_cast<uint64_t>(kMaxWaveSeconds) * static_cast<uint64_t>(w.sampleRate) *
                             static_cast<uint64_t>(blockAlign);
      if (blockAlign == 0 || size > limit || pos + 8 + size > fileSize) return std::nullopt;
      w.dataOffset = static_cast<size_t>(pos + 8);
      w.dataSize = static_cast<size_t>(size);
      return w;
    }
    pos += 8 + size + (size & 1);  // chunks are padded to an even length
  }
  return std::nullopt;
}

std::optional<WaveLayout> ReadWaveFileLayout(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  const std::vector<uint8_t> head = ReadFileStart(path, kWaveHeadLimit);
  return ReadWaveLayout(head.data(), head.size(), size);
}

bool IsCompleteMidi(const std::vector<uint8_t>& bytes) {
  const uint8_t* b = bytes.data();
  const size_t size = bytes.size();
  if (size < 14 || std::memcmp(b, "MThd", 4) != 0) return false;
  const uint32_t headerLength = BigEndian(b + 4, 4);
  const uint32_t format = BigEndian(b + 8, 2), tracks = BigEndian(b + 10, 2), division = BigEndian(b + 12, 2);
  if (headerLength < 6 || headerLength > size - 8 || format > 2 || tracks == 0 || division == 0) return false;
  size_t pos = 8 + headerLength;
  uint32_t found = 0;
  while (found < tracks) {
    if (size - pos < 8) return false;
    const uint32_t length = BigEndian(b + pos + 4, 4);
    if (length > size - pos - 8) return false;
    if (std::memcmp(b + pos, "MTrk", 4) == 0) {
      if (!IsCompleteTrack(b + pos + 8, b + pos + 8 + length)) return false;
      ++found;
    }
    pos += 8 + length;
  }
  return true;
}

std::vector<uint8_t> ReadFileStart(const std::string& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

bool FileStartsWith(const std::string& path, const char (&magic)[5]) {
  std::ifstream in(path, std::ios::binary);
  char head[4] = {};
  return in.read(head, 4) && std::memcmp(head, magic, 4) == 0;
}

}  // namespace quandel
