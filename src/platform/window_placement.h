// Where the game window opens: the size, place and fullscreen state the player left it in, kept
// only while they still fit one of the displays attached now. No SDL here, so the checks are
// tested without a display.
#pragma once

#include <optional>
#include <vector>

namespace quandel {

struct WindowPlacement {
  // The windowed client area (also while fullscreen: what leaving fullscreen returns to).
  int x = 0, y = 0;
  int width = 640, height = 480;
  bool centred = true;  // no usable position: the system centres the window
  bool fullscreen = false;
};

// A display's area on the desktop.
struct DisplayArea {
  int x = 0, y = 0, w = 0, h = 0;
};

// The placement to open with. A stored size that fits no display (or is below the window's
// minimum) gives the default size, centred; a stored position that does not put the whole window on
// one display is centred instead. The fullscreen state stands either way. Nothing stored, or no
// display known, gives the default.
WindowPlacement ChooseWindowPlacement(const std::optional<WindowPlacement>& stored,
                                      const std::vector<DisplayArea>& displays, int minWidth, int minHeight);

}  // namespace quandel
