#include "render/digit_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "render/masked_blit.h"

namespace quandel {

std::string DigitText(double value, std::string_view pattern) {
  const size_t point = pattern.find('.');
  const std::string_view whole = pattern.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);

  // Minimum whole digits: every placeholder from the first '0' up to the point.
  const size_t firstZero = whole.find('0');
  const int minWhole = firstZero == std::string_view::npos ? 0 : static_cast<int>(whole.size() - firstZero);
  int maxDecimals = 0, minDecimals = 0;
  for (size_t i = 0; i < fraction.size(); ++i) {
    if (fraction[i] == '0' || fraction[i] == '#') ++maxDecimals;
    if (fraction[i] == '0') minDecimals = maxDecimals;
  }

  if (!std::isfinite(value)) value = 0;
  std::array<char, 400> buf{};
  std::snprintf(buf.data(), buf.size(), "%.*f", maxDecimals, std::fabs(value));
  std::string digits(buf.data());
  std::string wholeDigits = digits.substr(0, digits.find('.'));
  std::string decimals = maxDecimals > 0 ? digits.substr(digits.find('.') + 1) : std::string();
  while (static_cast<int>(decimals.size()) > minDecimals && decimals.back() == '0') decimals.pop_back();

  const bool zero = std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0' || c == '.'; });
  wholeDigits.erase(0, std::min(wholeDigits.find_first_not_of('0'), wholeDigits.size()));
  if (static_cast<int>(wholeDigits.size()) < minWhole) wholeDigits.insert(0, minWhole - wholeDigits.size(), '0');

  std::string text = (value < 0 && !zero) ? "-" : "";
  text += wholeDigits;
  if (point != std::string_view::npos && (!decimals.empty() || minDecimals > 0)) text += "." + decimals;
  return text;
}

int DigitAt(std::string_view text, int p) {
  if (p < 1 || p > static_cast<int>(text.size())) return 0;
  const char c = text[p - 1];
  return (c >= '0' && c <= '9') ? c - '0' : 0;
}

sheet::Sprite DigitSprite(DigitFace face, int digit) {
  switch (face) {
    case DigitFace::kLarge: return sheet::kHudLargeDigit(digit);
    case DigitFace::kMedium: return sheet::kHudMediumDigit(digit, false);
    case DigitFace::kMediumWarning: return sheet::kHudMediumDigit(digit, true);
    case DigitFace::kSmall: break;
  }
  return sheet::kHudSmallDigit(digit);
}

void DrawDigitRow(Surface& dst, const Surface& hud, std::string_view text, int places, DigitFace face, int x, int y,
                  int step) {
  for (int i = 0; i < places; ++i) MaskedBlit(dst, x + step * i, y, hud, DigitSprite(face, DigitAt(text, i + 1)));
}

}  // namespace quandel
