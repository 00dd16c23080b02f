// Quandel: the game in its window. It plays in the working directory, which holds img/ and snd/
// and receives config.txt, scr.hsc, replay.dat and window.txt.
#include <cstdio>

#include "app/app.h"
#include "frontend/title_screen.h"
#include "app/window_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "quandel_version.h"
#include "sound/mixer_sound.h"
#include "sound/soundfont.h"

int main(int argc, char** argv) {
  if (quandel::PrintVersionIfAsked("quandel", argc, argv)) return 0;
  try {
    // Silent when there is no device; both outlive the platform.
    const auto mixer = quandel::SdlMixerPort::Open(quandel::FindSoundFont());
    quandel::MixerSound audio(*mixer);
    const quandel::DataDir dir(".");
    quandel::SdlPlatform platform(&audio, quandel::LoadWindowPlacement(dir));
    quandel::App app(platform, dir);
    const int status = quandel::RunProgram(app);
    quandel::SaveWindowPlacement(dir, platform.placement());
    return status;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quandel: %s\n", e.what());
    return 1;
  }
}
