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
struct Changed { int left, top, right, bottom; };
Changed ChangedArea(const Surface& a, const Surface& b);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// A PCM wave file: the 44-byte header (fmt at 12, data size at 40) and `dataBytes` of `fill`.
std::string PcmWave(size_t dataBytes, char fill = 0, int channels = 1, int bits = 16, int rate = 22050);

}  // namespace quandel::testing
