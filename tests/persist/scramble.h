// The scrambled-digit form read and written independently of the game's own encoder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quandel::testing {

// The digits of a field, each half read on its own; -1 for a code out of range or halves that disagree.
inline int64_t Unscramble(std::string_view field) {
  const size_t n = field.size() / 2;
  int64_t a = 0, b = 0;
  for (size_t i = 0; i < 2 * n; ++i) {
    const int c = static_cast<unsigned char>(field[i]);
    if (c < 40 || c > 89) return -1;
    if (i < n)
      a = a * 10 + (c - 40) % 10;
    else
      b = b * 10 + (c - 40) / 5;
  }
  return a == b ? a : -1;
}

// A valid field for v with n digits and a fixed noise pattern.
inline std::string Scramble(int64_t v, int n, int noise = 3) {
  std::string out(2 * n, '(');
  for (int j = n - 1; j >= 0; --j, v /= 10) {
    const int d = static_cast<int>(v % 10), k = (j + noise) % 5;
    out[j] = static_cast<char>(40 + d + 10 * k);
    out[n + j] = static_cast<char>(40 + 5 * d + k);
  }
  return out;
}

}  // namespace quandel::testing
