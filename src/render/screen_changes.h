// The pictures of the moments between screens: the loading picture, the busy message while the
// sound channels reopen, and the play's last picture kept for the title's opening wipe. The caller
// presents screen.
#pragma once

#include "render/surfaces.h"

namespace quandel {

// The busy message (two halves from the title sheet) with its left end at (x, y).
void DrawBusyMessage(Surface& dst, const Surface& titleSheet, int x, int y);

// The busy message on grey in backBuffer, copied to screen; previousPicture turns the same grey, so the
// title's opening wipe parts from it.
void ComposeLoadingPicture(Surfaces& v);

// previousPicture takes the play's last picture from backBuffer, for the title's opening wipe.
void KeepPictureForWipe(Surfaces& v);

}  // namespace quandel
