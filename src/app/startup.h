// Start-up of the window object: the surfaces with their sizes for the draw mode, the three bitmap
// sheets and the generated fire sprites, and (Form_Load) the whole start-up sequence.
#pragma once

#include <cstdint>
#include <string>

namespace quandel {

class App;
struct Surfaces;

// Where the sheets are looked for: `assetDir`/img/cube.bmp and so on.
// Sizes every surface for the draw mode, loads the sheets and draws the fire sheet when the draw
// mode uses it. On a missing or unreadable sheet returns false and names the file in `error`.
bool SetUpSurfaces(Surfaces& surfaces, uint8_t drawMode, const std::string& assetDir, std::string* error);

}  // namespace quandel

namespace quandel {

// The program's start-up: settings, surfaces and sheets, the loading picture, the replay and the
// high scores, the sound channels. Returns 0, ready for the title screen, or 1 when a sheet could
// not be loaded (the player is told in a message box, and the same line goes to stderr).
int Form_Load(App& app);

}  // namespace quandel
