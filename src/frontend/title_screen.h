// The title screen: logo over the scrolling column, the menu, the settings rows, the three best
// scores and a frame-rate counter, and the how-to-play page over it on F1 or H. Plays are started
// from here, by a click or Enter; it returns only when the window closes.
#pragma once

#include <cstdint>

namespace quandel {

class App;

void TitleScreen(App& app);

// One composition of the title picture into backBuffer (exposed for tests).
struct TitleView {
  bool replayAvailable = false;
  int framesPerSecond = 0;
  float scroll = 0;   // the column's scroll position: the title's own, apart from any play's
  uint8_t hover = 0;  // the menu item under the mouse (see TitleEntry)
};
void ComposeTitle(App& app, const TitleView& view);

// The whole program in its window: start-up, then the title screen until the window closes.
// Returns the exit status (see StartUp).
int RunProgram(App& app);

}  // namespace quandel
