#include "render/digit_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/expect_fields.h"

namespace quandel {
namespace {

TEST(DigitText, PatternsGiveTheDigitsShown) {
  const struct {
    double value;
    const char* pattern;
    const char* shown;
  } cases[] = {
      {1, "0#", "01"},
      {100, "0#", "100"},
      {749.6, "00##", "0750"},
      {-3, "00##", "-0003"},
      {0, "0##", "000"},
      {599 / 60.0, "0#.#0", "09.98"},
      {3600 / 60.0, "0#.#0", "60.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(DigitText(c.value, c.pattern), c.shown) << c.value << " " << c.pattern;
  // Places count from 1; the point, a sign and places past the end read as 0.
  EXPECT_FIELDS(FIELD(DigitAt("09.98", 1), 0), FIELD(DigitAt("09.98", 2), 9), FIELD(DigitAt("09.98", 3), 0),
                FIELD(DigitAt("09.98", 5), 8), FIELD(DigitAt("-0003", 1), 0), FIELD(DigitAt("01", 3), 0),
                FIELD(DigitAt("01", 0), 0));
}

}  // namespace
}  // namespace quandel
