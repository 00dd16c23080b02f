#include "persist/digits.h"

#include <cmath>
#include <limits>

namespace quandel {

namespace {

constexpr int kLowestCode = 40;
constexpr int kHighestCode = 89;

// A random whole number 0..4 from the next draw.
int Noise(Rng& rng) { return static_cast<int>(std::floor(5.0 * rng.Next())); }

}  // namespace

std::string EncodeDigits(int32_t value, uint8_t n, Rng& rng) {
  std::string s = std::to_string(value);
  if (s.size() < n) s.insert(0, n - s.size(), '0');
  auto digit = [&](size_t j) { return (s[j] >= '0' && s[j] <= '9') ? s[j] - '0' : 0; };
  std::string out(2 * static_cast<size_t>(n), '(');
  for (size_t j = 0; j < n; ++j) out[j] = static_cast<char>(kLowestCode + digit(j) + 10 * Noise(rng));
  for (size_t j = 0; j < n; ++j) out[n + j] = static_cast<char>(kLowestCode + 5 * digit(j) + Noise(rng));
  return out;
}

int32_t DecodeDigits(std::string_view text, uint8_t n) { return ReadDigits(text, n).value_or(0); }

std::optional<int32_t> ReadDigits(std::string_view text, uint8_t n) {
  if (text.size() < 2 * static_cast<size_t>(n)) return std::nullopt;
  int64_t value = 0;
  for (size_t i = 0; i < n; ++i) {
    const int a = static_cast<unsigned char>(text[i]);
    const int b = static_cast<unsigned char>(text[n + i]);
    if (a < kLowestCode || a > kHighestCode || b < kLowestCode || b > kHighestCode) return std::nullopt;
    const int first = (a - kLowestCode) % 10;
    const int second = (b - kLowestCode) / 5;
    if (first != second) return std::nullopt;
    value = value * 10 + first;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

}  // namespace quandel
