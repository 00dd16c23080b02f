#pragma once

namespace quandel {

class App;

// One play or replay, from its start until it hands back to the title screen (or the window
// closes). inPlay is 1 and, for a replay, replayMode is 1 with the replay table loaded.
void PlayGame(App& app);

// The start-of-play initialisation on its own (used by PlayGame and by tests).
void StartPlay(App& app);

// The text of the message shown when a recording filled the whole replay table.
inline constexpr const char* kReplayFullMessage = "申し訳ありませんが、リプレイデータを作成することができませんでした";

}  // namespace quandel
