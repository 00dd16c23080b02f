#include "persist/digits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "persist/scramble.h"

namespace quandel {

// Each character takes its own draw, in character order: the game's random sequence after a save
// depends on it.
TEST(Digits, NoiseComesFromOneDrawPerCharacter) {
  Rng rng, mirror;
  rng.Next(-7.0f);
  mirror.Next(-7.0f);
  for (int32_t v : {0, 7, 42, 9999, 123456}) {
    for (uint8_t n : {1, 2, 4, 6}) {
      const std::string text = EncodeDigits(v, n, rng);
      std::string digits = std::to_string(v);  // a longer number keeps its first n digits
      digits.insert(0, digits.size() < n ? n - digits.size() : 0, '0');
      ASSERT_EQ(text.size(), 2u * n);
      for (int i = 0; i < 2 * n; ++i) {
        const int d = digits[i % n] - '0', k = static_cast<int>(std::floor(5.0 * mirror.Next()));
        EXPECT_EQ(text[i], i < n ? 40 + d + 10 * k : 40 + 5 * d + k) << v << " n=" << int(n) << " at " << i;
      }
      EXPECT_EQ(rng.state(), mirror.state());
      if (std::to_string(v).size() <= n) { EXPECT_EQ(DecodeDigits(text, n), v); }
    }
  }
}

TEST(Digits, DamagedTextReadsAsZero) {
  Rng rng;
  const std::string good = EncodeDigits(4075, 4, rng);
  for (size_t i = 0; i < good.size(); ++i) {
    for (int c = 0; c < 256; ++c) {
      std::string bad = good;
      bad[i] = static_cast<char>(c);
      const int was = good[i] - 40, now = c - 40;
      const bool sameDigit = now >= 0 && now <= 49 && (i < 4 ? now % 10 == was % 10 : now / 5 == was / 5);
      EXPECT_EQ(DecodeDigits(bad, 4), sameDigit ? 4075 : 0) << i << " " << c;
    }
  }
  EXPECT_EQ(DecodeDigits(good.substr(0, 7), 4), 0);
  EXPECT_EQ(DecodeDigits("", 1), 0);
  // Ten nines are a valid text but no 32-bit number.
  EXPECT_EQ(DecodeDigits(testing::Scramble(9999999999, 10), 10), 0);
  EXPECT_EQ(DecodeDigits(testing::Scramble(2147483647, 10), 10), 2147483647);
}

}  // namespace quandel
