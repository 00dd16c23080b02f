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
