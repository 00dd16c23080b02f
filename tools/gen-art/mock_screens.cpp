// Mock screens: the sheets put on a playfield the way the game draws them (OR with the mask,
// then AND with the image), so the art can be judged in place before the game exists.
#include <cairo.h>

#include <cmath>
#include <span>
#include <string>

#include "art.h"

namespace quandel::art {
namespace {

using sheet::Look;
using sheet::Piece;
using sheet::Rect;
using sheet::Sprite;

enum class Op { kOr, kAnd };

void RasterOp(Image& dst, const Image& src, Rect from, int x, int y, Op op) {
  for (int j = 0; j < from.h; ++j)
    for (int i = 0; i < from.w; ++i) {
      const int dx = x + i, dy = y + j;
      if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
      const uint32_t s = src.At(from.x + i, from.y + j), d = dst.At(dx, dy);
      dst.Set(dx, dy, op == Op::kOr ? (d | s) : (d & s));
    }
}

void Masked(Image& dst, const Image& sheet, const Sprite& s, int x, int y) {
  RasterOp(dst, sheet, s.mask, x, y, Op::kOr);
  RasterOp(dst, sheet, s.image, x, y, Op::kAnd);
}

void Pieces(Image& dst, const Image& sheet, std::span<const Piece> pieces, int x, int y, Op op) {
  for (const Piece& p : pieces) RasterOp(dst, sheet, p.src, x + p.dx, y + p.dy, op);
}

// Grey 100 with the column bands at scroll position `scroll` (column 200 wide, centred on 230).
Image Playfield(int scroll) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
  cairo_t* cr = cairo_create(s);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  auto grey = [&](int g) { cairo_set_source_rgb(cr, g / 255.0, g / 255.0, g / 255.0); };
  grey(100);
  cairo_paint(cr);
  const double l = 130, r = 330;
  for (int p = -2; p <= 4; ++p) {
    const int k = scroll / 100 - p;
    const int shade = (k % 10 == 0 ? -20 : 0) + (k % 5 == 0 ? -20 : 0);
    const double top = scroll % 100 + 100 * p;
    const double pts[8][2] = {{l - 10, top + 20},  {l + 10, top},       {r - 10, top},       {r + 10, top + 20},
                              {r + 10, top + 120}, {r - 10, top + 100}, {l + 10, top + 100}, {l - 10, top + 120}};
    cairo_new_path(cr);
    for (auto& pt : pts) cairo_line_to(cr, pt[0], pt[1]);
    cairo_close_path(cr);
    grey(200 + shade);
    cairo_fill(cr);
    cairo_rectangle(cr, l + 11.5, top + 0.5, r - l - 22, 100);
    grey(220 + shade);
    cairo_fill_preserve(cr);
    grey(60);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    grey(160);
    cairo_move_to(cr, l + 10, top + 0.5);
    cairo_line_to(cr, r - 10, top + 0.5);
    cairo_stroke(cr);
    grey(120);
    cairo_move_to(cr, l + 10, top);
    cairo_line_to(cr, l - 10, top + 20);
    cairo_move_to(cr, r - 10, top);
    cairo_line_to(cr, r + 10, top + 20);
    cairo_stroke(cr);
  }
  cairo_surface_flush(s);
  Image out(640, 480, 0);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) out.Set(x, y, reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return out;
}

void Fill(Image& img, int x1, int y1, int x2, int y2, uint32_t c) {
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) img.Set(x, y, c);
}

int DigitAt(const std::string& s, size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : 0; }

}  // namespace

