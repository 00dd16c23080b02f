// Every picture the game reads from the sheets must survive the masked blit: OR with the mask,
// then AND with the image. These tests look at the drawn sheets through the layout tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "art.h"

namespace quandel::art {
namespace {

using sheet::Look;
using sheet::Piece;
using sheet::Rect;
using sheet::Sprite;

struct Sheets {
  Image boxes, title, hud;
};

const Sheets& Drawn() {
  static const Sheets sheets = [] {
    const Fonts fonts(DefaultFontDir());
    return Sheets{DrawBoxSheet(), DrawTitleSheet(fonts), DrawHudSheet(fonts)};
  }();
  return sheets;
}

Image Crop(const Image& from, Rect r) {
  Image out(r.w, r.h, 0);
  for (int y = 0; y < r.h; ++y)
    for (int x = 0; x < r.w; ++x) out.Set(x, y, from.At(r.x + x, r.y + y));
  return out;
}

Image Assemble(const Image& from, std::span<const Piece> pieces, int w, int h) {
  Image out(w, h, 0x123456);  // a colour no sheet uses, so a gap between pieces shows
  for (const Piece& p : pieces)
    for (int y = 0; y < p.src.h; ++y)
      for (int x = 0; x < p.src.w; ++x) out.Set(p.dx + x, p.dy + y, from.At(p.src.x + x, p.src.y + y));
  return out;
}

// A picture as the game puts it on screen: one or more looks over one mask.
struct Drawable {
  std::string name;
  enum Sheet { kBoxes, kTitle, kHud } sheet;
  std::function<std::vector<Image>(const Image&)> looks;
  std::function<Image(const Image&)> mask;
  bool may_touch_edge = false;
};

void PrintTo(const Drawable& d, std::ostream* os) { *os << d.name; }

Drawable Simple(std::string name, Drawable::Sheet s, std::vector<Sprite> looks, bool touch = false) {
  return {std::move(name), s,
          [looks](const Image& sh) {
            std::vector<Image> out;
            for (const Sprite& l : looks) out.push_back(Crop(sh, l.image));
            return out;
          },
          [m = looks.front().mask](const Image& sh) { return Crop(sh, m); }, touch};
}

// A line the game draws as a left and a right half, checked as the whole line.
Drawable Halves(std::string name, Sprite left, Sprite right) {
  auto join = [left, right](const Image& sh, Rect a, Rect b) {
    const Piece ps[] = {{a, 0, 0}, {b, left.image.w, 0}};
    return Assemble(sh, ps, left.image.w + right.image.w, left.image.h);
  };
  return {std::move(name), Drawable::kTitle,
          [=](const Image& sh) { return std::vector<Image>{join(sh, left.image, right.image)}; },
          [=](const Image& sh) { return join(sh, left.mask, right.mask); }};
}

std::vector<Drawable> AllDrawables() {
  using namespace sheet;
  std::vector<Drawable> all;
  const auto T = Drawable::kTitle, H = Drawable::kHud;
  for (int k = 0; k < kBoxKinds; ++k)
    for (int c = 0; c < kBoxSpinColumns; ++c)
      for (int r = 0; r < kBoxSpinRows; ++r)
        all.push_back(Simple("box_k" + std::to_string(k) + "_c" + std::to_string(c) + "_r" + std::to_string(r),
                             Drawable::kBoxes, {kBoxCellAt(k, c, r)}, true));

  all.push_back(Simple("title_start", T, {kTitleStartNormal, kTitleStartHover}));
  all.push_back(Simple("title_replay", T, {kTitleReplayNormal, kTitleReplayHover}));
  all.push_back(Simple("title_frame_skip_label", T, {kTitleFrameSkipLabel}));
  auto three = [](auto f) { return std::vector<Sprite>{f(Look::kNormal), f(Look::kHover), f(Look::kSelected)}; };
  for (int v = 0; v < kTitleFrameSkipEntries; ++v)
    all.push_back(Simple("title_frame_skip_" + std::to_string(v), T,
                         three([v](Look l) { return kTitleFrameSkipEntry(v, l); })));
  all.push_back(Simple("title_music_label", T, {kTitleMusicLabel}));
  all.push_back(Simple("title_effects_label", T, {kTitleEffectsLabel}));
  all.push_back(Simple("title_on", T, three(kTitleOnWord)));
  all.push_back(Simple("title_off", T, three(kTitleOffWord)));
  all.push_back(Simple("title_middle", T, three(kTitleMiddleWord)));
  all.push_back(Simple("title_logo", T, {kTitleLogo}));
  all.push_back(Simple("title_high_score_label", T, {kTitleHighScoreLabel}));
  all.push_back(Halves("title_bottom_label", kTitleBottomLeft, kTitleBottomRight));
  all.push_back(Halves("title_busy", kTitleBusyLeft, kTitleBusyRight));

  for (int d = 0; d < 10; ++d) {
    const std::string n = std::to_string(d);
    all.push_back(Simple("hud_large_" + n, H, {kHudLargeDigit(d)}));
    all.push_back(Simple("hud_medium_" + n, H, {kHudMediumDigit(d, false), kHudMediumDigit(d, true)}));
    all.push_back(Simple("hud_small_" + n, H, {kHudSmallDigit(d)}));
  }
  all.push_back(Simple("hud_point", H, {kHudPoint(false), kHudPoint(true)}));
  all.push_back(Simple("hud_chain", H, {kHudChainWord}));
  all.push_back(Simple("hud_extend_label", H, {kHudExtendLabel}));
  all.push_back(Simple("hud_stage_label", H, {kHudStageLabel}));
  all.push_back(Simple("hud_time_label", H, {kHudTimeLabel}));
  all.push_back(Simple("hud_stage_banner", H, {kHudStageBanner}));
  all.push_back(Simple("hud_opening_banner", H, {kHudOpeningBanner}));
  all.push_back(Simple("hud_time_up_banner", H, {kHudTimeUpBanner}));
  for (int r = 1; r <= 3; ++r) all.push_back(Simple("hud_rank_" + std::to_string(r), H, {kHudRankBadge(r)}));
  all.push_back(Simple("hud_gauge_label", H, {kHudGaugeLabel}));
  all.push_back(Simple("hud_logo", H, {kHudLogo}));
  all.push_back(Simple("hud_cursor", H, {kHudCursor}));
  all.push_back({"hud_quit_button", H,
                 [](const Image& sh) {
                   return std::vector<Image>{Assemble(sh, kQuitButtonNormal, kQuitButtonWidth, kQuitButtonHeight),
                                             Assemble(sh, kQuitButtonHover, kQuitButtonWidth, kQuitButtonHeight)};
                 },
                 [](const Image& sh) { return Assemble(sh, kQuitButtonMask, kQuitButtonWidth, kQuitButtonHeight); }});
  all.push_back({"hud_replay_label", H,
                 [](const Image& sh) {
                   return std::vector<Image>{
                       Assemble(sh, kReplayLabelImage, kReplayLabelWidth, kReplayLabelHeight)};
                 },
                 [](const Image& sh) { return Assemble(sh, kReplayLabelMask, kReplayLabelWidth, kReplayLabelHeight); }});
  return all;
}

const Image& SheetOf(const Drawable& d) {
  const Sheets& s = Drawn();
  return d.sheet == Drawable::kBoxes ? s.boxes : d.sheet == Drawable::kTitle ? s.title : s.hud;
}

class DrawableTest : public testing::TestWithParam<Drawable> {};

// The masked-blit contract for every look of every picture: the mask is pure black and white,
// the picture is more than a speck, nothing of it lies outside the mask (the AND step would
// stain the field), the mask reaches nowhere the picture is white (the OR step would leave a
// white patch), the shape keeps clear of its rectangle's edge (nothing cut off), and the looks
// of one entry (normal, hover, selected, warning) tell apart.
TEST_P(DrawableTest, ObeysTheMaskedBlit) {
  const Drawable& d = GetParam();
  const Image mask = d.mask(SheetOf(d));
  int inside = 0, on_edge = 0;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      const uint32_t p = mask.At(x, y);
      ASSERT_TRUE(p == kWhite || p == kBlack) << "mask pixel " << std::hex << p;
      inside += p == kWhite;
      on_edge += p == kWhite && (x == 0 || y == 0 || x == mask.width - 1 || y == mask.height - 1);
    }
  // At least a tenth of a box cell, or a fortieth of a wider rectangle.
  EXPECT_GE(inside * 10, mask.width * mask.height / (d.sheet == Drawable::kBoxes ? 1 : 4));
  // A box cell may just touch its edge in its widest pose, never run along it.
  EXPECT_LE(on_edge, d.may_touch_edge ? 2 : 0);

