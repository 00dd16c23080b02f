// gen-art: writes the game's bitmap sheets and enlarged previews of them.
//   gen-art <img-dir> [<preview-dir>] [--fonts <dir>]
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "art.h"

using namespace quandel::art;

int main(int argc, char** argv) {
  std::string img_dir, preview_dir, font_dir = DefaultFontDir();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
      font_dir = argv[++i];
    } else if (img_dir.empty()) {
      img_dir = argv[i];
    } else if (preview_dir.empty()) {
      preview_dir = argv[i];
    } else {
      img_dir.clear();
      break;
    }
  }
  if (img_dir.empty()) {
    std::fprintf(stderr, "usage: gen-art <img-dir> [<preview-dir>] [--fonts <dir>]\n");
    return 2;
  }
  try {
    const Fonts fonts(font_dir);
    const Image boxes = DrawBoxSheet(), title = DrawTitleSheet(fonts), hud = DrawHudSheet(fonts);
    const Image help = DrawHelpSheet(fonts);
    struct Out {
      const char* name;
      const Image& image;
      int previewScale;  // the page is a whole screen already
    } outs[] = {{"cube", boxes, 3}, {"title", title, 3}, {"lg", hud, 3}, {"help", help, 1}};
    for (const Out& o : outs) {
      const std::string path = img_dir + "/" + o.name + ".bmp";
      if (!WriteFile(path, EncodeBmp(o.image))) {
        std::fprintf(stderr, "gen-art: cannot write %s\n", path.c_str());
        return 1;
      }
      if (!preview_dir.empty() && !WritePng(Enlarge(o.image, o.previewScale), preview_dir + "/" + o.name + ".png")) {
        std::fprintf(stderr, "gen-art: cannot write the preview of %s\n", o.name);
        return 1;
      }
    }
    if (!preview_dir.empty() && (!WritePng(ComposeTitleScreen(title, hud), preview_dir + "/title-screen.png") ||
                                 !WritePng(ComposePlayScreen(boxes, title, hud), preview_dir + "/play-screen.png"))) {
      std::fprintf(stderr, "gen-art: cannot write the mock screens\n");
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen-art: %s\n", e.what());
    return 1;
  }
  return 0;
}
