// The layout tables themselves, the BMP encoding and the generator's output files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

#include "art.h"

namespace quandel::art {
namespace {

using sheet::Piece;
using sheet::Rect;
using sheet::Sprite;
namespace fs = std::filesystem;

struct Named {
  Rect r;
  std::string what;
};

// Every rectangle of the title and HUD sheets, as the layout names them.
std::vector<Named> TitleRects() {
  using namespace sheet;
  std::vector<Named> v;
  auto add = [&](const Sprite& s, const std::string& n) {
    v.push_back({s.image, n + " image"});
    v.push_back({s.mask, n + " mask"});
  };
  add(kTitleStartNormal, "start"), add(kTitleStartHover, "start hover");
  add(kTitleReplayNormal, "replay"), add(kTitleReplayHover, "replay hover");
  add(kTitleFrameSkipLabel, "frame skip"), add(kTitleMusicLabel, "music"), add(kTitleEffectsLabel, "effects");
  add(kTitleLogo, "logo"), add(kTitleHighScoreLabel, "hi-score");
  add(kTitleBottomLeft, "bottom left"), add(kTitleBottomRight, "bottom right");
  add(kTitleBusyLeft, "busy left"), add(kTitleBusyRight, "busy right");
  for (Look l : {Look::kNormal, Look::kHover, Look::kSelected}) {
    const std::string n = std::to_string(static_cast<int>(l));
    for (int e = 0; e < kTitleFrameSkipEntries; ++e) add(kTitleFrameSkipEntry(e, l), "skip " + std::to_string(e) + "/" + n);
    add(kTitleOnWord(l), "on/" + n), add(kTitleOffWord(l), "off/" + n), add(kTitleMiddleWord(l), "middle/" + n);
  }
  return v;
}

std::vector<Named> HudRects() {
  using namespace sheet;
  std::vector<Named> v;
  auto add = [&](const Sprite& s, const std::string& n) {
    v.push_back({s.image, n + " image"});
    v.push_back({s.mask, n + " mask"});
  };
  for (int d = 0; d < 10; ++d) {
    const std::string n = std::to_string(d);
    add(kHudLargeDigit(d), "large " + n), add(kHudMediumDigit(d, false), "medium " + n);
    add(kHudMediumDigit(d, true), "warning " + n), add(kHudSmallDigit(d), "small " + n);
  }
  add(kHudPoint(false), "point"), add(kHudPoint(true), "warning point"), add(kHudChainWord, "chain");
  add(kHudExtendLabel, "extend"), add(kHudStageLabel, "stage"), add(kHudTimeLabel, "time");
  add(kHudStageBanner, "stage banner"), add(kHudOpeningBanner, "opening"), add(kHudTimeUpBanner, "time up");
  for (int r = 1; r <= 3; ++r) add(kHudRankBadge(r), "rank " + std::to_string(r));
  add(kHudGaugeLabel, "gauge"), add(kHudLogo, "logo"), add(kHudCursor, "cursor");
  for (std::span<const Piece> list : {std::span<const Piece>(kQuitButtonMask), std::span<const Piece>(kQuitButtonNormal),
                                      std::span<const Piece>(kQuitButtonHover)})
    for (const Piece& p : list) v.push_back({p.src, "quit piece"});
  for (const Piece& p : kReplayLabelMask) v.push_back({p.src, "replay mask piece"});
  for (const Piece& p : kReplayLabelImage) v.push_back({p.src, "replay piece"});
  return v;
}

bool Overlap(Rect a, Rect b) { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; }

// Rectangles lie inside their sheet and never share pixels unless they are the same shared
// rectangle (a mask used by several looks).
void ExpectDisjoint(const std::vector<Named>& rects, int w, int h) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect a = rects[i].r;
    EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= w && a.y + a.h <= h) << rects[i].what;
    for (size_t j = i + 1; j < rects.size(); ++j)
      if (!(a == rects[j].r)) {
        EXPECT_FALSE(Overlap(a, rects[j].r)) << rects[i].what << " / " << rects[j].what;
      }
  }
}

TEST(SheetLayout, RectanglesFitTheirSheetsWithoutOverlap) {
  ExpectDisjoint(TitleRects(), sheet::kTitleSheetWidth, sheet::kTitleSheetHeight);
  ExpectDisjoint(HudRects(), sheet::kHudSheetWidth, sheet::kHudSheetHeight);
  std::vector<Named> boxes;
  for (int k = 0; k < sheet::kBoxKinds; ++k)
    for (int c = 0; c < sheet::kBoxSpinColumns; ++c)
      for (int r = 0; r < sheet::kBoxSpinRows; ++r)
        boxes.push_back({sheet::kBoxCellAt(k, c, r).image, "box"}), boxes.push_back({sheet::kBoxCellAt(k, c, r).mask, "box mask"});
  ExpectDisjoint(boxes, sheet::kBoxSheetWidth, sheet::kBoxSheetHeight);
}