Image ComposeTitleScreen(const Image& title, const Image& hud) {
  using namespace sheet;
  Image scr = Playfield(60);
  Masked(scr, title, kTitleStartHover, 105, 300);
  Masked(scr, title, kTitleReplayNormal, 135, 380);
  Masked(scr, title, kTitleFrameSkipLabel, 350, 230);
  for (int v = 0; v < kTitleFrameSkipEntries; ++v) {
    if (v == 0) {
      Fill(scr, 360, 272, 410, 272, 0xDCDCDC);
      Fill(scr, 360, 274, 410, 275, 0xDCDCDC);
    }
    Masked(scr, title,
           kTitleFrameSkipEntry(v, v == 0   ? Look::kSelected
                                   : v == 2 ? Look::kHover
                                            : Look::kNormal),
           360 + 55 * v, 255);
  }
  for (int dx : {156, 160})
    for (int dy : {58, 62}) RasterOp(scr, title, kTitleLogo.mask, dx, dy, Op::kOr);
  Masked(scr, title, kTitleLogo, 158, 60);
  Masked(scr, title, kTitleMusicLabel, 460, 290);
  Fill(scr, 580, 332, 630, 332, 0xDCDCDC);
  Fill(scr, 580, 334, 630, 335, 0xDCDCDC);
  Masked(scr, title, kTitleOffWord(Look::kNormal), 470, 315);
  Masked(scr, title, kTitleOnWord(Look::kSelected), 580, 315);
  Masked(scr, title, kTitleEffectsLabel, 460, 350);
  Fill(scr, 580, 392, 630, 392, 0xDCDCDC);
  Fill(scr, 580, 394, 630, 395, 0xDCDCDC);
  Masked(scr, title, kTitleOffWord(Look::kNormal), 470, 375);
  Masked(scr, title, kTitleMiddleWord(Look::kHover), 525, 375);
  Masked(scr, title, kTitleOnWord(Look::kSelected), 580, 375);
  Masked(scr, title, kTitleHighScoreLabel, 370, 30);
  Masked(scr, hud, kHudStageLabel, 585, 30);
  const std::string stages[3] = {"12", "07", "03"}, scores[3] = {"123456", "098765", "004321"};
  for (int i = 0; i < 2; ++i) Masked(scr, hud, kHudMediumDigit(DigitAt(stages[0], i)), 595 + 20 * i, 70);
  for (int i = 0; i < 6; ++i) Masked(scr, hud, kHudLargeDigit(DigitAt(scores[0], i)), 380 + 35 * i, 50);
  for (int t = 1; t <= 2; ++t) {
    for (int i = 0; i < 2; ++i) Masked(scr, hud, kHudSmallDigit(DigitAt(stages[t], i)), 615 + 9 * i, 88 + 45 * t);
    for (int i = 0; i < 6; ++i) Masked(scr, hud, kHudMediumDigit(DigitAt(scores[t], i)), 470 + 20 * i, 70 + 45 * t);
  }
  Pieces(scr, title, kTitleHelpHintMask, 472, 436, Op::kOr);
  Pieces(scr, title, kTitleHelpHintImage, 472, 436, Op::kAnd);
  RasterOp(scr, title, kTitleBottomLeft.mask, 460, 450, Op::kOr);
  RasterOp(scr, title, kTitleBottomRight.mask, 520, 450, Op::kOr);
  RasterOp(scr, title, kTitleBottomLeft.image, 460, 450, Op::kAnd);
  RasterOp(scr, title, kTitleBottomRight.image, 520, 450, Op::kAnd);
  for (int i = 0; i < 3; ++i) Masked(scr, hud, kHudSmallDigit(DigitAt("060", i)), 605 + 10 * i, 465);
  // The busy notice as start-up shows it.
  Masked(scr, title, kTitleBusyLeft, 130, 200);
  Masked(scr, title, kTitleBusyRight, 230, 200);
  return scr;
}

