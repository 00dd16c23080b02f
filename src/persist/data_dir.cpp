#include "persist/data_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace quandel {

namespace {

// A file's fresh permissions when there is no old file to copy them from.
constexpr mode_t kNewFileMode = 0644;

}  // namespace

std::string DataDir::PathOf(const std::string& name) const {
  if (path_.empty() || path_ == ".") return name;
  return path_ + "/" + name;
}

bool DataDir::Exists(const std::string& name) const {
  struct stat st {};
  return ::stat(PathOf(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::vector<uint8_t>> DataDir::Read(const std::string& name, size_t limit) const {
  // Non-blocking open, so a pipe put in place of a save file cannot hang the start-up.
  const int fd = ::open(PathOf(name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::vector<uint8_t> bytes;
  uint8_t buffer[8192];
  while (bytes.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t got = ::read(fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  ::close(fd);
  return bytes;
}

bool DataDir::WriteAtomic(const std::string& name, const std::string& bytes) const {
  return WriteAtomic(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

bool DataDir::WriteAtomic(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string target = PathOf(name);

  // Renaming would replace even a file the player made read-only; an in-place write could not.
  if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT) return false;
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : kNewFileMode;

  if (Fails(SaveStep::kCreate)) return false;
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  bool ok = ::fchmod(fd, mode) == 0;
  const uint8_t* data = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    if (Fails(SaveStep::kWrite)) {
      // As a full disk would: part of the data lands, then the write fails.
      const ssize_t partial = ::write(fd, data, left / 2);
      (void)partial;
      ok = false;
      break;
    }
    const ssize_t put = ::write(fd, data, left);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      ok = false;
      break;
    }
    data += put;
    left -= static_cast<size_t>(put);
  }
  if (ok && (Fails(SaveStep::kFlush) || ::fsync(fd) != 0)) ok = false;
  const bool closed = ::close(fd) == 0;
  if (ok && (Fails(SaveStep::kClose) || !closed)) ok = false;
  if (ok && (Fails(SaveStep::kRename) || ::rename(temp.c_str(), target.c_str()) != 0)) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }

  // Make the rename itself durable; the new file is in place whatever this returns.
  const int dir = ::open(path_.empty() ? "." : path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace quandel
