// PNG files for frame dumps and reference pictures: writing 8-bit RGB, and reading back the simple
// kinds of PNG (8-bit grey, grey + alpha, RGB or RGBA, not interlaced; alpha is dropped).
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

// Writes the drawing area of a surface, or raw pixels; false when the file cannot be written.
bool WritePng(const std::string& path, const Surface& surface, int scale = 1);
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int scale = 1);

// Decodes a PNG; false (and `out` unchanged) for anything malformed, damaged or unsupported.
bool DecodePng(std::span<const uint8_t> bytes, Picture& out);
bool ReadPng(const std::string& path, Picture& out);

}  // namespace quandel
