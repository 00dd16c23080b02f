// Quandel in a web page. The player's files live in /quandel, kept in the browser's IndexedDB by
// the page; the game's pictures and sounds are packaged under /assets and linked in as img/ and
// snd/. Between two titles the page may ask to watch a replay file.
#include <emscripten.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/app.h"
#include "app/headless_replay.h"
#include "frontend/title_screen.h"
#include "frontend/watch_file.h"
#include "persist/high_scores.h"
#include "platform/web/web_mixer.h"
#include "platform/web/web_platform.h"
#include "sound/mixer_sound.h"

namespace {

quandel::App* current = nullptr;
const quandel::App* settingsOf = nullptr;  // whose settings `saved` holds
quandel::Settings saved;

// The title's choices, as they are saved (the frame skip that AUTO picks is not a choice).
bool SameChoices(const quandel::Settings& a, const quandel::Settings& b) {
  return a.musicOff == b.musicOff && a.effectsLevel == b.effectsLevel && a.autoFrameSkip == b.autoFrameSkip &&
         (a.autoFrameSkip != 0 || a.frameSkip == b.frameSkip);
}

// A page can be left at any moment, with no time to save as a closing window does: a setting
// chosen on the title is saved at once. The scramble digits come from a copy of the generator, so
// the next play draws the numbers it would have drawn.
void SaveChangedSettings() {
  if (!current || current->menu.inPlay != 0) return;
  // The first pump comes after the start-up has loaded the settings.
  if (settingsOf != current) {
    settingsOf = current;
    saved = current->settings;
  }
  if (SameChoices(current->settings, saved)) return;
  saved = current->settings;
  quandel::Rng rng = current->play.rng;
  quandel::SaveHighScores(current->settings, current->scores, rng, current->dir);
}

}  // namespace

// For the page's list of kept plays: the score and stage a replay file ends with, as
// "score stage", or "" when it cannot be read.
extern "C" EMSCRIPTEN_KEEPALIVE const char* qw_replay_summary(const char* path) {
  static std::string text;
  quandel::ReplayTable table;
  text.clear();
  if (!quandel::LoadReplayFile(path, table, nullptr)) return text.c_str();
  quandel::ReplayRun run(std::move(table));
  while (run.Step()) {}
  // The stage numbered as the game shows it (the state counts from 0).
  text = std::to_string(run.outcome().score) + " " + std::to_string(run.outcome().stage + 1);
  return text.c_str();
}

namespace {

// The title screen until the page asks for a replay file, or that file in the theatre.
int RunOnce(quandel::App& app, quandel::WebPlatform& platform) {
  const std::string watch = platform.TakeWatchRequest();
  if (watch.empty()) return quandel::RunProgram(app);
  quandel::ReplayTable table;
  std::string error;
  if (quandel::LoadReplayFile(watch, table, &error)) return quandel::WatchFile(app, table);
  platform.MessageBox("Quandel", error);
  return 0;
}

}  // namespace

int main() {
  // The Web Audio mixer outlives every game object, whose sound output plays on it the sound
  // files of the data folder.
  quandel::WebMixerPort mixer;
  quandel::WebPlatform platform;
  platform.SetYieldHook(SaveChangedSettings);
  const quandel::DataDir dir(".");
  for (;;) {
    quandel::App app(platform, dir, std::make_unique<quandel::MixerSound>(mixer, dir.path()));
    current = &app;
    const int status = RunOnce(app, platform);
    current = nullptr;
    if (status != 0) return status;
  }
}
