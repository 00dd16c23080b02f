#include "render/display_clamps.h"

#include <algorithm>

namespace quandel {

int32_t ShownScore(int32_t score) { return std::clamp<int32_t>(score, 0, 999999); }

int32_t ShownStageNumber(int32_t stage) {
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(stage) + 1, 0, 99));
}

double ShownSeconds(int32_t frames) {
  if (frames >= 6000) return 99.99;
  return std::max(frames, 0) / 60.0;
}

double ShownExtendDistance(double distance) {
  if (!(distance >= 0)) return 0;  // negative (or not a number)
  // Anything that would round to five digits shows the largest four.
  return distance >= 9999.5 ? 9999 : distance;
}

int32_t ShownFramesPerSecond(int32_t fps) { return std::clamp<int32_t>(fps, 0, 999); }

}  // namespace quandel
