// Quandel: the game in its window. It plays in the working directory, which holds img/ and snd/
// and receives config.txt, scr.hsc, replay.dat and window.txt.
#include <cstdio>

#include "app/app.h"
#include "app/startup.h"
#include "persist/window_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  try {
    quandel::SdlMixerAudio audio;  // silent when there is no device; outlives the platform
    const quandel::DataDir dir(".");
    quandel::SdlPlatform platform(&audio, quandel::LoadWindowPlacement(dir));
    quandel::App app(platform, dir);
    const int status = quandel::Form_Load(app);
    quandel::SaveWindowPlacement(dir, platform.placement());
    return status;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quandel: %s\n", e.what());
    return 1;
  }
}
