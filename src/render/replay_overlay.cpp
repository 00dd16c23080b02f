#include "render/replay_overlay.h"

#include <algorithm>

#include "game/game_state.h"
#include "render/digit_text.h"
#include "render/masked_blit.h"
#include "render/sheet_layout.h"

namespace quandel {

namespace {

constexpr int32_t kNavy = Rgb(20, 30, 60);
constexpr int32_t kCream = Rgb(250, 240, 210);
constexpr int32_t kSky = Rgb(120, 180, 240);
constexpr int32_t kAmber = Rgb(250, 180, 60);

// Mixes `colour` into the rectangle with opacity a/256.
void Shade(Surface& dst, int x0, int y0, int x1, int y1, int32_t colour, int a) {
  x0 = std::max(x0, 0), y0 = std::max(y0, 0);
  x1 = std::min(x1, dst.width()), y1 = std::min(y1, dst.height());
  auto mix = [a](int32_t from, int32_t to, int shift) {
    const int f = (from >> shift) & 0xFF, t = (to >> shift) & 0xFF;
    return (f * (256 - a) + t * a) >> 8;
  };
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const int32_t c = dst.colourAt(x, y);
      dst.SetPixelV(x, y, Rgb(mix(c, colour, 0), mix(c, colour, 8), mix(c, colour, 16)));
    }
  }
}

void Seconds(Surface& dst, const Surface& hud, int frames, int x, int y) {
  DrawDigitRow(dst, hud, DigitText(frames / 60, "0##"), 3, DigitFace::kSmall, x, y, 10);
}

// The column's centre line, and the height at which the opening shows READY before it drops.
constexpr int kColumnCentre = 230, kBannerTop = 170;

void Centred(Surface& dst, const Surface& hud, const sheet::Sprite& sprite, int y) {
  MaskedBlit(dst, kColumnCentre - sprite.image.w / 2, y, hud, sprite);
}

}  // namespace

void DrawReplayOverlay(Surface& dst, const Surface& hud, const ReplayOverlay& o) {
  constexpr int kLeft = 60, kTop = 424, kRight = 455, kBottom = 456;  // clear of the gauges and REPLAY
  Shade(dst, kLeft, kTop, kRight, kBottom, kNavy, std::clamp(o.opacity * 3 / 4, 0, 256));
  if (o.opacity < 128) return;  // the last of the fade is the panel alone

  // A rewind sign, pause bars or a play arrow.
  if (o.rewinding) {
    for (int i = 0; i < 7; ++i) {
      for (int x : {kLeft + 8, kLeft + 15}) dst.Line(x + i, kTop + 16 - i, x + i, kTop + 16 + i, kCream);
    }
  } else if (o.paused) {
    dst.FilledBox(kLeft + 10, kTop + 8, kLeft + 14, kTop + 24, kCream);
    dst.FilledBox(kLeft + 18, kTop + 8, kLeft + 22, kTop + 24, kCream);
  } else {
    for (int i = 0; i < 8; ++i) dst.Line(kLeft + 10 + i, kTop + 8 + i, kLeft + 10 + i, kTop + 24 - i, kCream);
  }
  Seconds(dst, hud, o.position, kLeft + 32, kTop + 10);
  dst.Line(kLeft + 64, kTop + 22, kLeft + 70, kTop + 9, kSky);
  Seconds(dst, hud, o.length, kLeft + 74, kTop + 10);

  // Progress bar.
  const int barLeft = kLeft + 110, barRight = kLeft + 330;
  dst.Box(barLeft, kTop + 12, barRight, kTop + 20, kSky);
  const int filled = o.length > 0 ? (barRight - barLeft - 2) * std::clamp(o.position, 0, o.length) / o.length : 0;
  if (filled > 0) dst.FilledBox(barLeft + 1, kTop + 13, barLeft + 1 + filled, kTop + 19, kAmber);

  // Speed: a fraction below normal, a whole number from normal up, then a small x.
  int x = kLeft + 342;
  const int y = kTop + 10;
  if (o.speedQuarters < 4) {
    DrawDigitRow(dst, hud, "1", 1, DigitFace::kSmall, x, y, 10);
    dst.Line(x + 10, y + 12, x + 15, y, kSky);
    DrawDigitRow(dst, hud, DigitText(4 / o.speedQuarters, "0"), 1, DigitFace::kSmall, x + 16, y, 10);
    x += 28;
  } else {
    const int whole = o.speedQuarters / 4;
    const int places = whole >= 10 ? 2 : 1;
    DrawDigitRow(dst, hud, DigitText(whole, places == 2 ? "0#" : "0"), places, DigitFace::kSmall, x, y, 10);
    x += 10 * places + 2;
  }
  dst.Line(x, y + 5, x + 6, y + 12, kCream);
  dst.Line(x + 6, y + 5, x, y + 12, kCream);
}

void DrawPauseMark(Surface& dst, const Surface& hud) {
  Shade(dst, 0, 0, dst.width(), dst.height(), kNavy, 96);
  Centred(dst, hud, sheet::kHudPausedBanner, kBannerTop);
  Centred(dst, hud, sheet::kHudGoOnHint, kBannerTop + 32);
}

void DrawCountIn(Surface& dst, const Surface& hud) { Centred(dst, hud, sheet::kHudOpeningBanner, kBannerTop); }

}  // namespace quandel
