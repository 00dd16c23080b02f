// quandel-replay: plays a replay file headlessly and reports how it ended, traces every frame,
// writes the drawn frames as pictures, or makes a video of the play with its sound.
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/frame_dump.h"
#include "app/headless_replay.h"
#include "asset_dir.h"
#include "platform/headless/headless_platform.h"
#include "quandel_version.h"
#include "sound/soundfont.h"
#include "video.h"

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

// Seconds, 0 or more, or -1.
double Seconds(const char* text) {
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(v) && v >= 0 ? v : -1;
}

// The index of `text` among `words`, or -1.
int Choice(const std::string& text, std::initializer_list<const char*> words) {
  int i = 0;
  for (const char* w : words) {
    if (text == w) return i;
    ++i;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (quandel::PrintVersionIfAsked("quandel-replay", argc, argv)) return 0;
  bool trace = false;
  bool frames = false;
  quandel::FrameDumpOptions dump;
  dump.assetDir = quandel::DefaultAssetDir();
  bool video = false, scaled = false;
  quandel::VideoOptions clip;
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
      scaled = true;
    } else if (arg == "--video" && hasValue) {
      video = true;
      clip.outPath = argv[++i];
    } else if (arg == "--from" && hasValue) {
      if ((clip.from = Seconds(argv[++i])) < 0) return Usage();
    } else if (arg == "--to" && hasValue) {
      if ((clip.to = Seconds(argv[++i])) < 0) return Usage();
    } else if (arg == "--music" && hasValue) {
      const int on = Choice(argv[++i], {"off", "on"});
      if (on < 0) return Usage();
      clip.musicOff = on == 0;
    } else if (arg == "--effects" && hasValue) {
      // The settings count down: 0 is every effect, 2 none.
      if ((clip.effectsLevel = Choice(argv[++i], {"on", "half", "off"})) < 0) return Usage();
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
  if (file.empty() || trace + frames + video > 1) return Usage();

  std::string error;
  if (video) {
    clip.assetDir = dump.assetDir;
    clip.drawMode = dump.drawMode;
    clip.scale = scaled ? dump.scale : 2;
    clip.soundFont = quandel::FindSoundFont();  // the one the game would find
    clip.progress = isatty(STDERR_FILENO) != 0;
    if (clip.soundFont.empty() && !clip.musicOff)
      std::fprintf(stderr, "quandel-replay: no soundfont found; the music stays silent\n");
    if (!quandel::WriteReplayVideo(file, clip, &error)) {
      std::fprintf(stderr, "quandel-replay: %s\n", error.c_str());
      return 2;
    }
    return 0;
  }
  if (frames) {
    const auto outcome = quandel::DumpReplayFrames(file, dump, &error);
    if (!outcome) {
      std::fprintf(stderr, "quandel-replay: %s\n", error.c_str());
      return 2;
    }
    std::printf("score=%d stage=%d frames=%d\n", outcome->score, outcome->stage, outcome->frameNo);
    return 0;
  }

  if (!quandel::PrintReplay(file, trace, stdout, &error)) {
    std::fprintf(stderr, "quandel-replay: %s\n", error.c_str());
    return 2;
  }
  return 0;
}
