// The HUD sheet: digits in three sizes, labels, banners, badges, logo, cursor and the two
// pictures put together from pieces (quit button, replay label).
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "canvas.h"

namespace quandel::art {
namespace {

struct DigitSet {
  double size, baseline;
};

// One size and one baseline for all ten digits of a set, so that numbers line up.
// The digits keep within max_w x max_h, centred in a cell h pixels high.
DigitSet FitDigits(cairo_font_face_t* face, double max_size, double outline, double max_w, double max_h, int h) {
  TextStyle st{face, max_size, {}, {}, palette::kInk, outline};
  for (char d = '0'; d <= '9'; ++d) st.size = FitSize(st, std::string(1, d), max_w, max_h);
  return {st.size, std::round((h + CapHeight(face, st.size)) / 2)};
}

void PutDigit(Image& out, const DigitSet& set, cairo_font_face_t* face, double outline, int d,
              std::span<const Tone> tones, std::span<const Rect> images, Rect mask) {
  std::vector<std::unique_ptr<Layer>> layers;
  std::vector<const Layer*> ptrs;
  const std::string text(1, static_cast<char>('0' + d));
  for (const Tone& t : tones) {
    layers.push_back(std::make_unique<Layer>(mask.w, mask.h));
    TextStyle st{face, set.size, t.top, t.bottom, palette::kInk, outline};
    if (outline == 0) {
      // Too small for an outline: a drop shadow keeps the digit apart from the ground instead,
      // and a thicker stroke keeps it from breaking up.
      st.embolden = 0.9;
      const TextStyle shadow{face, set.size, palette::kInk, palette::kInk, palette::kInk, 0, 0.9};
      DrawTextCentred(layers.back()->cr(), shadow, text, mask.w / 2.0, set.baseline + 1);
      DrawTextCentred(layers.back()->cr(), st, text, mask.w / 2.0, set.baseline);
    } else {
      DrawTextCentred(layers.back()->cr(), st, text, mask.w / 2.0, set.baseline);
    }
    ptrs.push_back(layers.back().get());
  }
  PutLooks(out, ptrs, images, mask);
}

void PutWord(Image& out, cairo_font_face_t* face, double size, Tone tone, double outline, std::string_view text,
             const Sprite& where) {
  Layer layer(where.image.w, where.image.h);
  DrawWord(layer, face, size, tone, outline, text);
  PutSprite(out, layer, where);
}

void Plate(cairo_t* cr, double x, double y, double w, double h, double r, Tone fill, double line) {
  RoundedRect(cr, x, y, w, h, r);
  cairo_pattern_t* grad = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(grad, 0, fill.top.r, fill.top.g, fill.top.b);
  cairo_pattern_add_color_stop_rgb(grad, 1, fill.bottom.r, fill.bottom.g, fill.bottom.b);
  cairo_set_source(cr, grad);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(grad);
  SetRgb(cr, palette::kInk);
  cairo_set_line_width(cr, line);
  cairo_stroke(cr);
}

constexpr double kLabelSize = 12.5;
constexpr int kRankTagWidth = 34;

// Ink lettering on a plate (badges, hovered button).
constexpr Tone kInkTone{palette::kInk, palette::kInk};

void DrawCursor(cairo_t* cr) {
  const double c = sheet::kHudCursor.image.w / 2.0;
  auto shape = [&] {
    cairo_new_path(cr);
    cairo_arc(cr, c, c, 8, 0, 2 * M_PI);
    for (int i = 0; i < 4; ++i) {
      const double dx = std::cos(i * M_PI / 2), dy = std::sin(i * M_PI / 2);
      cairo_move_to(cr, c + 4 * dx, c + 4 * dy);
      cairo_line_to(cr, c + 11.5 * dx, c + 11.5 * dy);
    }
  };
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  shape();
  SetRgb(cr, palette::kInk);
  cairo_set_line_width(cr, 4.5);
  cairo_stroke(cr);
  shape();
  SetRgb(cr, palette::kCream);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
}

// Two words standing up the feet of the gauges, read from the bottom.
void DrawGaugeLabel(const Layer& layer, const Fonts& fonts) {
  cairo_t* cr = layer.cr();
  const char* words[] = {"BOMB", "MAGNET"};
  const double half = layer.width() / 2.0;
  TextStyle st{fonts.condensed(), 14, tone::kCream.top, tone::kCream.bottom, palette::kInk, 1.5};
  for (const char* w : words) st.size = FitSize(st, w, layer.height() - 4, half - 1);
  const double cap = CapHeight(st.face, st.size);
  for (int i = 0; i < 2; ++i) {
    cairo_save(cr);
    cairo_translate(cr, half * i + half / 2, layer.height() / 2.0);
    cairo_rotate(cr, -M_PI / 2);
    DrawTextCentred(cr, st, words[i], 0, cap / 2);
    cairo_restore(cr);
  }
}

void DrawReplayLabel(const Layer& layer, const Fonts& fonts) {
  cairo_t* cr = layer.cr();
  const double h = layer.height();
  TextStyle st{fonts.bold(), 18, tone::kSky.top, tone::kSky.bottom, palette::kInk, 1.5};
  const double tri = 12;  // the play sign in front of the word
  st.size = FitSize(st, "REPLAY", layer.width() - tri - 8, h - 6);
  const double cap = CapHeight(st.face, st.size);
  const double base = std::round((h + cap) / 2);
  cairo_new_path(cr);
  cairo_move_to(cr, 3, base - cap);
  cairo_line_to(cr, 3 + tri, base - cap / 2);
  cairo_line_to(cr, 3, base);
  cairo_close_path(cr);
  SetRgb(cr, palette::kInk);
  cairo_set_line_width(cr, 3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetRgb(cr, palette::kAmber);
  cairo_fill(cr);
  DrawTextLeft(cr, st, "REPLAY", 3 + tri + 5, base);
}

}  // namespace

Image DrawHudSheet(const Fonts& fonts) {
  using namespace sheet;
  Image out(kHudSheetWidth, kHudSheetHeight, kWhite);

  const DigitSet large = FitDigits(fonts.bold(), 48, 2.0, 33, 48, 50);
  const DigitSet medium = FitDigits(fonts.bold(), 28, 1.5, 18, 28, 30);
  // The small digits leave room for their thickening and, below, their shadow.
  const DigitSet small = FitDigits(fonts.condensed(), 14, 0.0, 5.6, 8.6, 11);
  for (int d = 0; d < 10; ++d) {
    const Tone cream[] = {tone::kCream};
    const Rect large_img[] = {kHudLargeDigit(d).image};
    PutDigit(out, large, fonts.bold(), 2.0, d, cream, large_img, kHudLargeDigit(d).mask);
    const Tone both[] = {tone::kCream, tone::kWarn};
    const Rect medium_img[] = {kHudMediumDigit(d, false).image, kHudMediumDigit(d, true).image};
    PutDigit(out, medium, fonts.bold(), 1.5, d, both, medium_img, kHudMediumDigit(d).mask);
    const Rect small_img[] = {kHudSmallDigit(d).image};
    PutDigit(out, small, fonts.condensed(), 0.0, d, cream, small_img, kHudSmallDigit(d).mask);
  }

  {
    // The decimal point sits on the medium digits' baseline.
    Layer normal(20, 30), warning(20, 30);
    for (auto [layer, t] : {std::pair{&normal, tone::kCream}, std::pair{&warning, tone::kWarn}}) {
      cairo_t* cr = layer->cr();
      cairo_arc(cr, 10, medium.baseline - 2.5, 2.5, 0, 2 * M_PI);
      SetRgb(cr, palette::kInk);
      cairo_set_line_width(cr, 3);
      cairo_stroke_preserve(cr);
      SetRgb(cr, t.top);
      cairo_fill(cr);
    }
    const Layer* looks[] = {&normal, &warning};
    const Rect images[] = {kHudPoint(false).image, kHudPoint(true).image};
    PutLooks(out, looks, images, kHudPoint().mask);
  }

  {
    // CHAIN follows the medium digits of the chain count on the same line.
    Layer layer(kHudChainWord.image.w, kHudChainWord.image.h);
    const TextStyle st{fonts.bold(), medium.size, tone::kAmber.top, tone::kAmber.bottom, palette::kInk, 1.5};
    DrawTextLeft(layer.cr(), st, "CHAIN", 3, medium.baseline);
    PutSprite(out, layer, kHudChainWord);
  }

  PutWord(out, fonts.condensed(), kLabelSize, tone::kSky, 1.0, "NEXT", kHudExtendLabel);
  PutWord(out, fonts.condensed(), kLabelSize, tone::kSky, 1.0, "STAGE", kHudStageLabel);
  PutWord(out, fonts.condensed(), kLabelSize, tone::kSky, 1.0, "TIME", kHudTimeLabel);
  PutWord(out, fonts.bold(), 18, tone::kAmber, 2.0, "STAGE UP", kHudStageBanner);
  PutWord(out, fonts.bold(), 18, tone::kMint, 2.0, "READY", kHudOpeningBanner);
  PutWord(out, fonts.bold(), 28, tone::kWarn, 2.5, "TIME UP", kHudTimeUpBanner);
  PutWord(out, fonts.bold(), 18, tone::kSky, 2.0, "PAUSED", kHudPausedBanner);
  PutWord(out, fonts.condensed(), kLabelSize, tone::kCream, 1.0, "SPACE: GO ON", kHudGoOnHint);

  {
    static constexpr Tone kMedals[3] = {{Rgb8(255, 222, 110), Rgb8(214, 150, 30)},
                                        {Rgb8(238, 241, 248), Rgb8(150, 158, 178)},
                                        {Rgb8(240, 172, 118), Rgb8(166, 96, 56)}};
    static constexpr const char* kPlaces[3] = {"1ST", "2ND", "3RD"};
    for (int r = 1; r <= 3; ++r) {
      // A tag in the left part only: the badge is drawn 35 pixels left of the score, which it
      // must not cover.
      Layer layer(kHudRankBadge(r).image.w, kHudRankBadge(r).image.h);
      Layer tag(kRankTagWidth - 8, layer.height());
      Plate(layer.cr(), 2.5, 2.5, kRankTagWidth - 5, layer.height() - 5, 7, kMedals[r - 1], 2.0);
      DrawWord(tag, fonts.condensed(), 16, kInkTone, 0.0, kPlaces[r - 1]);
      cairo_set_source_surface(layer.cr(), cairo_get_target(tag.cr()), 4, 0);
      cairo_paint(layer.cr());
      PutSprite(out, layer, kHudRankBadge(r));
    }
  }

  {
    Layer layer(kHudGaugeLabel.image.w, kHudGaugeLabel.image.h);
    DrawGaugeLabel(layer, fonts);
    PutSprite(out, layer, kHudGaugeLabel);
  }
  {
    Layer layer(kHudLogo.image.w, kHudLogo.image.h);
    DrawLogo(layer, fonts);
    PutSprite(out, layer, kHudLogo);
  }
  {
    Layer layer(kHudCursor.image.w, kHudCursor.image.h);
    DrawCursor(layer.cr());
    PutSprite(out, layer, kHudCursor);
  }

  {
    // Quit button: a slate plate at rest, an amber one under the cursor; one shape for both.
    Layer normal(kQuitButtonWidth, kQuitButtonHeight), hover(kQuitButtonWidth, kQuitButtonHeight);
    Plate(normal.cr(), 2, 2, kQuitButtonWidth - 4, kQuitButtonHeight - 4, 4, {palette::kSlate, palette::kSlate}, 1.5);
    DrawWord(normal, fonts.condensed(), 10, tone::kCream, 0.0, "QUIT");
    Plate(hover.cr(), 2, 2, kQuitButtonWidth - 4, kQuitButtonHeight - 4, 4, tone::kAmber, 1.5);
    DrawWord(hover, fonts.condensed(), 10, kInkTone, 0.0, "QUIT");
    const Layer* looks[] = {&normal, &hover};
    Split s = SplitLayers(looks);
    PutPieces(out, s.looks[0], kQuitButtonNormal);
    PutPieces(out, s.looks[1], kQuitButtonHover);
    PutPieces(out, s.mask, kQuitButtonMask);
  }
  {
    Layer layer(kReplayLabelWidth, kReplayLabelHeight);
    DrawReplayLabel(layer, fonts);
    const Layer* looks[] = {&layer};
    Split s = SplitLayers(looks);
    PutPieces(out, s.looks[0], kReplayLabelImage);
    PutPieces(out, s.mask, kReplayLabelMask);
  }
  return out;
}

}  // namespace quandel::art
