#include "app/startup.h"

#include "app/app.h"
#include "app/fire_sheet.h"

namespace quandel {

namespace {

bool LoadSheet(Surface& surface, const std::string& assetDir, const char* name, std::string* error) {
  const std::string path = (assetDir.empty() || assetDir == "." ? std::string() : assetDir + "/") + name;
  if (surface.LoadBmp(path)) return true;
  if (error) *error = "cannot load " + path;
  return false;
}

}  // namespace

bool SetUpSurfaces(App& app, const std::string& assetDir, std::string* error) {
  Surfaces& v = app.surfaces;
  GameState& s = app.state;
  v.picBack.SetOuterSize(642, 482);
  v.picBack2.SetOuterSize(642, 482);
  v.picBack2.SetForeColour(Rgb(60, 60, 60));
  v.picMain.SetOuterSize(642, 482);
  // Sheets a draw mode never reads are kept at 2 x 2; they are loaded all the same.
  if (s.drawMode % 2 == 1) {
    v.picChara.SetOuterSize(2, 2);
  } else {
    v.picChara.SetOuterSize(386, 258);
  }
  if (!LoadSheet(v.picChara, assetDir, "img/cube.bmp", error)) return false;
  v.picTitle.SetOuterSize(290, 364);
  if (!LoadSheet(v.picTitle, assetDir, "img/title.bmp", error)) return false;
  v.picLogo.SetOuterSize(382, 375);
  if (!LoadSheet(v.picLogo, assetDir, "img/lg.bmp", error)) return false;

  s.scratch[0] = 45;
  const int f = 1 - s.drawMode / 2;
  v.picFire.SetOuterSize(static_cast<int>(s.scratch[0]) * 15 * 2 * f + 2, static_cast<int>(s.scratch[0]) * 12 * f + 2);
  s.scratch[0] = 120;
  v.picFire2.SetOuterSize(static_cast<int>(s.scratch[0]) * 2 * f + 2, static_cast<int>(s.scratch[0]) * 4 * f + 2);
  s.scratch[0] = 45;

  s.colours = {Rgb(80, 110, 170), Rgb(170, 110, 80), Rgb(80, 80, 80), Rgb(140, 140, 140)};
  v.picFire.Clear();
  v.picFire.SetFillStyle(FillStyle::kSolid);
  if (s.drawMode <= 1) GenerateFireSheet(v.picFire, s.colours, s.scratch);
  return true;
}

}  // namespace quandel

#include <cstdio>

#include "frontend/title_screen.h"
#include "render/draw_common.h"
#include "render/play_frame.h"
#include "persist/high_scores.h"
#include "persist/replay_file.h"
#include "persist/settings.h"
#include "sound/sound_channels.h"

namespace quandel {

namespace {

// The two busy labels on grey while the rest loads.
void ShowLoadingPicture(App& app) {
  Surfaces& v = app.surfaces;
  v.picBack.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
  BitBlt(v.picBack, 130, 200, 100, 20, v.picTitle, 50, 230, SRCPAINT);
  BitBlt(v.picBack, 130, 200, 100, 20, v.picTitle, 50, 210, SRCAND);
  BitBlt(v.picBack, 230, 200, 100, 20, v.picTitle, 50, 270, SRCPAINT);
  BitBlt(v.picBack, 230, 200, 100, 20, v.picTitle, 50, 250, SRCAND);
  BitBlt(v.picMain, 0, 0, 640, 480, v.picBack, 0, 0, SRCCOPY);
  app.platform.Present(v.picMain);
}

}  // namespace

void InstallHandlers(App& app) {
  app.composePlayFrame = ComposePlayFrame;
  app.reopenSoundChannels = OpenSoundChannels;
  // Settings clicks show the busy labels straight on the screen while the channels reopen.
  app.showBusyOverlay = [](App& a) {
    Surfaces& v = a.surfaces;
    BitBlt(v.picMain, 420, 400, 100, 20, v.picTitle, 50, 230, SRCPAINT);
    BitBlt(v.picMain, 420, 400, 100, 20, v.picTitle, 50, 210, SRCAND);
    BitBlt(v.picMain, 520, 400, 100, 20, v.picTitle, 50, 270, SRCPAINT);
    BitBlt(v.picMain, 520, 400, 100, 20, v.picTitle, 50, 250, SRCAND);
    a.platform.Present(v.picMain);
  };
  // The play hands its last picture to the title screen, which opens from it.
  app.onPlayOver = [](App& a) {
    a.surfaces.picBack2.SetOuterSize(642, 482);
    BitBlt(a.surfaces.picBack2, 0, 0, 640, 480, a.surfaces.picBack, 0, 0, SRCCOPY);
  };
}

int Form_Load(App& app) {
  GameState& s = app.state;
  app.dir.RemoveLeftovers({kSettingsFileName, kHighScoreFileName, kReplayFileName});
  LoadSettings(s, app.dir);
  CloseBombChannels(app.platform);
  std::string error;
  if (!SetUpSurfaces(app, app.dir.path(), &error)) {
    std::fprintf(stderr, "quandel: %s\n", error.c_str());
    app.platform.MessageBox("Quandel", error);
    return 1;
  }
  ShowLoadingPicture(app);
  app.surfaces.picBack2.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));

  if (s.replaySave == 0) {
    s.replay.assign(kReplaySlots, ReplayRecord{});
    LoadReplay(s, app.dir);
  } else {
    s.replay.assign(kReplaySlotsOff, ReplayRecord{});
  }
  LoadHighScores(s, app.dir);
  SaveHighScores(s, app.dir);
  OpenSoundChannels(app);
  app.acceptWheel = true;

  InstallHandlers(app);
  TitleScreen(app);
  return 0;
}

}  // namespace quandel