Image ComposePlayScreen(const Image& boxes, const Image& title, const Image& hud) {
  using namespace sheet;
  (void)title;
  Image scr = Playfield(137);
  // Falling boxes of every kind in many poses.
  for (int i = 0; i < 36; ++i) {
    const int kind = i % 3, x = 150 + (i * 37) % 160, y = 20 + i * 12;
    Masked(scr, boxes, kBoxCell(kind, (i * 173) % 800, (i * 251) % 700), x - 8, y - 8);
  }
  Masked(scr, hud, kHudCursor, 260 - 15, 300 - 15);
  // Gauges: bombs two thirds full, magnets one third.
  const double fill[2] = {2.0 / 3, 1.0 / 3};
  const uint32_t colour[2] = {0xFAAA8C, 0x8CFAAA}, mark[2] = {0x964628, 0x289646};
  for (int g = 0; g < 2; ++g) {
    const int l = 20 + 15 * g, r = 35 + 15 * g;
    Fill(scr, l, static_cast<int>(std::lround(479 - 429 * fill[g])), r, 479, colour[g]);
    Fill(scr, l, 50, r, 50, 0);
    Fill(scr, l, 479, r, 479, 0);
    Fill(scr, l, 50, l, 479, 0);
    Fill(scr, r, 50, r, 479, 0);
    for (int j = 1; j <= 2; ++j) {
      const int y = static_cast<int>(std::lround(479 - 429.0 * j / 3));
      Fill(scr, l, y, r, y, mark[g]);
    }
  }
  Masked(scr, hud, kHudGaugeLabel, 20, 405);
  Masked(scr, hud, kHudStageLabel, 390, 80);
  for (int p = 0; p < 2; ++p) Masked(scr, hud, kHudMediumDigit(DigitAt("03", p)), 450 + 22 * p, 62);
  Masked(scr, hud, kHudExtendLabel, 520, 80);
  for (int p = 0; p < 4; ++p) Masked(scr, hud, kHudSmallDigit(DigitAt("0750", p)), 570 + 10 * p, 80);
  for (int p = 0; p < 6; ++p) Masked(scr, hud, kHudLargeDigit(DigitAt("001234", p)), 410 + 35 * p, 100);
  Masked(scr, hud, kHudRankBadge(1), 375, 130);
  const std::string chains[3] = {"123", "12", "7"};
  for (int p = 0; p < 3; ++p) {
    Fill(scr, 490, 270 + 12 * p, 490 + 40 * (p + 1), 280 + 12 * p, 0xFAFAFA - 0x191919 * p);
    const int n = static_cast<int>(chains[p].size());
    for (int j = 3 - n; j <= 2; ++j)
      Masked(scr, hud, kHudMediumDigit(DigitAt(chains[p], j - (3 - n))), 440 + 20 * j, 160 + 35 * p);
    Masked(scr, hud, kHudChainWord, 515, 160 + 35 * p);
  }
  const std::string time = "09.98";
  for (int p = 0; p < 5; ++p) {
    if (p == 2)
      Masked(scr, hud, kHudPoint(true), 555, 20);
    else
      Masked(scr, hud, kHudMediumDigit(DigitAt(time, p), true), 520 + 20 * p - (p > 1 ? 10 : 0), 20);
  }
  Masked(scr, hud, kHudStageBanner, 350, 20);
  Masked(scr, hud, kHudTimeLabel, 470, 38);
  Masked(scr, hud, kHudOpeningBanner, 180, 170);
  Masked(scr, hud, kHudTimeUpBanner, 143, 230);
  Pieces(scr, hud, kQuitButtonMask, 480, 463, Op::kOr);
  Pieces(scr, hud, kQuitButtonNormal, 480, 463, Op::kAnd);
  Pieces(scr, hud, kQuitButtonMask, 390, 463, Op::kOr);  // the hovered look beside it
  Pieces(scr, hud, kQuitButtonHover, 390, 463, Op::kAnd);
  Masked(scr, hud, kHudLogo, 440, 400);
  Pieces(scr, hud, kReplayLabelMask, 460, 360, Op::kOr);  // shown instead of the logo in a replay
  Pieces(scr, hud, kReplayLabelImage, 460, 360, Op::kAnd);
  for (int p = 0; p < 3; ++p) Masked(scr, hud, kHudSmallDigit(DigitAt("060", p)), 605 + 10 * p, 465);
  return scr;
}

}  // namespace quandel::art
