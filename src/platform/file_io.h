// Reading and replacing whole files without trusting what sits at the path: a pipe, a device or
// a folder in place of a file must neither hang nor be written through, and a file-size limit
// must make a write fail instead of ending the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quandel {

// The first `limit` bytes of a regular file (or a link to one); nothing when the path is missing,
// unreadable, or anything but a regular file. Never blocks on a pipe.
std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, size_t limit);

// Writes `bytes` to a fresh temporary file beside `path` and renames it over `path`. A link or a
// pipe at `path` is replaced, never followed, so nothing outside the folder is touched. False (and
// no temporary file left) when any step fails.
bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

// Writes all of `bytes` at the file's current offset, retrying after signals and short writes.
bool WriteAll(int fd, const uint8_t* data, size_t size);

// A write past the file-size limit then fails with EFBIG like any other failed write, instead of
// the signal ending the process. Safe to call any number of times.
void IgnoreFileSizeSignal();

}  // namespace quandel
