// The title sheet: menu entries in their three looks, setting words, labels, logo and notices.
#include <array>
#include <memory>

#include "canvas.h"

namespace quandel::art {
namespace {

using sheet::Look;

constexpr double kRowSize = 16;    // lettering of the 20-pixel rows
constexpr double kLabelSize = 11;  // lettering of the 12-pixel labels

// An entry whose looks differ only in colour, written over one shared mask.
void PutEntry(Image& sheet, cairo_font_face_t* face, double size, double outline, std::string_view text,
              std::span<const Look> looks, std::span<const Rect> images, Rect mask) {
  std::vector<std::unique_ptr<Layer>> layers;
  std::vector<const Layer*> ptrs;
  for (Look look : looks) {
    layers.push_back(std::make_unique<Layer>(mask.w, mask.h));
    DrawWord(*layers.back(), face, size, LookTone(look), outline, text);
    ptrs.push_back(layers.back().get());
  }
  PutLooks(sheet, ptrs, images, mask);
}

void PutThreeLooks(Image& sheet, cairo_font_face_t* face, std::string_view text, Sprite (*entry)(Look)) {
  constexpr Look kLooks[] = {Look::kNormal, Look::kHover, Look::kSelected};
  const Rect images[] = {entry(Look::kNormal).image, entry(Look::kHover).image, entry(Look::kSelected).image};
  PutEntry(sheet, face, kRowSize, 1.5, text, kLooks, images, entry(Look::kNormal).mask);
}

void PutLabel(Image& sheet, cairo_font_face_t* face, double size, double outline, std::string_view text,
              const Sprite& where) {
  Layer layer(where.image.w, where.image.h);
  DrawWord(layer, face, size, tone::kSky, outline, text);
  PutSprite(sheet, layer, where);
}

// A line drawn as a left and a right half: lettered whole, then cut.
void PutHalves(Image& sheet, const Layer& whole, const Sprite& left, const Sprite& right) {
  const Layer* looks[] = {&whole};
  Split s = SplitLayers(looks);
  const int half = left.image.w;
  Blit(sheet, s.looks[0], {0, 0, half, left.image.h}, left.image.x, left.image.y);
  Blit(sheet, s.mask, {0, 0, half, left.image.h}, left.mask.x, left.mask.y);
  Blit(sheet, s.looks[0], {half, 0, right.image.w, right.image.h}, right.image.x, right.image.y);
  Blit(sheet, s.mask, {half, 0, right.image.w, right.image.h}, right.mask.x, right.mask.y);
}

}  // namespace

Image DrawTitleSheet(const Fonts& fonts) {
  using namespace sheet;
  Image out(kTitleSheetWidth, kTitleSheetHeight, kWhite);

  {
    constexpr Look looks[] = {Look::kNormal, Look::kHover};
    const Rect start[] = {kTitleStartNormal.image, kTitleStartHover.image};
    PutEntry(out, fonts.bold(), 26, 2.0, "START", looks, start, kTitleStartNormal.mask);
    const Rect replay[] = {kTitleReplayNormal.image, kTitleReplayHover.image};
    PutEntry(out, fonts.bold(), 20, 2.0, "REPLAY", looks, replay, kTitleReplayNormal.mask);
  }

  PutLabel(out, fonts.condensed(), kRowSize, 1.5, "FRAME SKIP", kTitleFrameSkipLabel);
  static constexpr const char* kSkipWords[kTitleFrameSkipEntries] = {"AUTO", "3", "2", "1", "0"};
  for (int v = 0; v < kTitleFrameSkipEntries; ++v) {
    constexpr Look kLooks[] = {Look::kNormal, Look::kHover, Look::kSelected};
    const Rect images[] = {kTitleFrameSkipEntry(v, Look::kNormal).image, kTitleFrameSkipEntry(v, Look::kHover).image,
                           kTitleFrameSkipEntry(v, Look::kSelected).image};
    PutEntry(out, fonts.condensed(), kRowSize, 1.5, kSkipWords[v], kLooks, images,
             kTitleFrameSkipEntry(v, Look::kNormal).mask);
  }

  PutLabel(out, fonts.condensed(), kRowSize, 1.5, "MUSIC", kTitleMusicLabel);
  PutLabel(out, fonts.condensed(), kRowSize, 1.5, "SOUND", kTitleEffectsLabel);
  PutThreeLooks(out, fonts.condensed(), "ON", kTitleOnWord);
  PutThreeLooks(out, fonts.condensed(), "OFF", kTitleOffWord);
  PutThreeLooks(out, fonts.condensed(), "HALF", kTitleMiddleWord);

  {
    Layer logo(kTitleLogo.image.w, kTitleLogo.image.h);
    DrawLogo(logo, fonts);
    PutSprite(out, logo, kTitleLogo);
  }

  PutLabel(out, fonts.condensed(), kLabelSize, 1.0, "HI-SCORE", kTitleHighScoreLabel);

  {
    // A reminder of the two buttons, under the settings.
    Layer line(kTitleBottomLeft.image.w + kTitleBottomRight.image.w, kTitleBottomLeft.image.h);
    DrawWord(line, fonts.condensed(), kLabelSize - 1, tone::kSky, 1.0, "L: BOMB   R: MAGNET");
    PutHalves(out, line, kTitleBottomLeft, kTitleBottomRight);
  }

  {
    // The key to the how-to-play page, lettered as the reminder of the two buttons.
    Layer line(kTitleHelpHintWidth, kTitleHelpHintHeight);
    DrawWord(line, fonts.condensed(), kLabelSize - 1, tone::kSky, 1.0, "F1: HOW TO PLAY");
    const Layer* looks[] = {&line};
    const Split s = SplitLayers(looks);
    PutPieces(out, s.looks[0], kTitleHelpHintImage);
    PutPieces(out, s.mask, kTitleHelpHintMask);
  }

  {
    // The busy notice goes over whatever is on screen, so it brings its own dark plate.
    Layer notice(kTitleBusyLeft.image.w + kTitleBusyRight.image.w, kTitleBusyLeft.image.h);
    RoundedRect(notice.cr(), 2, 2, notice.width() - 4, notice.height() - 4, 5);
    SetRgb(notice.cr(), palette::kSlate);
    cairo_fill_preserve(notice.cr());
    SetRgb(notice.cr(), palette::kInk);
    cairo_set_line_width(notice.cr(), 1.5);
    cairo_stroke(notice.cr());
    DrawWord(notice, fonts.condensed(), 14, tone::kAmber, 0.0, "NOW LOADING");
    PutHalves(out, notice, kTitleBusyLeft, kTitleBusyRight);
  }
  return out;
}

}  // namespace quandel::art
