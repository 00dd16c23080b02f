// quandel-replay: plays replay files headlessly and reports how they ended, traces every frame,
// writes the drawn frames as pictures, or makes a video of the play with its sound.
#include <cstdio>
#include <string>

#include "app/headless_replay.h"
#include "frame_dump.h"
#include "game/trace.h"
#include "help_text.h"
#include "quandel_version.h"
#include "replay_options.h"
#include "replay_summary.h"
#include "video_dispatch.h"

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "quandel-replay: %s\n", why.c_str());
  return 2;
}

// Every simulated frame's state as a JSON line.
int Trace(const std::string& file) {
  quandel::ReplayTable table;
  std::string error;
  if (!quandel::LoadReplayFile(file, table, &error)) return Fail(error);
  quandel::ReplayRun run(std::move(table));
  while (run.Step()) {
    if (!run.simulated()) continue;
    const std::string line = quandel::TraceLine(run.play(), run.TakeSounds());
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The video export is a program of its own with the video libraries; this one stays lean.
  if (quandel::AsksForVideo(argc, argv)) return quandel::RunVideoExport(argv);
  auto parsed = quandel::ParseReplayOptions(argc, argv);
  if (const auto* wrong = std::get_if<std::string>(&parsed)) {
    return Fail(*wrong + " (see quandel-replay --help)");
  }
  quandel::ReplayOptions& o = std::get<quandel::ReplayOptions>(parsed);
  std::string error;
  switch (o.mode) {
    case quandel::ReplayMode::kHelp: quandel::PrintHelp(stdout, quandel::ReplayHelp()); return 0;
    case quandel::ReplayMode::kVersion: std::printf("quandel-replay %s\n", QUANDEL_VERSION); return 0;
    case quandel::ReplayMode::kTrace: return Trace(o.files[0]);
    case quandel::ReplayMode::kSummary: return quandel::PrintSummaries(o.files, o.jobs);
    case quandel::ReplayMode::kFrames: {
      const auto outcome = quandel::DumpReplayFrames(o.files[0], o.frames, &error);
      if (!outcome) return Fail(error);
      std::printf("%s\n", quandel::SummaryLine(*outcome).c_str());
      return 0;
    }
  }
  return 2;
}
