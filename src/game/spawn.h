#pragma once

#include <cstdint>

namespace quandel {

struct PlayState;

// Creates the stage's formation whenever the spawn meter crosses into a new interval of the
// pattern's spacing, then wraps the meter. `previousMeter` is the meter before this frame's
// increase (0 during the opening).
void SpawnBoxes(PlayState& state, int16_t previousMeter);

}  // namespace quandel
