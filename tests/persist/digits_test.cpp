#include "persist/digits.h"

#include <gtest/gtest.h>

#include "persist/scramble.h"
#include "support/expect_fields.h"

namespace quandel {

// One draw per character in order (later random numbers depend on it); the text reads back both ways.
TEST(Digits, EachCharacterTakesOneDrawAndTheTextReadsBack) {
  Rng fresh;
  EXPECT_EQ(EncodeDigits(4075, 4, fresh), "J<C7=+KD");  // noise 3 2 2 1, then 1 3 0 3
  for (int32_t v : {0, 7, 42, 9999, 123456}) {
    for (uint8_t n : {1, 2, 4, 6}) {
      Rng rng, mirror;
      const std::string text = EncodeDigits(v, n, rng), digits = std::to_string(v);
      for (int i = 0; i < 2 * n; ++i) mirror.Next();
      // A longer number keeps its first n digits.
      EXPECT_FIELDS(FIELD(rng.state(), mirror.state()),
                    FIELD(testing::Unscramble(text), std::stoll(digits.substr(0, n))),
                    FIELD(DecodeDigits(text, n), digits.size() <= n ? v : std::stoi(digits.substr(0, n))))
          << v << " " << int{n};
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
  // Ten nines are a valid text but no 32-bit number.
  EXPECT_FIELDS(FIELD(DecodeDigits(good.substr(0, 7), 4), 0), FIELD(DecodeDigits("", 1), 0),
                FIELD(DecodeDigits(testing::Scramble(9999999999, 10), 10), 0),
                FIELD(DecodeDigits(testing::Scramble(2147483647, 10), 10), 2147483647));
}

}  // namespace quandel