  const std::vector<Image> looks = d.looks(SheetOf(d));
  for (size_t l = 0; l < looks.size(); ++l) {
    ASSERT_EQ(looks[l].width, mask.width);
    int strays = 0, holes = 0;
    for (size_t i = 0; i < looks[l].px.size(); ++i) {
      strays += looks[l].px[i] != kWhite && mask.px[i] != kWhite;
      holes += looks[l].px[i] == kWhite && mask.px[i] == kWhite;
    }
    EXPECT_EQ(strays, 0) << "look " << l;
    EXPECT_EQ(holes, 0) << "look " << l;
    for (size_t o = l + 1; o < looks.size(); ++o) EXPECT_NE(looks[l], looks[o]) << "looks " << l << " and " << o;
  }
}

INSTANTIATE_TEST_SUITE_P(Sheets, DrawableTest, testing::ValuesIn(AllDrawables()),
                         [](const testing::TestParamInfo<Drawable>& i) { return i.param.name; });

// Space outside every named rectangle stays white: no element spills out of its own.
TEST(SheetArt, NothingOutsideTheNamedRectangles) {
  std::vector<bool> used[3];
  const Image* sheets[3] = {&Drawn().boxes, &Drawn().title, &Drawn().hud};
  for (int s = 0; s < 3; ++s) used[s].assign(sheets[s]->px.size(), false);
  auto mark = [&](int s, Rect r) {
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) used[s][static_cast<size_t>(y) * sheets[s]->width + x] = true;
  };
  auto mark_pieces = [&](int s, std::span<const Piece> ps) {
    for (const Piece& p : ps) mark(s, p.src);
  };
  using namespace sheet;
  for (int k = 0; k < kBoxKinds; ++k)
    for (int c = 0; c < kBoxSpinColumns; ++c)
      for (int r = 0; r < kBoxSpinRows; ++r) mark(0, kBoxCellAt(k, c, r).image), mark(0, kBoxCellAt(k, c, r).mask);
  for (const Sprite& sp : {kTitleStartNormal, kTitleStartHover, kTitleReplayNormal, kTitleReplayHover,
                           kTitleFrameSkipLabel, kTitleMusicLabel, kTitleEffectsLabel, kTitleLogo,
                           kTitleHighScoreLabel, kTitleBottomLeft, kTitleBottomRight, kTitleBusyLeft, kTitleBusyRight})
    mark(1, sp.image), mark(1, sp.mask);
  for (Look l : {Look::kNormal, Look::kHover, Look::kSelected}) {
    for (int v = 0; v < kTitleFrameSkipEntries; ++v)
      mark(1, kTitleFrameSkipEntry(v, l).image), mark(1, kTitleFrameSkipEntry(v, l).mask);
    for (const Sprite& sp : {kTitleOnWord(l), kTitleOffWord(l), kTitleMiddleWord(l)}) mark(1, sp.image), mark(1, sp.mask);
  }
  for (int d = 0; d < 10; ++d)
    for (const Sprite& sp : {kHudLargeDigit(d), kHudMediumDigit(d, false), kHudMediumDigit(d, true), kHudSmallDigit(d)})
      mark(2, sp.image), mark(2, sp.mask);
  for (int r = 1; r <= 3; ++r) mark(2, kHudRankBadge(r).image), mark(2, kHudRankBadge(r).mask);
  for (const Sprite& sp : {kHudPoint(false), kHudPoint(true), kHudChainWord, kHudExtendLabel, kHudStageLabel,
                           kHudTimeLabel, kHudStageBanner, kHudOpeningBanner, kHudTimeUpBanner, kHudGaugeLabel,
                           kHudLogo, kHudCursor})
    mark(2, sp.image), mark(2, sp.mask);
  mark_pieces(2, kQuitButtonMask), mark_pieces(2, kQuitButtonNormal), mark_pieces(2, kQuitButtonHover);
  mark_pieces(2, kReplayLabelMask), mark_pieces(2, kReplayLabelImage);

