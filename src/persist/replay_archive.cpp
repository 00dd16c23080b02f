#include "persist/replay_archive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "persist/replay_file.h"

namespace quandel {

std::string ArchiveName(std::time_t when, int32_t score) {
  std::tm local{};
  localtime_r(&when, &local);
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d_%06d%s", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec, std::clamp<int32_t>(score, 0, 999999), kReplayExtension);
  return name;
}

int32_t ArchivedScore(const std::string& name) {
  // YYYY-MM-DD_HH-MM-SS_SSSSSS.qreplay, possibly with -N before the extension.
  if (name.size() < 26 + 8 || name[4] != '-' || name[10] != '_' || name[19] != '_' || (name[26] != '.' && name[26] != '-') ||
      !name.ends_with(kReplayExtension)) {
    return -1;
  }
  int32_t score = 0;
  for (size_t i = 20; i < 26; ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    score = score * 10 + (name[i] - '0');
  }
  return score;
}

std::vector<std::string> ReplaysToPrune(std::vector<std::string> names, size_t keepRecent, size_t keepBest) {
  std::erase_if(names, [](const std::string& n) { return ArchivedScore(n) < 0; });
  std::sort(names.begin(), names.end(), std::greater<>());  // newest first
  std::vector<std::string> best = names;
  std::stable_sort(best.begin(), best.end(), [](const std::string& a, const std::string& b) { return ArchivedScore(a) > ArchivedScore(b); });
  best.resize(std::min(best.size(), keepBest));
  std::vector<std::string> prune;
  for (size_t i = keepRecent; i < names.size(); ++i) {
    if (std::find(best.begin(), best.end(), names[i]) == best.end()) prune.push_back(names[i]);
  }
  return prune;
}

bool ArchiveReplay(const DataDir& dir, const ReplayTable& table, int16_t replayPos, Rng rng, int32_t score, std::time_t when) {
  const std::string folder = dir.PathOf(kReplayFolder);
  ::mkdir(folder.c_str(), 0755);
  const DataDir archive(folder);
  // Two plays ending in the same second: the later one gets -2, -3, ... before the extension.
  const std::string first = ArchiveName(when, score);
  const std::string stem = first.substr(0, first.size() - std::string_view(kReplayExtension).size());
  std::string name = first;
  for (int n = 2; archive.Exists(name) && n < 100; ++n) name = stem + '-' + std::to_string(n) + kReplayExtension;
  ReplayTable kept;
  kept.replay.assign(table.replay.begin(), table.replay.end());
  kept.replayLast = static_cast<int16_t>(replayPos - 1);
  if (!archive.WriteAtomic(name, EncodeReplay(kept, rng))) return false;

  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
  for (const std::string& old : ReplaysToPrune(std::move(names))) std::filesystem::remove(std::filesystem::path(folder) / old, ec);
  return true;
}

}  // namespace quandel
