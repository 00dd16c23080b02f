// Opening a replay file straight in the window: `quandel --watch FILE` (or `quandel FILE`, as a
// file manager starts it), with the replay controls, ending when the replay ends or is left.
#pragma once

#include "game/game_state.h"

namespace quandel {

class App;

// Start-up as usual (settings, sheets, scores, sounds), then the replay in `table`. Returns the
// exit status: 0 when it ended or was left, or the start-up's failure.
int WatchFile(App& app, const ReplayTable& table);

}  // namespace quandel