TEST(SheetLayout, BoxCellFollowsTheSpinPhases) {
  const Sprite s = sheet::kBoxCell(2, 699, 0);
  EXPECT_EQ(s.image, (Rect{352, 0, 16, 16}));
  EXPECT_EQ(s.mask, (Rect{352, 16, 16, 16}));
  // Right after a roll-over spinA may stand in 700..799.
  EXPECT_EQ(sheet::kBoxCell(0, 799, 699).image, (Rect{112, 192, 16, 16}));
  EXPECT_EQ(sheet::kBoxCell(1, 0, 100).mask, (Rect{128, 48, 16, 16}));
}

// Assembled pictures are covered exactly once by their pieces.
TEST(SheetLayout, PiecesTileTheirPicture) {
  auto check = [](std::span<const Piece> pieces, int w, int h, const char* what) {
    std::vector<int> hits(w * h, 0);
    for (const Piece& p : pieces)
      for (int y = 0; y < p.src.h; ++y)
        for (int x = 0; x < p.src.w; ++x) {
          ASSERT_TRUE(p.dx + x < w && p.dy + y < h) << what;
          ++hits[(p.dy + y) * w + p.dx + x];
        }
    EXPECT_EQ(std::count(hits.begin(), hits.end(), 1), w * h) << what;
  };
  using namespace sheet;
  check(kQuitButtonMask, kQuitButtonWidth, kQuitButtonHeight, "quit mask");
  check(kQuitButtonNormal, kQuitButtonWidth, kQuitButtonHeight, "quit");
  check(kQuitButtonHover, kQuitButtonWidth, kQuitButtonHeight, "quit hover");
  check(kReplayLabelMask, kReplayLabelWidth, kReplayLabelHeight, "replay mask");
  check(kReplayLabelImage, kReplayLabelWidth, kReplayLabelHeight, "replay");
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(Bmp, RowsBottomUpInBgrPaddedToFourBytes) {
  Image img(5, 2, kWhite);
  img.Set(0, 0, 0x112233);  // top-left
  img.Set(4, 1, 0xA0B0C0);  // bottom-right
  const std::vector<uint8_t> b = EncodeBmp(img);
  const size_t row = 16;  // 5 * 3 = 15 bytes, padded
  ASSERT_EQ(b.size(), 54 + 2 * row);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Le32(b, 2), b.size());
  EXPECT_EQ(Le32(b, 10), 54u);
  EXPECT_EQ(Le32(b, 18), 5u);
  EXPECT_EQ(Le32(b, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(b[28], 24);
  EXPECT_EQ(Le32(b, 30), 0u);
  // The bottom row comes first.
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54 + 12, b.begin() + 54 + 15), (std::vector<uint8_t>{0xC0, 0xB0, 0xA0}));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54 + row, b.begin() + 54 + row + 3),
            (std::vector<uint8_t>{0x33, 0x22, 0x11}));
  EXPECT_EQ(b[54 + 15], 0);
  EXPECT_EQ(b[54 + row + 15], 0);
}

std::vector<uint8_t> Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path RunGenerator(const std::string& tag) {
  const fs::path dir = fs::temp_directory_path() / ("quandel-art-" + tag + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "img");
  fs::create_directories(dir / "preview");
  const std::string cmd = std::string(GEN_ART_PATH) + " " + (dir / "img").string() + " " + (dir / "preview").string();
  EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
  return dir;
}

// Two runs write the same bytes, and those bytes are the sheets the other tests look at.
TEST(Generator, WritesTheSameFilesOnEveryRun) {
  const fs::path a = RunGenerator("a"), b = RunGenerator("b");
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(a)) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), a);
    const std::vector<uint8_t> one = Slurp(entry.path());
    EXPECT_FALSE(one.empty()) << rel;
    EXPECT_EQ(one, Slurp(b / rel)) << rel;
    ++compared;
  }
  EXPECT_GE(compared, 6);  // three sheets and their previews at least

  const Fonts fonts(DefaultFontDir());
  EXPECT_EQ(Slurp(a / "img" / "cube.bmp"), EncodeBmp(DrawBoxSheet()));
  EXPECT_EQ(Slurp(a / "img" / "title.bmp"), EncodeBmp(DrawTitleSheet(fonts)));
  EXPECT_EQ(Slurp(a / "img" / "lg.bmp"), EncodeBmp(DrawHudSheet(fonts)));
  const std::vector<uint8_t> title = Slurp(a / "img" / "title.bmp");
  EXPECT_EQ(Le32(title, 18), 288u);
  EXPECT_EQ(Le32(title, 22), 437u);
  fs::remove_all(a);
  fs::remove_all(b);
}

TEST(Generator, MissingFontsFailLoudly) {
  EXPECT_THROW(Fonts("/nonexistent-font-dir"), std::runtime_error);
}

}  // namespace
}  // namespace quandel::art
