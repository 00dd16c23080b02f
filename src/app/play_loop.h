// A play in the window: the paced loop around the frame step, and what the step's reports ask for
// (sounds, saves, a message box, pictures).
#pragma once

#include "app/recorders.h"

namespace quandel {

class App;

// The text of the message shown when a recording filled the whole replay table.
inline constexpr const char* kReplayFullMessage = "申し訳ありませんが、リプレイデータを作成することができませんでした";

// A live play from its start until it hands back to the title screen (or the window closes).
// app.menu.inPlay is 1 and app.play.replayMode 0.
void PlayGame(App& app);

// Watching the replay in app.replay (app.play.replayMode 1) with the theatre's controls until it
// ends, Esc leaves it, or the window closes. With `saveResult` the scores are saved at its end as
// after any play; a replay opened from a file saves nothing.
void WatchReplay(App& app, bool saveResult);

}  // namespace quandel
