#pragma once

#include <cstdint>
#include <vector>

namespace quandel::soundgen {

// A complete RIFF/WAVE file: 16-bit PCM, one channel, little-endian.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate);

}  // namespace quandel::soundgen
