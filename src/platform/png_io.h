// PNG files for frame dumps, reference pictures and the desktop icon, through libpng: writing 8-bit
// RGB (or RGBA), and reading any kind of PNG back as 8-bit RGB (alpha is dropped).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace quandel {

// Encodes width x height pixels (0x00RRGGBB, rows from the top) as an RGB PNG, each pixel enlarged
// to scale x scale (nearest neighbour). Empty result for an empty picture or a scale below 1.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int scale = 1);

// The same for pixels 0xAARRGGBB as an RGBA PNG, at their own size.
std::vector<uint8_t> EncodePngWithAlpha(const uint32_t* pixels, int width, int height);

// Writes the drawing area of a surface, or raw pixels; false when the file cannot be written.
bool WritePng(const std::string& path, const Surface& surface, int scale = 1);
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int scale = 1);

// Decodes a PNG; false (and `out` unchanged) for anything malformed, damaged or unsupported.
bool DecodePng(std::span<const uint8_t> bytes, Picture& out);
bool ReadPng(const std::string& path, Picture& out);

}  // namespace quandel
