// Drawing pieces the play and the title screen share: the masked blit, numbers shown through digit
// text, the clamps that keep a number inside its display, the scrolling column bands, and the
// drawing clock with its automatic frame skip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/surfaces.h"
#include "platform/surface.h"
#include "render/sheet_layout.h"

namespace quandel {

// --- Masked blit ---------------------------------------------------------------------------------

// The one way a sprite reaches the back buffer: OR the mask (white where the picture is) into
// dst at (x, y), then AND the image (the picture on a white ground) into the same place.
//   MaskedBlit(picBack, 86, 36, picLogo, sheet::kHudCursor);
void MaskedBlit(Surface& dst, int x, int y, const Surface& src, const sheet::Sprite& sprite);

// Game positions are floats; a blit position is the nearest pixel, ties to even.
//   MaskedBlitAt(picBack, box.x - 8, box.y - 8, picChara, cell);
void MaskedBlitAt(Surface& dst, double x, double y, const Surface& src, const sheet::Sprite& sprite);

// Nearest pixel, ties to even: the rounding of every position handed to a blit, point or polygon.
int PixelRound(double v);

// --- Digit text ----------------------------------------------------------------------------------

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
//   DrawDigitRow(picBack, picLogo, DigitText(ShownScore(s), "000###"), 6, DigitFace::kLarge, 410, 100, 35);
void DrawDigitRow(Surface& dst, const Surface& hud, std::string_view text, int places, DigitFace face, int x, int y, int step);

// --- Display clamps ------------------------------------------------------------------------------
// A number too large (or negative) for its display shows the nearest value that fits.

// Score and best scores, six places: 1 000 000 and more shows 999999, negatives 0.
int32_t ShownScore(int32_t score);
// Stage number as displayed (stage + 1), two places: at most 99.
int32_t ShownStageNumber(int32_t stage);
// Seconds of a frame count for "0#.#0": 6000 frames (100 s) or more shows 99.99, negatives 0.
double ShownSeconds(int32_t frames);
// Distance to the next extend for "00##": negative shows 0, more than 9999 shows 9999.
double ShownExtendDistance(double distance);
// Frames per second for "0##": 0..999.
int32_t ShownFramesPerSecond(int32_t fps);

// --- Column bands --------------------------------------------------------------------------------

// Which shading and thinning rules the bands follow. The play uses the defaults; the title screen
// draws every band alike: {.shadeByNumber = false, .shadeByWidth = false, .thinOut = false,
// .baseShade = scratch[0]} (0).
struct BandRules {
  bool shadeByNumber = true;  // every fifth band 20 darker, every tenth 40
  bool shadeByWidth = true;   // a column wider than 200 darkens every band by the excess
  bool thinOut = true;        // bodies only every fifth band from band 100, edges thinned from 150
  float baseShade = 0;        // added to the shade of every band
};

// The column of width `fieldWidth` centred on x = 230 as seven bands 100 px apart, scrolled down by
// `scrollPos`. Sets dst's fill style to solid (it stays so) and leaves its fill colour changed.
//   DrawColumnBands(picBack, s.fieldWidth, s.scrollPos, BandRules{});              // play
//   DrawColumnBands(picBack, 200, s.scrollPos, {false, false, false, s.scratch[0]}); // title
void DrawColumnBands(Surface& dst, float fieldWidth, float scrollPos, const BandRules& rules);

// --- Drawing clock and automatic frame skip -------------------------------------------------------

// One drawn frame's measurement at clock reading `now`: dt = now - lastDrawTime (elapsed time of a
// wrapping millisecond clock), counts the frame, completes a second when 1000 ms have gathered and,
// when autoFrameSkip is 1, steps frameSkip one up (dt >= 19 ms per simulated frame, at most 255)
// or one down (not below 0). Sets lastDrawTime = now. Returns dt (the title keeps it in scratch[0]).
//   StepFrameClock(clock, platform.Clock(), s.autoFrameSkip, s.frameSkip);
float StepFrameClock(FpsClock& clock, int32_t now, uint8_t autoFrameSkip, uint8_t& frameSkip);

}  // namespace quandel
