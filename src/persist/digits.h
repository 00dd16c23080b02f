// Every saved number is written twice, in two mixings with random noise; a value whose two
// copies disagree reads back as 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/rng.h"

namespace quandel {

// 2n characters with codes 40..89. Draws 2n numbers from `rng`.
std::string EncodeDigits(int32_t value, uint8_t n, Rng& rng);
// Reads the first 2n characters; 0 when the halves disagree, the text is short or a character
// lies outside 40..89.
int32_t DecodeDigits(std::string_view text, uint8_t n);

}  // namespace quandel
