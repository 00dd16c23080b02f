// Numbers shown through digit glyphs: the text a number is formatted to, and the row of glyphs
// drawn from it.
#pragma once

#include <string>
#include <string_view>

#include "platform/surface.h"
#include "render/sheet_layout.h"

namespace quandel {

// Formats a number with one of the digit patterns "0#", "00##", "000###", "0##" (whole numbers with
// at least 2, 4, 6 or 3 digits) or "0#.#0" (at least two digits, a point and two decimals). Rounds
// to nearest; a negative value gets a leading '-'. Any other pattern is read the same way: the '0'
// and '#' before the point give the minimum digits ('0's count), the places after it the decimals.
//   DigitText(5, "0#") == "05";  DigitText(599 / 60.0, "0#.#0") == "09.98"
std::string DigitText(double value, std::string_view pattern);

// Character p (1-based) of a digit text read back as a digit; anything that is not a digit,
// or a position past the end, reads as 0.
//   DigitAt("09.98", 3) == 0;  DigitAt("09.98", 4) == 9
int DigitAt(std::string_view text, int p);

// The four glyph sets of the HUD sheet.
enum class DigitFace { kLarge, kMedium, kMediumWarning, kSmall };
sheet::Sprite DigitSprite(DigitFace face, int digit);

// Draws characters 1..places of `text` as digits of `face` from the HUD sheet, the i-th (from 0)
// at (x + step * i, y).
//   DrawDigitRow(backBuffer, hudSheet, DigitText(ShownScore(s), "000###"), 6, DigitFace::kLarge, 410, 100, 35);
void DrawDigitRow(Surface& dst, const Surface& hud, std::string_view text, int places, DigitFace face, int x, int y,
                  int step);

}  // namespace quandel
