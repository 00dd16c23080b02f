// Where quandel-replay finds the game's pictures by default.
#pragma once

#include <string>

namespace quandel {

// The folder holding img/, found from the tool's own place: the game folder next to it in the
// build, or share/quandel of the install it belongs to (so a moved install still works).
std::string DefaultAssetDir();

}  // namespace quandel
