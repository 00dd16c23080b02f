// quandel-replay: plays replay files headlessly and reports how they ended, traces every frame,
// writes the drawn frames as pictures, or makes a video of the play with its sound.
#include <cstdio>
#include <string>

#include "app/headless_replay.h"
#include "frame_dump.h"
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
  std::string error;
  return quandel::PrintReplay(file, true, stdout, &error) ? 0 : Fail(error);
}

}  // namespace

int main(int argc, char** argv) {
  // The video export is a program of its own with the video libraries; this one stays lean.
  if (quandel::AsksForVideo(argc, argv)) return quandel::RunVideoExport(argv);
  auto parsed = quandel::ParseReplayOptions(argc, argv);
  if (const auto* wrong = std::get_if<std::string>(&parsed)) { return Fail(*wrong + " (see quandel-replay --help)"); }
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
