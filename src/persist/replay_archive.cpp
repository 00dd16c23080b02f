#include "persist/replay_archive.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>

#include "persist/replay_file.h"

namespace quandel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the `count` digits at `at`, which the caller has checked are digits.
int Number(const std::string& name, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (name[i] - '0');
  return value;
}

// "-2" ... "-99", as written for plays ending in the same second; no leading zero.
bool IsCollisionSuffix(std::string_view s) {
  if (s.size() < 2 || s.size() > 3 || s[0] != '-' || s[1] < '1' || s[1] > '9') return false;
  return s.size() == 2 ? s[1] >= '2' : IsDigit(s[2]);
}

// Anything at all under that name, a dangling link included.
bool Taken(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

}  // namespace

std::string ArchiveName(std::time_t when, int32_t score) {
  std::tm local{};
  localtime_r(&when, &local);
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d_%06d%s", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, std::clamp<int32_t>(score, 0, 999999),
                kReplayExtension);
  return name;
}

int32_t ArchivedScore(const std::string& name) {
  // Exactly YYYY-MM-DD_HH-MM-SS_SSSSSS.qreplay, or with -2 ... -99 before the extension: anything
  // else in the folder is the player's, however much it looks like ours.
  constexpr std::string_view kPattern = "dddd-dd-dd_dd-dd-dd_dddddd";
  const std::string_view extension = kReplayExtension;
  if (name.size() < kPattern.size() + extension.size() || !name.ends_with(extension)) return -1;
  for (size_t i = 0; i < kPattern.size(); ++i) {
    if (kPattern[i] == 'd' ? !IsDigit(name[i]) : name[i] != kPattern[i]) return -1;
  }
  const int month = Number(name, 5, 2), day = Number(name, 8, 2);
  if (month < 1 || month > 12 || day < 1 || day > 31 || Number(name, 11, 2) > 23 || Number(name, 14, 2) > 59 ||
      Number(name, 17, 2) > 60) {
    return -1;
  }
  const std::string_view suffix =
      std::string_view(name).substr(kPattern.size(), name.size() - kPattern.size() - extension.size());
  if (!suffix.empty() && !IsCollisionSuffix(suffix)) return -1;
  return Number(name, 20, 6);
}

std::vector<std::string> ReplaysToPrune(std::vector<std::string> names, size_t keepRecent, size_t keepBest) {
  std::erase_if(names, [](const std::string& n) { return ArchivedScore(n) < 0; });
  std::sort(names.begin(), names.end(), std::greater<>());  // newest first
  std::vector<std::string> best = names;
  std::stable_sort(best.begin(), best.end(),
                   [](const std::string& a, const std::string& b) { return ArchivedScore(a) > ArchivedScore(b); });
  best.resize(std::min(best.size(), keepBest));
  std::vector<std::string> prune;
  for (size_t i = keepRecent; i < names.size(); ++i) {
    if (std::find(best.begin(), best.end(), names[i]) == best.end()) prune.push_back(names[i]);
  }
  return prune;
}

bool ArchiveReplay(const DataDir& dir, const ReplayTable& table, int16_t replayPos, Rng rng, int32_t score,
                   std::time_t when) {
  const std::string folder = dir.PathOf(kReplayFolder);
  ::mkdir(folder.c_str(), 0755);
  const DataDir archive(folder);
  // Two plays ending in the same second: the later one gets -2, -3, ... before the extension. A
  // name held by anything, even a link or a folder, is passed by.
  const std::string first = ArchiveName(when, score);
  const std::string stem = first.substr(0, first.size() - std::string_view(kReplayExtension).size());
  std::string name = first;
  for (int n = 2; Taken(archive.PathOf(name)) && n < 100; ++n) name = stem + '-' + std::to_string(n) + kReplayExtension;
  ReplayTable kept;
  kept.replay.assign(table.replay.begin(), table.replay.end());
  kept.replayLast = static_cast<int16_t>(replayPos - 1);
  if (Taken(archive.PathOf(name)) || !archive.WriteAtomic(name, EncodeReplay(kept, rng))) return false;

  // Only regular files named as ours are counted and removed; lstat, so a link is never one.
  DIR* entries = ::opendir(folder.c_str());
  if (!entries) return true;
  const int fd = ::dirfd(entries);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(entries)) {
    struct stat st {};
    if (ArchivedScore(entry->d_name) >= 0 && ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  for (const std::string& old : ReplaysToPrune(std::move(names))) ::unlinkat(fd, old.c_str(), 0);
  ::closedir(entries);
  return true;
}

}  // namespace quandel
