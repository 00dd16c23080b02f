#include "app/startup.h"

#include <cstdio>

#include "app/app.h"
#include "persist/high_scores.h"
#include "persist/replay_file.h"
#include "persist/settings.h"
#include "render/fire_sheet.h"
#include "render/screen_changes.h"

namespace quandel {

namespace {

bool LoadSheet(Surface& surface, const std::string& assetDir, const char* name, std::string* error) {
  const std::string path = (assetDir.empty() || assetDir == "." ? std::string() : assetDir + "/") + name;
  if (surface.LoadBmp(path)) return true;
  if (error) *error = "cannot load " + path;
  return false;
}

}  // namespace

bool SetUpSurfaces(Surfaces& v, uint8_t drawMode, const std::string& assetDir, std::string* error) {
  v.backBuffer.Resize(640, 480);
  v.previousPicture.Resize(640, 480);
  v.previousPicture.SetForeColour(Rgb(60, 60, 60));
  v.screen.Resize(640, 480);
  // Sheets a draw mode never reads are kept empty (0 x 0); they are loaded all the same.
  if (drawMode % 2 == 1) {
    v.boxSheet.Resize(0, 0);
  } else {
    v.boxSheet.Resize(384, 256);
  }
  if (!LoadSheet(v.boxSheet, assetDir, "img/cube.bmp", error)) return false;
  v.titleSheet.Resize(288, 362);
  if (!LoadSheet(v.titleSheet, assetDir, "img/title.bmp", error)) return false;
  v.hudSheet.Resize(380, 397);
  if (!LoadSheet(v.hudSheet, assetDir, "img/lg.bmp", error)) return false;

  // The fire sheet: 15 frames of 90 px in two colour sets; the large fire's scratch is 240 x 480.
  const int f = 1 - drawMode / 2;
  v.fireSheet.Resize(45 * 15 * 2 * f, 45 * 12 * f);
  v.largeFire.Resize(120 * 2 * f, 120 * 4 * f);

  v.fireSheet.Clear();
  v.fireSheet.SetFillStyle(FillStyle::kSolid);
  std::array<float, 8> radii{};
  if (drawMode <= 1) GenerateFireSheet(v.fireSheet, kDefaultColours, radii);
  return true;
}

int StartUp(App& app) {
  app.dir.RemoveLeftovers({kSettingsFileName, kHighScoreFileName, kReplayFileName});
  LoadSettings(app.settings, app.dir);
  CloseBombChannels(*app.sound);
  std::string error;
  if (!SetUpSurfaces(app.surfaces, app.settings.drawMode, app.dir.path(), &error)) {
    std::fprintf(stderr, "quandel: %s\n", error.c_str());
    app.platform.MessageBox("Quandel", error);
    return 1;
  }
  ComposeLoadingPicture(app.surfaces);
  app.platform.Present(app.surfaces.screen);

  if (!app.settings.recordingOff) {
    app.replay.replay.assign(kReplaySlots, ReplayRecord{});
    LoadReplay(app.replay, app.dir);
  } else {
    app.replay.replay.assign(kReplaySlotsOff, ReplayRecord{});
  }
  LoadHighScores(app.settings, app.scores, app.play.rng, app.dir);
  SaveHighScores(app.settings, app.scores, app.play.rng, app.dir);
  ReopenSoundChannels(app);
  app.acceptWheel = true;
  return 0;
}

}  // namespace quandel
