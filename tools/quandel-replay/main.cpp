// quandel-replay: plays a replay file headlessly and reports how it ended, traces every frame,
// writes the drawn frames as pictures, or makes a video of the play with its sound.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame_dump.h"
#include "app/headless_replay.h"
#include "asset_dir.h"
#include "game/trace.h"
#include "platform/headless/headless_platform.h"
#include "quandel_version.h"
#include "video_dispatch.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: quandel-replay [--trace] FILE\n"
               "       quandel-replay --frames DIR [--every N] [--scale K] [--assets DIR] [--draw-mode M] FILE\n"
               "  --frames DIR   write the drawn frames as DIR/frame_<frameNo>.png (DIR must exist)\n"
               "  --every N      only every N-th frame (default 1)\n"
               "  --scale K      enlarge each pixel K times (default 1)\n"
               "  --assets DIR   folder holding img/ and snd/ (default %s)\n"
               "  --draw-mode M  draw as draw mode M, 0 to 3 (default 0)\n"
               "       quandel-replay --video OUT [--scale K] [--draw-mode M] [--from S] [--to S]\n"
               "                      [--music on|off] [--effects on|half|off] [--assets DIR] FILE\n"
               "  --video OUT    write the play with its sound as OUT.mp4 (H.264, AAC) or OUT.webm (VP9, Opus),\n"
               "                 60 frames a second, each pixel enlarged K times (default 2)\n"
               "  --from, --to   only the part between these seconds of the play\n"
               "  --music, --effects  the sound settings to play it with (default on, on)\n",
               quandel::DefaultAssetDir().c_str());
  return 2;
}

// A whole positive number, or -1.
int Count(const char* text) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 0 || v > 1000000) return -1;
  return static_cast<int>(v);
}

}  // namespace

int main(int argc, char** argv) {
  if (quandel::PrintVersionIfAsked("quandel-replay", argc, argv)) return 0;
  if (quandel::AsksForVideo(argc, argv)) return quandel::RunVideoExport(argv);
  bool trace = false;
  bool frames = false;
  quandel::FrameDumpOptions dump;
  dump.assetDir = quandel::DefaultAssetDir();
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--trace") {
      trace = true;
    } else if (arg == "--frames" && hasValue) {
      frames = true;
      dump.outDir = argv[++i];
    } else if (arg == "--every" && hasValue) {
      dump.every = Count(argv[++i]);
    } else if (arg == "--scale" && hasValue) {
      dump.scale = Count(argv[++i]);
    } else if (arg == "--assets" && hasValue) {
      dump.assetDir = argv[++i];
    } else if (arg == "--draw-mode" && hasValue) {
      dump.drawMode = Count(argv[++i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage();
    } else if (file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (file.empty() || trace + frames > 1) return Usage();

  std::string error;
  if (frames) {
    const auto outcome = quandel::DumpReplayFrames(file, dump, &error);
    if (!outcome) {
      std::fprintf(stderr, "quandel-replay: %s\n", error.c_str());
      return 2;
    }
    std::printf("score=%d stage=%d frames=%d\n", outcome->score, outcome->stage, outcome->frameNo);
    return 0;
  }

  quandel::ReplayTable table;
  if (!quandel::LoadReplayFile(file, table, &error)) {
    std::fprintf(stderr, "quandel-replay: %s\n", error.c_str());
    return 2;
  }
  quandel::ReplayRun run(std::move(table));
  while (run.Step()) {
    if (!trace || !run.simulated()) continue;
    const std::string line = quandel::TraceLine(run.play(), run.TakeSounds());
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  const quandel::ReplayOutcome outcome = run.outcome();
  if (!trace) std::printf("score=%d stage=%d frames=%d\n", outcome.score, outcome.stage, outcome.frameNo);
  return 0;
}
