// Quandel: the game in its window. It plays in the working directory, which holds img/ and snd/
// and receives config.txt, scr.hsc and replay.dat.
#include <cstdio>

#include "app/app.h"
#include "frontend/title_screen.h"
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
    quandel::SdlPlatform platform(&audio);
    quandel::App app(platform, quandel::DataDir("."));
    return quandel::RunProgram(app);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quandel: %s\n", e.what());
    return 1;
  }
}
