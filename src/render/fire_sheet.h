// The fire of a burning ordinary box is drawn once at start-up into a sprite sheet: 30 frames of a
// ring that grows, darkens and is eaten by its hole, in the two colour sets of the ordinary kinds,
// with one shared mask per frame. A burning box then costs one masked blit.
#pragma once

#include <array>
#include <cstdint>

#include "platform/surface.h"

namespace quandel {

inline constexpr int kFireHalfCell = 45;             // half the side of one cell
inline constexpr int kFireCell = 2 * kFireHalfCell;  // 90 x 90 pixels per frame
inline constexpr int kFireFrames = 30;
inline constexpr int kFireColumns = 15;                           // frames per sheet row
inline constexpr int kFireSheetWidth = kFireCell * kFireColumns;  // 1350
inline constexpr int kFireSheetHeight = kFireCell * 6;            // 540: 2 rows per colour set + 2 mask rows

// The three radii of frame q (0 ... 29), each clamped at 0.
struct FireRadii {
  float outer = 0;  // the ring
  float core = 0;   // the darker core inside it
  float hole = 0;   // the white hole that opens last
};
FireRadii FireFrameRadii(int q);

// Top-left corners of frame q's picture in colour set k (0 or 1) and of its mask.
PixelPoint FireImageCell(int q, int k);
PixelPoint FireMaskCell(int q);

// Draws all frames into fireSheet (expected cleared to white, at least 1350 x 540; smaller surfaces
// just clip). colours[0] and colours[1] are the bases of the two colour sets. scratch[2] and
// scratch[3] receive the outer and hole radii of each frame as it is drawn, so the last frame's stay.
// Leaves fireSheet's fill style solid and its fill colour black.
void GenerateFireSheet(Surface& fireSheet, const std::array<int32_t, 4>& colours, std::array<float, 8>& scratch);

}  // namespace quandel
