// The game's data folder: where config.txt, scr.hsc and replay.dat are read and written.
// Saves go to a temporary file in the same folder, are flushed and then renamed over the old
// file, so an interrupted save leaves either the old file or the new one, whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quandel {

class DataDir {
 public:
  explicit DataDir(std::string path = ".") : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  std::string PathOf(const std::string& name) const;

  bool Exists(const std::string& name) const;
  // The whole file, or nothing when it is missing or unreadable. Reads at most `limit` bytes.
  std::optional<std::vector<uint8_t>> Read(const std::string& name, size_t limit = 1 << 20) const;
  // Replaces the file in one step. Returns false (and leaves the old file alone) on failure.
  bool WriteAtomic(const std::string& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::string path_;
};

}  // namespace quandel
