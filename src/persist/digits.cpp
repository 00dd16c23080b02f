#include "persist/digits.h"

#include <cmath>

namespace quandel {

std::string EncodeDigits(int32_t value, uint8_t n, Rng& rng) {
  std::string s = std::to_string(value);
  if (s.size() < n) s.insert(0, n - s.size(), '0');
  auto digit = [&](size_t j) { return (s[j] >= '0' && s[j] <= '9') ? s[j] - '0' : 0; };
  std::string out(2 * static_cast<size_t>(n), '(');
  for (size_t j = 0; j < n; ++j) {
    const int k = static_cast<int>(std::floor(5.0 * rng.Next()));
    out[j] = static_cast<char>(40 + digit(j) + 10 * k);
  }
  for (size_t j = 0; j < n; ++j) {
    const int k = static_cast<int>(std::floor(5.0 * rng.Next()));
    out[n + j] = static_cast<char>(40 + 5 * digit(j) + k);
  }
  return out;
}

int32_t DecodeDigits(std::string_view text, uint8_t n) {
  if (text.size() < 2 * static_cast<size_t>(n)) return 0;
  int32_t value = 0;
  for (size_t i = 0; i < n; ++i) {
    const int a = static_cast<unsigned char>(text[i]);
    const int b = static_cast<unsigned char>(text[n + i]);
    if (a < 40 || a > 89 || b < 40 || b > 89) return 0;
    const int first = (a - 40) % 10;
    const int second = (b - 40) / 5;
    if (first != second) return 0;
    value = value * 10 + first;
  }
  return value;
}

}  // namespace quandel
