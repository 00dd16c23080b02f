#pragma once

#include <string>

#include "platform/surface.h"

namespace quandel::testing {

// A fresh folder under the system's temp directory, removed when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The smallest rectangle holding every pixel in which two pictures of one size differ; empty
// (left > right) when none does.
struct Changed {
  int left, top, right, bottom;
};
Changed ChangedArea(const Surface& a, const Surface& b);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// A PCM wave file: the 44-byte header (fmt at 12, data size at 40) and `dataBytes` of `fill`.
std::string PcmWave(size_t dataBytes, char fill = 0, int channels = 1, int bits = 16, int rate = 22050);

// A MIDI file of one track: a note on, the same note off by running status, the end marker.
inline const std::string kTinyMidi("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0b\0\x90\x3c\x40\x60\x3c\0\0\xff\x2f\0", 33);

}  // namespace quandel::testing
