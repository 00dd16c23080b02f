// Start-up of the window object: the surfaces with their sizes for the draw mode, the three bitmap
// sheets and the generated fire sprites, and (Form_Load) the whole start-up sequence.
#pragma once

#include <string>

namespace quandel {

class App;

// Where the sheets are looked for: `assetDir`/img/cube.bmp and so on.
// Sizes every surface for app.state.drawMode, loads the sheets, fills the colour table and draws
// the fire sheet when the draw mode uses it. On a missing or unreadable sheet returns false and
// names the file in `error`.
bool SetUpSurfaces(App& app, const std::string& assetDir, std::string* error);

}  // namespace quandel

namespace quandel {

// The program's start-up and outermost loop: settings, surfaces and sheets, the loading picture,
// the replay and the high scores, the sound channels, then the title screen until the window
// closes. Returns the process exit status: 0, or 1 when a sheet could not be loaded (the player is
// told in a message box, and the same line goes to stderr).
int Form_Load(App& app);

// Connects the drawing of a play, the sound channels and the title menu's busy overlay to the
// window object (Form_Load does this before the title screen starts).
void InstallHandlers(App& app);

}  // namespace quandel
