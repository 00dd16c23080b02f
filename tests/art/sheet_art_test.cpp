// Every picture read from the drawn sheets through the layout tables survives the masked blit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "art.h"

namespace quandel::art {
namespace {

using namespace sheet;

enum SheetId { kBoxes, kTitle, kHud };

// One look of a picture (normal, hover ...): image and mask pieces; a plain sprite is a single piece.
struct LookPieces {
  std::vector<Piece> image, mask;
};

struct Drawable {
  std::string name;
  SheetId sheet;
  int w, h;
  std::vector<LookPieces> looks;
  bool mayTouchEdge = false;
};

void PrintTo(const Drawable& d, std::ostream* os) { *os << d.name; }

Drawable Simple(std::string name, SheetId s, std::vector<Sprite> sprites, bool touch = false) {
  Drawable d{std::move(name), s, sprites[0].image.w, sprites[0].image.h, {}, touch};
  for (const Sprite& sp : sprites) d.looks.push_back({{{sp.image, 0, 0}}, {{sp.mask, 0, 0}}});
  return d;
}

// A line the game draws as a left and a right half, checked as the whole line.
Drawable Halves(std::string name, Sprite l, Sprite r) {
  return {std::move(name),
          kTitle,
          l.image.w + r.image.w,
          l.image.h,
          {{{{l.image, 0, 0}, {r.image, l.image.w, 0}}, {{l.mask, 0, 0}, {r.mask, l.mask.w, 0}}}}};
}

template <size_t N>
std::vector<Piece> Pieces(const Piece (&pieces)[N]) {
  return {pieces, pieces + N};
}

std::vector<Drawable> AllDrawables() {
  std::vector<Drawable> all;
  for (int k = 0; k < kBoxKinds; ++k)
    for (int c = 0; c < kBoxSpinColumns; ++c)
      for (int r = 0; r < kBoxSpinRows; ++r)
        all.push_back(Simple("box_k" + std::to_string(k) + "_c" + std::to_string(c) + "_r" + std::to_string(r), kBoxes,
                             {kBoxCellAt(k, c, r)}, true));
  auto three = [](auto f) { return std::vector<Sprite>{f(Look::kNormal), f(Look::kHover), f(Look::kSelected)}; };
  for (int v = 0; v < kTitleFrameSkipEntries; ++v)
    all.push_back(Simple("title_frame_skip_" + std::to_string(v), kTitle,
                         three([v](Look l) { return kTitleFrameSkipEntry(v, l); })));
  const std::pair<const char*, std::vector<Sprite>> title[] = {{"start", {kTitleStartNormal, kTitleStartHover}},
                                                               {"replay", {kTitleReplayNormal, kTitleReplayHover}},
                                                               {"frame_skip_label", {kTitleFrameSkipLabel}},
                                                               {"music_label", {kTitleMusicLabel}},
                                                               {"effects_label", {kTitleEffectsLabel}},
                                                               {"on", three(kTitleOnWord)},
                                                               {"off", three(kTitleOffWord)},
                                                               {"middle", three(kTitleMiddleWord)},
                                                               {"logo", {kTitleLogo}},
                                                               {"high_score_label", {kTitleHighScoreLabel}}};
  for (const auto& [name, sprites] : title) all.push_back(Simple(std::string("title_") + name, kTitle, sprites));
  all.push_back(Halves("title_bottom_label", kTitleBottomLeft, kTitleBottomRight));
  all.push_back(Halves("title_busy", kTitleBusyLeft, kTitleBusyRight));
  all.push_back({"title_help_hint",
                 kTitle,
                 kTitleHelpHintWidth,
                 kTitleHelpHintHeight,
                 {{Pieces(kTitleHelpHintImage), Pieces(kTitleHelpHintMask)}}});

  for (int d = 0; d < 10; ++d) {
    const std::string n = std::to_string(d);
    all.push_back(Simple("hud_large_" + n, kHud, {kHudLargeDigit(d)}));
    all.push_back(Simple("hud_medium_" + n, kHud, {kHudMediumDigit(d, false), kHudMediumDigit(d, true)}));
    all.push_back(Simple("hud_small_" + n, kHud, {kHudSmallDigit(d)}));
  }
  const std::pair<const char*, std::vector<Sprite>> hud[] = {{"point", {kHudPoint(false), kHudPoint(true)}},
                                                             {"chain", {kHudChainWord}},
                                                             {"extend_label", {kHudExtendLabel}},
                                                             {"stage_label", {kHudStageLabel}},
                                                             {"time_label", {kHudTimeLabel}},
                                                             {"stage_banner", {kHudStageBanner}},
                                                             {"opening_banner", {kHudOpeningBanner}},
                                                             {"time_up_banner", {kHudTimeUpBanner}},
                                                             {"rank_1", {kHudRankBadge(1)}},
                                                             {"rank_2", {kHudRankBadge(2)}},
                                                             {"rank_3", {kHudRankBadge(3)}},
                                                             {"gauge_label", {kHudGaugeLabel}},
                                                             {"logo", {kHudLogo}},
                                                             {"cursor", {kHudCursor}},
                                                             {"paused_banner", {kHudPausedBanner}},
                                                             {"go_on_hint", {kHudGoOnHint}}};
  for (const auto& [name, sprites] : hud) all.push_back(Simple(std::string("hud_") + name, kHud, sprites));
  all.push_back(
      {"hud_quit_button",
       kHud,
       kQuitButtonWidth,
       kQuitButtonHeight,
       {{Pieces(kQuitButtonNormal), Pieces(kQuitButtonMask)}, {Pieces(kQuitButtonHover), Pieces(kQuitButtonMask)}}});
  all.push_back({"hud_replay_label",
                 kHud,
                 kReplayLabelWidth,
                 kReplayLabelHeight,
                 {{Pieces(kReplayLabelImage), Pieces(kReplayLabelMask)}}});
  return all;
}

const Image& SheetOf(SheetId id) {
  static const std::vector<Image> sheets = [] {
    const Fonts fonts(DefaultFontDir());
    return std::vector<Image>{DrawBoxSheet(), DrawTitleSheet(fonts), DrawHudSheet(fonts)};
  }();
  return sheets[id];
}

// The picture the pieces put together; every pixel must be covered by exactly one piece.
Image Assemble(const Image& sheetImage, const std::vector<Piece>& pieces, int w, int h) {
  Image out(w, h, 0);
  std::vector<int> hits(static_cast<size_t>(w) * h, 0);
  for (const Piece& p : pieces)
    for (int y = 0; y < p.src.h; ++y)
      for (int x = 0; x < p.src.w; ++x) {
        if (p.dx + x >= w || p.dy + y >= h) {
          ADD_FAILURE() << "piece reaches outside the picture";
          return out;
        }
        out.Set(p.dx + x, p.dy + y, sheetImage.At(p.src.x + x, p.src.y + y));
        ++hits[static_cast<size_t>(p.dy + y) * w + p.dx + x];
      }
  EXPECT_EQ(std::count(hits.begin(), hits.end(), 1), w * h) << "pieces do not tile the picture once";
  return out;
}

class DrawableTest : public testing::TestWithParam<Drawable> {};

// Every look: a black-and-white mask, more than a speck, no picture outside the mask (a stain) nor
// white inside it (a patch), clear of the edge (nothing cut off), and distinct from its other looks.
TEST_P(DrawableTest, ObeysTheMaskedBlit) {
  const Drawable& d = GetParam();
  const Image& sh = SheetOf(d.sheet);
  std::vector<Image> images;
  for (const LookPieces& look : d.looks) {
    const Image mask = Assemble(sh, look.mask, d.w, d.h), image = Assemble(sh, look.image, d.w, d.h);
    int inside = 0, onEdge = 0, strays = 0, holes = 0;
    for (int y = 0; y < d.h; ++y)
      for (int x = 0; x < d.w; ++x) {
        const uint32_t m = mask.At(x, y), p = image.At(x, y);
        ASSERT_TRUE(m == kWhite || m == kBlack)
            << "mask pixel " << std::hex << m << " at " << std::dec << x << "," << y;
        inside += m == kWhite;
        onEdge += m == kWhite && (x == 0 || y == 0 || x == d.w - 1 || y == d.h - 1);
        strays += p != kWhite && m != kWhite;
        holes += p == kWhite && m == kWhite;
      }
    // At least a tenth of a box cell, or a fortieth of a wider rectangle.
    EXPECT_GE(inside * 10, d.w * d.h / (d.sheet == kBoxes ? 1 : 4)) << "look " << images.size();
    // A box cell may just touch its edge in its widest pose, never run along it.
    EXPECT_LE(onEdge, d.mayTouchEdge ? 2 : 0) << "look " << images.size();
    EXPECT_EQ(strays, 0) << "look " << images.size();
    EXPECT_EQ(holes, 0) << "look " << images.size();
    for (size_t o = 0; o < images.size(); ++o) EXPECT_NE(image, images[o]) << "looks " << o << " and " << images.size();
    images.push_back(image);
  }
}

INSTANTIATE_TEST_SUITE_P(Sheets, DrawableTest, testing::ValuesIn(AllDrawables()),
                         [](const testing::TestParamInfo<Drawable>& i) { return i.param.name; });

// Rectangles lie inside their sheet without overlapping (a shared mask is one rectangle); the rest is white.
TEST(SheetLayout, RectanglesAreDisjointAndNothingIsDrawnOutsideThem) {
  std::vector<Rect> rects[3];
  for (const Drawable& d : AllDrawables())
    for (const LookPieces& look : d.looks)
      for (const auto* list : {&look.image, &look.mask})
        for (const Piece& p : *list)
          if (std::find(rects[d.sheet].begin(), rects[d.sheet].end(), p.src) == rects[d.sheet].end())
            rects[d.sheet].push_back(p.src);
  for (int s = 0; s < 3; ++s) {
    const Image& sh = SheetOf(static_cast<SheetId>(s));
    const int size[3][2] = {
        {kBoxSheetWidth, kBoxSheetHeight}, {kTitleSheetWidth, kTitleSheetHeight}, {kHudSheetWidth, kHudSheetHeight}};
    EXPECT_EQ(sh.width, size[s][0]) << "sheet " << s;
    EXPECT_EQ(sh.height, size[s][1]) << "sheet " << s;
    std::vector<int> owners(sh.px.size(), 0);
    for (const Rect& r : rects[s]) {
      ASSERT_GE(r.x, 0) << "sheet " << s << ", rectangle at " << r.x << "," << r.y;
      ASSERT_GE(r.y, 0) << "sheet " << s << ", rectangle at " << r.x << "," << r.y;
      ASSERT_LE(r.x + r.w, sh.width) << "sheet " << s << ", rectangle at " << r.x << "," << r.y;
      ASSERT_LE(r.y + r.h, sh.height) << "sheet " << s << ", rectangle at " << r.x << "," << r.y;
      for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) ++owners[static_cast<size_t>(y) * sh.width + x];
    }
    int shared = 0, stray = 0;
    for (size_t i = 0; i < owners.size(); ++i) shared += owners[i] > 1, stray += owners[i] == 0 && sh.px[i] != kWhite;
    EXPECT_EQ(shared, 0) << "sheet " << s;
    EXPECT_EQ(stray, 0) << "sheet " << s;
  }
  // Right after a roll-over spinA may stand in 700..799: still the last column.
  EXPECT_EQ(kBoxCell(0, 799, 699).image, (Rect{112, 192, 16, 16}));
}

}  // namespace
}  // namespace quandel::art
