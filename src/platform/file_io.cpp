#include "platform/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace quandel {

std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, size_t limit) {
  // Non-blocking open: opening a pipe for reading would otherwise wait for a writer forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::vector<uint8_t>> bytes;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    bytes.emplace();
    uint8_t buffer[8192];
    while (bytes->size() < limit) {
      const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes->size()));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        bytes.reset();
        break;
      }
      if (got == 0) break;
      bytes->insert(bytes->end(), buffer, buffer + got);
    }
  }
  ::close(fd);
  return bytes;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
  IgnoreFileSizeSignal();
  std::string temp = path + ".XXXXXX";
  // mkstemp creates its file exclusively, so a link planted under the temporary name is no way out.
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, 0644) == 0 && WriteAll(fd, bytes.data(), bytes.size());
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

void IgnoreFileSizeSignal() {
  static const bool once = [] {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    return ::sigaction(SIGXFSZ, &ignore, nullptr) == 0;
  }();
  (void)once;
}

}  // namespace quandel
