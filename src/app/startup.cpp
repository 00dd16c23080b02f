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
  v.picBack.SetOuterSize(642, 482);
  v.picBack2.SetOuterSize(642, 482);
  v.picBack2.SetForeColour(Rgb(60, 60, 60));
  v.picMain.SetOuterSize(642, 482);
  // Sheets a draw mode never reads are kept at 2 x 2; they are loaded all the same.
  if (drawMode % 2 == 1) {
    v.picChara.SetOuterSize(2, 2);
  } else {
    v.picChara.SetOuterSize(386, 258);
  }
  if (!LoadSheet(v.picChara, assetDir, "img/cube.bmp", error)) return false;
  v.picTitle.SetOuterSize(290, 364);
  if (!LoadSheet(v.picTitle, assetDir, "img/title.bmp", error)) return false;
  v.picLogo.SetOuterSize(382, 399);  // the HUD sheet and a 1-pixel border
  if (!LoadSheet(v.picLogo, assetDir, "img/lg.bmp", error)) return false;

  // The fire sheet: 15 frames of 90 px in two colour sets; the large fire's scratch is 240 x 480.
  const int f = 1 - drawMode / 2;
  v.picFire.SetOuterSize(45 * 15 * 2 * f + 2, 45 * 12 * f + 2);
  v.picFire2.SetOuterSize(120 * 2 * f + 2, 120 * 4 * f + 2);

  v.picFire.Clear();
  v.picFire.SetFillStyle(FillStyle::kSolid);
  std::array<float, 8> radii{};
  if (drawMode <= 1) GenerateFireSheet(v.picFire, kDefaultColours, radii);
  return true;
}

int Form_Load(App& app) {
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
  app.platform.Present(app.surfaces.picMain);

  if (app.settings.replaySave == 0) {
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
