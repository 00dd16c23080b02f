// Quandel: the game in its window. It plays in the player's data folder, or in the folder it is
// started in when that holds img/ (see play_folder.h).
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/headless_replay.h"
#include "frontend/title_screen.h"
#include "frontend/watch_file.h"
#include "help_text.h"
#include "persist/window_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "play_folder.h"
#include "quandel_version.h"
#include "sound/mixer_sound.h"
#include "sound/soundfont.h"

namespace {

int Fail(const std::string& why, int status) {
  std::fprintf(stderr, "quandel: %s\n", why.c_str());
  return status;
}

// window.txt's record and the platform's placement hold the same six values.
std::optional<quandel::WindowPlacement> Placement(const std::optional<quandel::SavedWindow>& w) {
  if (!w) return std::nullopt;
  return quandel::WindowPlacement{w->x, w->y, w->width, w->height, w->centred, w->fullscreen};
}

quandel::SavedWindow Saved(const quandel::WindowPlacement& p) {
  return {p.x, p.y, p.width, p.height, p.centred, p.fullscreen};
}

}  // namespace

int main(int argc, char** argv) {
  std::string watch;
  bool help = false, version = false;
  std::vector<std::string> files;
  const std::string wrong = quandel::ParseCommandLine(
      quandel::QuandelHelp(), argc, argv,
      [&](const std::string& name, const char* value) {
        if (name == "watch") watch = value;
        help = help || name == "help";
        version = version || name == "version";
        return std::string();
      },
      files);
  if (!wrong.empty()) return Fail(wrong + " (see quandel --help)", 2);
  if (help) {
    quandel::PrintHelp(stdout, quandel::QuandelHelp());
    return 0;
  }
  if (version) {
    std::printf("quandel %s\n", QUANDEL_VERSION);
    return 0;
  }
  if (!watch.empty()) files.insert(files.begin(), watch);
  if (files.size() > 1) return Fail("one replay file at a time", 2);
  // A file that cannot be watched is said before any window opens; it is read before the game
  // moves to its folder, so a relative name means what the user typed.
  quandel::ReplayTable table;
  std::string error;
  if (!files.empty() && !quandel::LoadReplayFile(files[0], table, &error)) return Fail(error, 2);
  if (const std::string why = quandel::EnterPlayFolder(); !why.empty()) return Fail(why, 1);
  try {
    // The sound device (silent when there is none) outlives the window object, whose sound
    // output plays on it the sound files of the data folder.
    const auto mixer = quandel::SdlMixerPort::Open(quandel::FindSoundFont());
    const quandel::DataDir dir(".");
    quandel::SdlPlatform platform(Placement(quandel::LoadWindowPlacement(dir)));
    quandel::App app(platform, dir, std::make_unique<quandel::MixerSound>(*mixer, dir.path()));
    const int status = files.empty() ? quandel::RunProgram(app) : quandel::WatchFile(app, table);
    quandel::SaveWindowPlacement(dir, Saved(platform.placement()));
    return status;
  } catch (const std::exception& e) { return Fail(e.what(), 1); }
}
