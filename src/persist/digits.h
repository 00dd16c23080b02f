// Every saved number is written twice, in two mixings with random noise; a value whose two
// copies disagree reads back as 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/rng.h"

namespace quandel {

// 2n characters with codes 40..89. Draws 2n numbers from `rng`, in character order. Keeps the
// first n characters of the value's decimal text ("-" counting as 0), so callers pass values
// that fit.
std::string EncodeDigits(int32_t value, uint8_t n, Rng& rng);
// Reads the first 2n characters; 0 when the halves disagree, the text is short, a character
// lies outside 40..89 or the number does not fit 32 bits.
int32_t DecodeDigits(std::string_view text, uint8_t n);
// The same reading, but nothing where DecodeDigits would read 0 for a fault, so a strict reader
// can tell a stored 0 from bytes no writer made.
std::optional<int32_t> ReadDigits(std::string_view text, uint8_t n);

}  // namespace quandel
