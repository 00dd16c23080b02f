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
