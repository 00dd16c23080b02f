// Quandel: the game in its window. It plays in the working directory, which holds img/ and snd/
// and receives config.txt, scr.hsc, replay.dat, window.txt and replays/.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/app.h"
#include "app/headless_replay.h"
#include "persist/window_file.h"
#include "frontend/title_screen.h"
#include "frontend/watch_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "quandel_version.h"
#include "sound/mixer_sound.h"
#include "sound/soundfont.h"

namespace {

void Usage(FILE* to) {
  std::fprintf(to,
               "usage: quandel [--watch] [FILE]\n"
               "  Plays Quandel in a window, keeping its files in the working folder.\n"
               "  --watch FILE, FILE  watch a replay file (replay.dat or a .qreplay) and quit when it ends;\n"
               "                      Space pauses, Right steps, Up/Down change the speed, Left, Page Up,\n"
               "                      Page Down and Home seek, Esc leaves\n"
               "  --help              this text\n"
               "  --version           the version\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (quandel::PrintVersionIfAsked("quandel", argc, argv)) return 0;
  std::string watch;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      Usage(stdout);
      return 0;
    }
    if (std::strcmp(arg, "--watch") == 0 && i + 1 < argc && watch.empty()) {
      watch = argv[++i];
    } else if (arg[0] != '-' && watch.empty()) {
      watch = arg;
    } else {
      Usage(stderr);
      return 2;
    }
  }
  // A file that cannot be watched is said before any window opens.
  quandel::ReplayTable table;
  std::string error;
  if (!watch.empty() && !quandel::LoadReplayFile(watch, table, &error)) {
    std::fprintf(stderr, "quandel: %s\n", error.c_str());
    return 2;
  }
  try {
    // Silent when there is no device; both outlive the platform.
    const auto mixer = quandel::SdlMixerPort::Open(quandel::FindSoundFont());
    quandel::MixerSound audio(*mixer);
    const quandel::DataDir dir(".");
    quandel::SdlPlatform platform(&audio, quandel::LoadWindowPlacement(dir));
    quandel::App app(platform, dir);
    const int status = watch.empty() ? quandel::RunProgram(app) : quandel::WatchFile(app, table);
    quandel::SaveWindowPlacement(dir, platform.placement());
    return status;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quandel: %s\n", e.what());
    return 1;
  }
}
