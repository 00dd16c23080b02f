#include "persist/data_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace quandel {

std::string DataDir::PathOf(const std::string& name) const {
  if (path_.empty() || path_ == ".") return name;
  return path_ + "/" + name;
}

bool DataDir::Exists(const std::string& name) const {
  struct stat st {};
  return ::stat(PathOf(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::vector<uint8_t>> DataDir::Read(const std::string& name, size_t limit) const {
  const int fd = ::open(PathOf(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t buffer[8192];
  while (bytes.size() < limit) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    const size_t keep = std::min(static_cast<size_t>(got), limit - bytes.size());
    bytes.insert(bytes.end(), buffer, buffer + keep);
  }
  ::close(fd);
  return bytes;
}

static bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

bool DataDir::WriteAtomic(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string target = PathOf(name);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, 0644) == 0 && WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dir = ::open(path_.empty() ? "." : path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace quandel
