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
  v.picBack.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
  DrawBusyMessage(v.picBack, v.picTitle, 130, 200);
  BitBlt(v.picMain, 0, 0, 640, 480, v.picBack, 0, 0, SRCCOPY);
  v.picBack2.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
}

void KeepPictureForWipe(Surfaces& v) {
  v.picBack2.SetOuterSize(642, 482);
  BitBlt(v.picBack2, 0, 0, 640, 480, v.picBack, 0, 0, SRCCOPY);
}

}  // namespace quandel
