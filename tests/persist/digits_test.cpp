#include "persist/digits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "persist/scramble.h"

namespace quandel {
using testing::Unscramble;

TEST(Digits, EachCharacterTakesItsOwnDrawInCharacterOrder) {
  Rng rng, mirror;
  rng.Next(-7.0f);
  mirror.Next(-7.0f);
  for (int32_t v : {0, 7, 42, 9999, 123456}) {
    for (uint8_t n : {1, 2, 4, 6}) {
      std::string s = std::to_string(v);
      s.insert(0, s.size() < n ? n - s.size() : 0, '0');
      const std::string text = EncodeDigits(v, n, rng);
      ASSERT_EQ(text.size(), 2u * n);
      for (int half = 0; half < 2; ++half) {
        for (int j = 0; j < n; ++j) {
          const int d = s[j] - '0', k = static_cast<int>(std::floor(5.0 * mirror.Next()));
          EXPECT_EQ(text[half * n + j], half == 0 ? 40 + d + 10 * k : 40 + 5 * d + k) << v << " n=" << int(n);
        }
      }
      EXPECT_EQ(rng.state(), mirror.state());
      if (std::to_string(v).size() <= n) {
        EXPECT_EQ(DecodeDigits(text, n), v);
      }
    }
  }
}

TEST(Digits, DamagedTextReadsAsZero) {
  Rng rng;
  const std::string good = EncodeDigits(4075, 4, rng);
  ASSERT_EQ(DecodeDigits(good, 4), 4075);
  for (size_t i = 0; i < good.size(); ++i) {
    for (int c = 0; c < 256; ++c) {
      std::string bad = good;
      bad[i] = static_cast<char>(c);
      const bool sameDigit = c >= 40 && c <= 89 &&
                             (i < 4 ? (c - 40) % 10 == (good[i] - 40) % 10 : (c - 40) / 5 == (good[i] - 40) / 5);
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
