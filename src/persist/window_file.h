// window.txt: the window's size, place and fullscreen state, kept across runs. A few "key = value"
// lines; written at exit, read at start. A missing or damaged file means the default window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "persist/data_dir.h"

namespace quandel {

inline constexpr const char* kWindowFileName = "window.txt";

// The window as window.txt keeps it; the start-up hands it to the platform, which decides whether
// it still fits a display.
struct SavedWindow {
  int x = 0, y = 0;  // the windowed client area, also while fullscreen
  int width = 640, height = 480;
  bool centred = true;  // no position kept: the system centres the window
  bool fullscreen = false;
};

// The placement the text describes, or nothing unless every line is a known key with a number in
// range: width, height and fullscreen (0 or 1) are required, x and y come together or not at all
// (then the window is centred). Blank lines and lines starting with '#' are skipped.
std::optional<SavedWindow> ParseWindowPlacement(std::string_view text);
std::string WindowPlacementText(const SavedWindow& placement);

std::optional<SavedWindow> LoadWindowPlacement(const DataDir& dir);
// Atomic like the other saves; false when the file could not be written (the old one stays).
bool SaveWindowPlacement(const DataDir& dir, const SavedWindow& placement);

}  // namespace quandel
