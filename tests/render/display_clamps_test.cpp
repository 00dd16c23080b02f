#include "render/display_clamps.h"

#include <gtest/gtest.h>

#include "render/digit_text.h"

namespace quandel {
namespace {

TEST(DisplayClamps, NumbersThatDoNotFitShowTheNearestThatDoes) {
  const struct {
    double value;
    const char* pattern;
    const char* shown;
  } cases[] = {
      {double(ShownScore(1234)), "000###", "001234"},
      {double(ShownScore(1000000)), "000###", "999999"},
      {double(ShownStageNumber(0)), "0#", "01"},
      {double(ShownStageNumber(98)), "0#", "99"},
      {double(ShownStageNumber(99)), "0#", "99"},
      {ShownSeconds(5999), "0#.#0", "99.98"},
      {ShownSeconds(6000), "0#.#0", "99.99"},
      {ShownExtendDistance(-0.4f), "00##", "0000"},
      {ShownExtendDistance(9999.4), "00##", "9999"},
      {ShownExtendDistance(12000), "00##", "9999"},
      {double(ShownFramesPerSecond(4000)), "0##", "999"},
  };
  for (const auto& c : cases) EXPECT_EQ(DigitText(c.value, c.pattern), c.shown) << c.value << " " << c.pattern;
}

}  // namespace
}  // namespace quandel
