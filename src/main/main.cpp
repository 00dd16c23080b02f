// Quandel: the game in its window. It plays in the working directory, which holds img/ and snd/
// and receives config.txt, scr.hsc and replay.dat.
#include <cstdio>

#include "app/app.h"
#include "frontend/title_screen.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "quandel_version.h"

int main(int argc, char** argv) {
  if (quandel::PrintVersionIfAsked("quandel", argc, argv)) return 0;
  try {
    quandel::SdlMixerAudio audio;  // silent when there is no device; outlives the platform
    quandel::SdlPlatform platform(&audio);
    quandel::App app(platform, quandel::DataDir("."));
    return quandel::RunProgram(app);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quandel: %s\n", e.what());
    return 1;
  }
}