  for (int s = 0; s < 3; ++s) {
    int stray = 0;
    for (size_t i = 0; i < used[s].size(); ++i) stray += !used[s][i] && sheets[s]->px[i] != kWhite;
    EXPECT_EQ(stray, 0) << "sheet " << s;
  }
}

// Bounding rows of a mask's white part.
std::pair<int, int> InkRows(const Image& mask) {
  int top = mask.height, bottom = -1;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (mask.At(x, y) == kWhite) top = std::min(top, y), bottom = std::max(bottom, y);
  return {top, bottom};
}

// Numbers read as numbers: within a size, every digit stands on the same line and is as tall.
TEST(SheetArt, DigitsShareBaselineAndHeight) {
  using namespace sheet;
  for (auto digit : {+[](int d) { return kHudLargeDigit(d); }, +[](int d) { return kHudMediumDigit(d); },
                     +[](int d) { return kHudSmallDigit(d); }}) {
    const auto ref = InkRows(Crop(Drawn().hud, digit(1).mask));  // flat-bottomed and flat-topped
    for (int d = 0; d < 10; ++d) {
      const auto rows = InkRows(Crop(Drawn().hud, digit(d).mask));
      EXPECT_NEAR(rows.second, ref.second, 1) << "digit " << d << " of width " << digit(d).image.w;
      EXPECT_NEAR(rows.first, ref.first, 1) << "digit " << d << " of width " << digit(d).image.w;
    }
  }
}

