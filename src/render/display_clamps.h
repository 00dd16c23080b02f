// The clamps that keep a number inside its display: a number too large (or negative) for its
// display shows the nearest value that fits.
#pragma once

#include <cstdint>

namespace quandel {

// Score and best scores, six places: 1 000 000 and more shows 999999, negatives 0.
int32_t ShownScore(int32_t score);
// Stage number as displayed (stage + 1), two places: at most 99.
int32_t ShownStageNumber(int32_t stage);
// Seconds of a frame count for "0#.#0": 6000 frames (100 s) or more shows 99.99, negatives 0.
double ShownSeconds(int32_t frames);
// Distance to the next extend for "00##": negative shows 0, more than 9999 shows 9999.
double ShownExtendDistance(double distance);
// Frames per second for "0##": 0..999.
int32_t ShownFramesPerSecond(int32_t fps);

}  // namespace quandel
