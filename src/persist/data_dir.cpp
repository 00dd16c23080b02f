#include "persist/data_dir.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace quandel {

namespace {

// A file's fresh permissions when there is no old file to copy them from.
constexpr mode_t kNewFileMode = 0644;

// Temporary files are "<name>.saving-XXXXXX": distinct enough that clearing leftovers can never
// take a file of the player's (such as "scr.hsc.backup").
constexpr const char kTempMarker[] = ".saving-";
constexpr size_t kTempRandomChars = 6;

// Every byte, through short writes and interruptions.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
  for (ssize_t put = 0; size > 0; data += put, size -= static_cast<size_t>(put)) {
    do put = ::write(fd, data, size);
    while (put < 0 && errno == EINTR);
    if (put <= 0) return false;
  }
  return true;
}

// A save past the file-size limit must fail with EFBIG, not end the game.
void IgnoreFileSizeSignal() {
  static const bool once = ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
  (void)once;
}

// One line per file and run: a save fails again at every play's end, and the player needs to
// hear it only once.
void ReportFailure(const std::string& target, int error, const char* why = nullptr) {
  static std::set<std::string> reported;
  if (!reported.insert(target).second) return;
  std::fprintf(stderr, "quandel: cannot save %s: %s\n", target.c_str(), why ? why : std::strerror(error ? error : EIO));
  std::fflush(stderr);
}

// Where a save of `named` goes: the file itself, or for a link the file it leads to, so the
// player's link (say from a dotfiles manager) stays a link. Nothing for a link to nothing or to
// anything but a regular file, and for a folder, pipe or device in the file's place.
std::optional<std::string> SaveTarget(const std::string& named) {
  struct stat st {};
  if (::lstat(named.c_str(), &st) != 0) return named;  // a new file (or a failure the save will meet)
  if (S_ISREG(st.st_mode)) return named;
  if (!S_ISLNK(st.st_mode)) {
    ReportFailure(named, 0, "not a regular file");
    return std::nullopt;
  }
  char* resolved = ::realpath(named.c_str(), nullptr);
  if (!resolved) {
    ReportFailure(named, 0, "a link that leads to no file");
    return std::nullopt;
  }
  const std::string target = resolved;
  std::free(resolved);
  if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    ReportFailure(named, 0, "a link to something that is not a regular file");
    return std::nullopt;
  }
  return target;
}

bool IsLeftoverOf(const std::string& file, const std::string& name) {
  const std::string prefix = name + kTempMarker;
  return file.size() == prefix.size() + kTempRandomChars && file.compare(0, prefix.size(), prefix) == 0 &&
         std::all_of(file.begin() + static_cast<ptrdiff_t>(prefix.size()), file.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0; });
}

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
  IgnoreFileSizeSignal();
  const std::string named = PathOf(name);
  const std::optional<std::string> resolved = SaveTarget(named);
  if (!resolved) return false;
  const std::string& target = *resolved;
  const bool throughLink = target != named;
  // realpath gives an absolute path, so the folder is everything before the last '/'.
  const std::string folder =
      throughLink ? target.substr(0, std::max<size_t>(target.rfind('/'), 1)) : (path_.empty() ? "." : path_);

  // Renaming would replace even a file the player made read-only; an in-place write could not.
  if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT) {
    ReportFailure(named, errno);
    return false;
  }
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : kNewFileMode;

  std::string temp = target + kTempMarker + std::string(kTempRandomChars, 'X');
  errno = 0;
  const int fd = Fails(SaveStep::kCreate) ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    // A folder that takes no new file (read-only, out of inodes) may still let the file change;
    // not behind a link, which is never written through.
    if (!throughLink) return RewriteInPlace(target, bytes);
    ReportFailure(named, errno);
    return false;
  }
  // Locked until after the rename (the duplicate keeps the lock past the close), so clearing
  // leftovers at another copy's start-up passes this file by.
  ::flock(fd, LOCK_EX | LOCK_NB);
  const int lock = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);

  errno = 0;
  bool ok = ::fchmod(fd, mode) == 0;
  // As a full disk would: part of the data lands, then the write fails.
  if (ok && Fails(SaveStep::kWrite)) ok = WriteAll(fd, bytes.data(), bytes.size() / 2) && false;
  ok = ok && WriteAll(fd, bytes.data(), bytes.size());
  ok = ok && !Fails(SaveStep::kFlush) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok && !Fails(SaveStep::kClose);
  ok = ok && !Fails(SaveStep::kRename) && ::rename(temp.c_str(), target.c_str()) == 0;
  const int error = errno;
  if (!ok) ::unlink(temp.c_str());
  if (lock >= 0) ::close(lock);
  if (!ok) {
    ReportFailure(named, error);
    return false;
  }

  // Make the rename itself durable; the new file is in place whatever this returns.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool DataDir::RewriteInPlace(const std::string& target, const std::vector<uint8_t>& bytes) const {
  int error = errno;
  // Never through a link or into a pipe: only a regular file that is already there.
  const int fd =
      Fails(SaveStep::kRewrite) ? -1 : ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
  struct stat st {};
  // The old bytes are kept, so a write that fails halfway can be undone. None of our files comes
  // near the limit; anything larger is not ours to rewrite.
  constexpr off_t kMaxRewrite = 16 << 20;
  std::vector<uint8_t> previous;
  bool ok = fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxRewrite;
  if (ok) {
    previous.resize(static_cast<size_t>(st.st_size));
    ok = ::pread(fd, previous.data(), previous.size(), 0) == static_cast<ssize_t>(previous.size());
  }
  auto put = [&](const std::vector<uint8_t>& data, size_t size) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, data.data(), size) &&
           ::ftruncate(fd, static_cast<off_t>(size)) == 0;
  };
  if (ok) {
    errno = 0;
    // The fault hook's write failure lands half the data first, as a full disk would.
    ok = (Fails(SaveStep::kWrite) ? put(bytes, bytes.size() / 2) && false : put(bytes, bytes.size())) &&
         !Fails(SaveStep::kFlush) && ::fsync(fd) == 0;
    if (!ok) {
      error = errno;
      if (put(previous, previous.size())) ::fsync(fd);
    }
  }
  if (fd >= 0) ::close(fd);
  if (!ok) ReportFailure(target, error);
  return ok;
}

void DataDir::RemoveLeftovers(const std::vector<std::string>& names) const {
  DIR* dir = ::opendir(path_.empty() ? "." : path_.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string file = entry->d_name;
    if (std::none_of(names.begin(), names.end(), [&](const std::string& name) { return IsLeftoverOf(file, name); })) {
      continue;
    }
    // Only a regular file nobody is writing: a save in progress holds a lock on its file.
    const int fd = ::openat(::dirfd(dir), file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(::dirfd(dir), file.c_str(), 0);
    }
    ::close(fd);
  }
  ::closedir(dir);
}

}  // namespace quandel
