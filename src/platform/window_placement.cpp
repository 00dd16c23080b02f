#include "platform/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace quandel {

namespace {

// In 64 bits: a stored position near the integer limits must not wrap into a display.
bool Contains(const DisplayArea& d, int64_t x, int64_t y, int64_t w, int64_t h) {
  return x >= d.x && y >= d.y && x + w <= int64_t{d.x} + d.w && y + h <= int64_t{d.y} + d.h;
}

}  // namespace

WindowPlacement ChooseWindowPlacement(const std::optional<WindowPlacement>& stored,
                                      const std::vector<DisplayArea>& displays, int minWidth, int minHeight) {
  if (!stored) return {};
  WindowPlacement p = *stored;
  const bool sizeFits = p.width >= minWidth && p.height >= minHeight &&
                        std::any_of(displays.begin(), displays.end(),
                                    [&](const DisplayArea& d) { return p.width <= d.w && p.height <= d.h; });
  if (!sizeFits) return {.fullscreen = p.fullscreen};
  if (!p.centred) {
    p.centred = !std::any_of(displays.begin(), displays.end(),
                             [&](const DisplayArea& d) { return Contains(d, p.x, p.y, p.width, p.height); });
  }
  if (p.centred) p.x = p.y = 0;
  return p;
}

}  // namespace quandel