struct Mean {
  double r = 0, g = 0, b = 0;
};
Mean MeanColour(const Image& img) {
  Mean m;
  int n = 0;
  for (uint32_t p : img.px)
    if (p != kWhite) m.r += p >> 16, m.g += (p >> 8) & 255, m.b += p & 255, ++n;
  if (n) m.r /= n, m.g /= n, m.b /= n;
  return m;
}

// Each kind keeps its colour in every pose; the special one is a grey that stands out from the
// playfield's grey 100; and each step of either spin changes the picture.
TEST(SheetArt, BoxesKeepTheirColoursAndVisiblyTurn) {
  using namespace sheet;
  const Image& sh = Drawn().boxes;
  for (int c = 0; c < kBoxSpinColumns; ++c)
    for (int r = 0; r < kBoxSpinRows; ++r) {
      const Mean blue = MeanColour(Crop(sh, kBoxCellAt(0, c, r).image));
      const Mean orange = MeanColour(Crop(sh, kBoxCellAt(1, c, r).image));
      const Mean grey = MeanColour(Crop(sh, kBoxCellAt(2, c, r).image));
      EXPECT_GT(blue.b, blue.r + 40) << c << "," << r;
      EXPECT_GT(orange.r, orange.b + 40) << c << "," << r;
      EXPECT_LT(std::abs(grey.r - grey.b), 12) << c << "," << r;
      EXPECT_GT((grey.r + grey.g + grey.b) / 3, 130) << c << "," << r;
    }
  for (int k = 0; k < kBoxKinds; ++k)
    for (int c = 0; c < kBoxSpinColumns; ++c)
      for (int r = 0; r < kBoxSpinRows; ++r) {
        const Image here = Crop(sh, kBoxCellAt(k, c, r).image);
        if (r + 1 < kBoxSpinRows) {
          EXPECT_NE(here, Crop(sh, kBoxCellAt(k, c, r + 1).image)) << k << c << r;
        }
        if (c + 1 < kBoxSpinColumns) {
          EXPECT_NE(here, Crop(sh, kBoxCellAt(k, c + 1, r).image)) << k << c << r;
        }
      }
}

}  // namespace
}  // namespace quandel::art
