#pragma once

#include <cstdint>

namespace quandel {

struct PlayState;

// Advances the blast, the magnet, the chain slots, the stars and the boxes by one frame.
void UpdateObjects(PlayState& state);

enum class IgniteForm { kBlast, kChain };
// Sets box j burning in `slot`, credits the chain, the score and both gauges.
void IgniteBox(PlayState& state, int j, uint8_t slot, IgniteForm form);

}  // namespace quandel
