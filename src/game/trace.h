// One JSON line describing the whole simulated state after a frame's object update: the form in
// which plays are compared across builds and tools.
#pragma once

#include <string>
#include <vector>

namespace quandel {

struct PlayState;

std::string TraceLine(const PlayState& state, const std::vector<std::string>& sounds);

}  // namespace quandel
