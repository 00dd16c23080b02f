// Quandel in a web page. The player's files live in /quandel, kept in the browser's IndexedDB by
// the page; the game's pictures and sounds are packaged under /assets and linked in as img/ and
// snd/. Between two titles the page may ask to watch a replay file.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/headless_replay.h"
#include "frontend/title_screen.h"
#include "frontend/watch_file.h"
#include "platform/web/web_mixer.h"
#include "platform/web/web_platform.h"
#include "sound/mixer_sound.h"

// For the page's list of kept plays: the score and stage a replay file ends with, as
// "score stage", or "" when it cannot be read.
extern "C" EMSCRIPTEN_KEEPALIVE const char* qw_replay_summary(const char* path) {
  static std::string text;
  quandel::ReplayTable table;
  text.clear();
  if (!quandel::LoadReplayFile(path, table, nullptr)) return text.c_str();
  quandel::ReplayRun run(std::move(table));
  while (run.Step()) {
  }
  text = std::to_string(run.outcome().score) + " " + std::to_string(run.outcome().stage);
  return text.c_str();
}

int main() {
  // The sound glue: the game's channel commands and wave images go through the sound layer to the
  // Web Audio mixer. Both outlive the platform.
  quandel::WebMixerPort mixer;
  quandel::MixerSound audio(mixer);
  quandel::WebPlatform platform(&audio);
  const quandel::DataDir dir(".");
  for (;;) {
    quandel::App app(platform, dir);
    const std::string watch = platform.TakeWatchRequest();
    quandel::ReplayTable table;
    std::string error;
    if (watch.empty()) {
      if (quandel::RunProgram(app) != 0) return 1;
    } else if (!quandel::LoadReplayFile(watch, table, &error)) {
      platform.MessageBox("Quandel", error);
    } else if (quandel::WatchFile(app, table) != 0) {
      return 1;
    }
  }
}
