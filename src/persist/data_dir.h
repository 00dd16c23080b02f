// The game's data folder: where config.txt, scr.hsc and replay.dat are read and written.
// Saves go to a temporary file in the same folder, are flushed and then renamed over the old
// file, so an interrupted save leaves either the old file or the new one, whole. In a folder that
// takes no new files the old file is rewritten in place instead; a save that cannot be done is
// said once on stderr.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quandel {

// The steps of a save, in order. kWrite is reported once per write call. When kCreate fails (no
// temporary file can be made) the save goes on with kRewrite, opening the old file for writing in
// place, then kWrite and kFlush.
enum class SaveStep { kCreate, kRewrite, kWrite, kFlush, kClose, kRename };

class DataDir {
 public:
  // Called before each step of a save; returning true makes that step fail the way a full disk
  // or a read-only folder would. Lets tests break a save at every point.
  using FaultHook = std::function<bool(SaveStep)>;

  explicit DataDir(std::string path = ".") : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  std::string PathOf(const std::string& name) const;

  // True for a regular file (or a link to one); folders, pipes and devices do not count.
  bool Exists(const std::string& name) const;
  // The whole file, or nothing when it is missing, unreadable or not a regular file. Reads at
  // most `limit` bytes, so a huge file costs no more than that.
  std::optional<std::vector<uint8_t>> Read(const std::string& name, size_t limit = 1 << 20) const;
  // Replaces the file in one step. Returns false, leaving the old file as it was and no
  // temporary file behind, when any step fails or the old file may not be written. A link stays
  // a link: the regular file it leads to is replaced, from a temporary file beside it (never in
  // place). A link leading nowhere or to anything but a regular file, and a folder or pipe in
  // the file's place, are refused.
  bool WriteAtomic(const std::string& name, const std::vector<uint8_t>& bytes) const;
  bool WriteAtomic(const std::string& name, const std::string& bytes) const;

  // Removes the temporary files of saves of these files that were cut short (a crash, a power
  // cut), and only those: a save still running in another copy of the game keeps its own.
  void RemoveLeftovers(const std::vector<std::string>& names) const;

  void set_fault_hook(FaultHook hook) { fault_ = std::move(hook); }

 private:
  bool Fails(SaveStep step) const { return fault_ && fault_(step); }
  bool RewriteInPlace(const std::string& target, const std::vector<uint8_t>& bytes) const;

  std::string path_;
  FaultHook fault_;
};

}  // namespace quandel
