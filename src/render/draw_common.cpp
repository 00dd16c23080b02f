#include "render/draw_common.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "game/numeric.h"
#include "game/game_state.h"

namespace quandel {

void MaskedBlit(Surface& dst, int x, int y, const Surface& src, const sheet::Sprite& sprite) {
  BitBlt(dst, x, y, sprite.mask.w, sprite.mask.h, src, sprite.mask.x, sprite.mask.y, SRCPAINT);
  BitBlt(dst, x, y, sprite.image.w, sprite.image.h, src, sprite.image.x, sprite.image.y, SRCAND);
}

int PixelRound(double v) {
  // Positions far outside the picture only need to stay far outside.
  if (!std::isfinite(v)) return INT32_MIN / 2;
  return static_cast<int>(std::clamp<int64_t>(RoundHalfEven(v), INT32_MIN / 2, INT32_MAX / 2));
}

void MaskedBlitAt(Surface& dst, double x, double y, const Surface& src, const sheet::Sprite& sprite) {
  MaskedBlit(dst, PixelRound(x), PixelRound(y), src, sprite);
}

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

void DrawDigitRow(Surface& dst, const Surface& hud, std::string_view text, int places, DigitFace face, int x, int y, int step) {
  for (int i = 0; i < places; ++i) MaskedBlit(dst, x + step * i, y, hud, DigitSprite(face, DigitAt(text, i + 1)));
}

int32_t ShownScore(int32_t score) { return std::clamp<int32_t>(score, 0, 999999); }

int32_t ShownStageNumber(int32_t stage) {
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(stage) + 1, 0, 99));
}

double ShownSeconds(int32_t frames) {
  if (frames >= 6000) return 99.99;
  return std::max(frames, 0) / 60.0;
}

double ShownExtendDistance(double distance) {
  if (!(distance >= 0)) return 0;  // negative (or not a number)
  // Anything that would round to five digits shows the largest four.
  return distance >= 9999.5 ? 9999 : distance;
}

int32_t ShownFramesPerSecond(int32_t fps) { return std::clamp<int32_t>(fps, 0, 999); }

void DrawColumnBands(Surface& dst, float fieldWidth, float scrollPos, const BandRules& rules) {
  dst.SetFillStyle(FillStyle::kSolid);
  const double w = fieldWidth;
  const double left = 230 - w / 2;
  const double right = 230 + w / 2;
  const int64_t sp = RoundHalfEven(scrollPos);
  const int64_t q = sp / 100;
  const int64_t d = Mod(sp, 100);
  auto grey = [](double g) {
    const int v = static_cast<int>(std::clamp<int64_t>(RoundHalfEven(g), 0, 255));
    return Rgb(v, v, v);
  };
  for (int p = -2; p <= 4; ++p) {
    const int64_t k = q - p;
    const double top = static_cast<double>(d + 100 * p);
    if (!rules.thinOut || Mod(k, 5) == 0 || k < 100) {
      double shade = rules.baseShade;
      if (rules.shadeByNumber) shade += -20.0 * (Mod(k, 10) == 0) - 20.0 * (Mod(k, 5) == 0);
      if (rules.shadeByWidth) shade -= w - 200;
      const PixelPoint points[8] = {
          {PixelRound(left - 10), PixelRound(top + 20)},  {PixelRound(left + 10), PixelRound(top)},
          {PixelRound(right - 10), PixelRound(top)},      {PixelRound(right + 10), PixelRound(top + 20)},
          {PixelRound(right + 10), PixelRound(top + 120)}, {PixelRound(right - 10), PixelRound(top + 100)},
          {PixelRound(left + 10), PixelRound(top + 100)}, {PixelRound(left - 10), PixelRound(top + 120)},
      };
      dst.SetFillColour(grey(200 + shade));
      dst.Polygon(points);
      dst.SetFillColour(grey(220 + shade));
      dst.Box(static_cast<float>(left + 11), static_cast<float>(top), static_cast<float>(right - 11),
              static_cast<float>(top + 100), Rgb(60, 60, 60));
    }
    if (!rules.thinOut || k < 150 || Mod(Mod(k, 5), 4) == 0) {
      dst.Line(static_cast<float>(left + 10), static_cast<float>(top), static_cast<float>(right - 10), static_cast<float>(top), grey(160));
      dst.Line(static_cast<float>(left + 10), static_cast<float>(top), static_cast<float>(left - 10), static_cast<float>(top + 20), grey(120));
      dst.Line(static_cast<float>(right - 10), static_cast<float>(top), static_cast<float>(right + 10), static_cast<float>(top + 20), grey(120));
    }
  }
}

float StepFrameClock(FpsClock& clock, int32_t now, uint8_t autoFrameSkip, uint8_t& frameSkip) {
  // Elapsed time of a wrapping 32-bit millisecond clock: right across the wrap, never negative.
  const uint32_t elapsed = static_cast<uint32_t>(now) - static_cast<uint32_t>(clock.lastDrawTime);
  const float dt = static_cast<float>(elapsed);
  int64_t accumulated = RoundHalfEven(static_cast<double>(dt) + clock.msAccumulated);
  clock.framesThisSecond += 1;
  if (accumulated >= 1000) {
    clock.framesPerSecond = clock.framesThisSecond;
    clock.framesThisSecond = 0;
    accumulated %= 1000;
  }
  clock.msAccumulated = static_cast<int32_t>(accumulated);
  if (autoFrameSkip == 1) {
    if (dt >= 19.0f * (frameSkip + 1)) {
      if (frameSkip < 255) frameSkip = static_cast<uint8_t>(frameSkip + 1);
    } else if (frameSkip > 0) {
      frameSkip = static_cast<uint8_t>(frameSkip - 1);
    }
  }
  clock.lastDrawTime = now;
  return dt;
}

}  // namespace quandel
