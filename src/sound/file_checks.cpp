#include "sound/file_checks.h"

#include <algorithm>
#include <cstring>
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

}  // namespace

bool LooksLikeWave(const uint8_t* data, size_t size) {
  return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
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
