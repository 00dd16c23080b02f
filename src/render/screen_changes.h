// The pictures of the moments between screens: the loading picture, the busy message while the
// sound channels reopen, and the play's last picture kept for the title's opening wipe. The caller
// presents picMain.
#pragma once

#include "render/surfaces.h"

namespace quandel {

// The busy message (two halves from the title sheet) with its left end at (x, y).
void DrawBusyMessage(Surface& dst, const Surface& titleSheet, int x, int y);

// The busy message on grey in picBack, copied to picMain; picBack2 turns the same grey, so the
// title's opening wipe parts from it.
void ComposeLoadingPicture(Surfaces& v);

// picBack2 takes the play's last picture from picBack, for the title's opening wipe.
void KeepPictureForWipe(Surfaces& v);

}  // namespace quandel
