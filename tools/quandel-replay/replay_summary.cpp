#include "replay_summary.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

namespace quandel {

namespace {

// The file's summary, or the reason it could not be played (naming the file).
struct Played {
  std::optional<ReplayOutcome> outcome;
  std::string error;
};

Played Play(const std::string& file) {
  Played result;
  ReplayTable table;
  if (!LoadReplayFile(file, table, &result.error)) return result;
  ReplayRun run(std::move(table));
  while (run.Step()) continue;
  result.outcome = run.outcome();
  return result;
}

}  // namespace

std::string SummaryLine(const ReplayOutcome& outcome) {
  return "score=" + std::to_string(outcome.score) + " stage=" + std::to_string(outcome.stage + 1) +
         " frames=" + std::to_string(outcome.frameNo);
}

int PrintSummaries(const std::vector<std::string>& files, int jobs) {
  if (files.size() == 1) {
    const Played p = Play(files[0]);
    if (!p.outcome) {
      std::fprintf(stderr, "quandel-replay: %s\n", p.error.c_str());
      return 2;
    }
    std::printf("%s\n", SummaryLine(*p.outcome).c_str());
    return 0;
  }
  if (jobs <= 0) jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::optional<Played>> results(files.size());
  std::mutex mutex;
  std::condition_variable ready;
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i; (i = next++) < files.size();) {
      Played p = Play(files[i]);
      const std::lock_guard lock(mutex);
      results[i] = std::move(p);
      ready.notify_all();
    }
  };
  std::vector<std::jthread> workers;
  for (int k = 0; k < std::min<int>(jobs, static_cast<int>(files.size())); ++k) workers.emplace_back(work);
  // Printed in order as soon as each is known, so a long list shows progress.
  int status = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    std::unique_lock lock(mutex);
    ready.wait(lock, [&] { return results[i].has_value(); });
    const Played& p = *results[i];
    if (p.outcome) {
      std::printf("%s: %s\n", files[i].c_str(), SummaryLine(*p.outcome).c_str());
    } else {
      std::printf("%s\n", p.error.c_str());
      status = 2;
    }
    std::fflush(stdout);
  }
  return status;
}

}  // namespace quandel
