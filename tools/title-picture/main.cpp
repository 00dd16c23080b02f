// quandel-title-picture: writes the title screen a first start shows, as a PNG.
//   quandel-title-picture ASSET_DIR OUT.png
// ASSET_DIR holds img/; no file of the player's is read or written.
//   quandel-title-picture --first-frame PLAY_DIR OUT.png
// The first title frame a program started in PLAY_DIR (holding img/; it receives the player's
// files) presents, before any input: what every other platform must show too.
#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/startup.h"
#include "frontend/title_screen.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_io.h"

namespace {

int FirstFrame(const std::string& dir, const std::string& out) {
  using namespace quandel;
  HeadlessPlatform platform;
  bool written = false;
  // The loading picture comes first, then the title.
  platform.SetPresentHook([&](const Surface& frame) {
    if (platform.presentedFrames() != 2) return;
    written = WritePng(out, frame);
    platform.Script(ScriptedEvent::Close());
  });
  App app(platform, DataDir(dir));
  if (RunProgram(app) != 0 || !written) {
    std::fprintf(stderr, "quandel-title-picture: no first title frame written to %s\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quandel;
  if (argc == 4 && std::string(argv[1]) == "--first-frame") return FirstFrame(argv[2], argv[3]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quandel-title-picture ASSET_DIR OUT.png\n");
    return 2;
  }
  const std::string assets = argv[1], out = argv[2];
  HeadlessPlatform platform;
  App app(platform, DataDir(assets));  // default settings and score table
  std::string error;
  if (!SetUpSurfaces(app.surfaces, app.settings.drawMode, assets, &error)) {
    std::fprintf(stderr, "quandel-title-picture: %s\n", error.c_str());
    return 1;
  }
  app.surfaces.titleSheet.Resize(288, 437);  // as the title screen sizes its sheet
  TitleView view;
  view.scroll = 60;             // two seconds into the column's scroll
  view.replayAvailable = true;  // as after the first recorded play, so every entry shows
  // The title draws one frame in frameSkip + 1 of the 60 a second.
  view.framesPerSecond = 60 / (app.settings.frameSkip + 1);
  ComposeTitle(app, view);
  if (!WritePng(out, app.surfaces.backBuffer)) {
    std::fprintf(stderr, "quandel-title-picture: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
