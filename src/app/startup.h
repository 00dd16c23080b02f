// Start-up of the window object: the surfaces sized for the draw mode with the three bitmap sheets
// and the generated fire sprites (SetUpSurfaces, which the tools share), and the whole start-up
// sequence of the window (StartUp).
#pragma once

#include <cstdint>
#include <string>

namespace quandel {

class App;
struct Surfaces;

// Sizes every surface for the draw mode, loads the sheets (`assetDir`/img/cube.bmp and so on) and
// draws the fire sheet when the draw mode uses it. On a missing or unreadable sheet returns false
// and names the file in `error`.
bool SetUpSurfaces(Surfaces& surfaces, uint8_t drawMode, const std::string& assetDir, std::string* error);

// The program's start-up: settings, surfaces and sheets, the loading picture, the replay and the
// high scores, the sound channels. Returns 0, ready for the title screen, or 1 when a sheet could
// not be loaded (the player is told in a message box, and the same line goes to stderr).
int StartUp(App& app);

}  // namespace quandel
