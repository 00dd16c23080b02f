#include "render/screen_changes.h"

#include "game/game_state.h"
#include "render/masked_blit.h"
#include "render/sheet_layout.h"

namespace quandel {

void DrawBusyMessage(Surface& dst, const Surface& titleSheet, int x, int y) {
  MaskedBlit(dst, x, y, titleSheet, sheet::kTitleBusyLeft);
  MaskedBlit(dst, x + 100, y, titleSheet, sheet::kTitleBusyRight);
}

void ComposeLoadingPicture(Surfaces& v) {
  v.backBuffer.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
  DrawBusyMessage(v.backBuffer, v.titleSheet, 130, 200);
  Blit(v.screen, 0, 0, 640, 480, v.backBuffer, 0, 0, RasterOp::kCopy);
  v.previousPicture.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
}

void KeepPictureForWipe(Surfaces& v) {
  v.previousPicture.Resize(640, 480);
  Blit(v.previousPicture, 0, 0, 640, 480, v.backBuffer, 0, 0, RasterOp::kCopy);
}

}  // namespace quandel
