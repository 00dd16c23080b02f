#include "render/play_frame.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "game/input.h"
#include "platform/headless/headless_platform.h"
#include "render/test_sheets.h"
#include "support/test_support.h"

namespace quandel {
namespace {

constexpr int32_t kMarker = Rgb(1, 2, 3), kBlack = Rgb(0, 0, 0);

// A play state with nothing on the field: every box gone, the stars in a corner.
PlayState EmptyPlay() {
  PlayState s;
  for (Box& b : s.boxes) b.state = BoxState::kGone;
  for (Star& star : s.stars) star = Star{600, 470, 0, 0};
  s.frameNo = 200, s.stageBanner = 85;
  s.timeLeft = s.timeShown = 3600;
  s.blastTimer = s.magnetTimer = 1;  // keeps the reach circles away
  return s;
}

Box& Put(PlayState& s, int i, float x, float y, BoxKind kind, BoxState state) {
  s.boxes[i] = Box{x, y};
  s.boxes[i].kind = kind, s.boxes[i].state = state;
  return s.boxes[i];
}

// The test sheets for `drawMode` over a back buffer filled with the marker colour.
struct Sheets {
  explicit Sheets(int drawMode) {
    testing::PrepareTestSurfaces(v, drawMode);
    v.backBuffer.FilledBox(0, 0, 640, 480, kMarker);
  }
  Surfaces v;
  Surface& back() { return v.backBuffer; }
};

struct Probe {
  int x, y;
  int32_t colour;
};

void Expect(const Surface& back, std::initializer_list<Probe> probes) {
  for (const Probe& p : probes) EXPECT_EQ(back.colourAt(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

int32_t ColourOf(const sheet::Sprite& sp) { return testing::SheetColour(sp.image); }

// A HUD picture's corner is exactly at (x, y): the pixels beside it keep the ground, the one inside shows it.
void ExpectHud(const Surface& back, int x, int y, const sheet::Sprite& sp, int32_t top = kMarker,
               int32_t left = kMarker) {
  static_assert(testing::kHudInset == 1);
  EXPECT_EQ(back.colourAt(x + 1, y), top) << "top border at " << x << "," << y;
  EXPECT_EQ(back.colourAt(x, y + 1), left) << "left border at " << x << "," << y;
  EXPECT_EQ(back.colourAt(x + 1, y + 1), ColourOf(sp)) << "picture at " << x << "," << y;
}

TEST(FieldMarkers, BlastEdgeThinsWithAgeAndItsInnerPairCloses) {
  // The outermost red right of (200, 200), radius 40, and just inside: the edge thickens with age; below 35 a
  // second ring runs one pixel inside 1.4 * timer.
  constexpr int32_t kRed = Rgb(180, 60, 30);
  const struct {
    int16_t timer;
    int edge;
    int32_t inside;
  } cases[] = {{15, 238, kMarker}, {16, 239, kMarker}, {31, 240, kMarker}, {34, 248, kRed}, {35, 249, kMarker}};
  for (const auto& c : cases) {
    Sheets sheets(0);
    PlayState s = EmptyPlay();
    s.magnetTimer = 0, s.blastTimer = c.timer, s.blastRadius = 40;
    s.blastX = s.blastY = 200;
    DrawBlastAndMagnet(sheets.back(), s);
    SCOPED_TRACE(c.timer);
    Expect(sheets.back(), {{c.edge, 200, kRed}, {c.edge - 1, 200, c.inside}});
  }
}

TEST(Scenery, StageTintsWideColumnsAndParticles) {
  const struct {
    int16_t stage, extendFlash;
    float fieldWidth;
    int32_t ground, star;
  } cases[] = {{20, 25, 200, Rgb(100, 100, 112), 0},
               {25, 50, 200, Rgb(125, 100, 100), 0},
               {0, 0, 251, Rgb(59, 59, 59), Rgb(103, 103, 103)},
               {0, 0, 320, Rgb(10, 10, 10), Rgb(250, 250, 250)}};
  for (const auto& c : cases) {
    Sheets sheets(0);
    PlayState s = EmptyPlay();
    s.stage = c.stage, s.extendFlash = c.extendFlash, s.fieldWidth = c.fieldWidth;
    s.stars[0] = Star{10.5f, 20.5f};  // 2 x 2: 10.5 -> 10, 11.5 -> 12 (ties to even)
    s.stars[50] = Star{30, 40};       // one pixel
    DrawScenery(sheets.back(), s);
    SCOPED_TRACE(c.fieldWidth);
    Expect(sheets.back(), {{600, 300, c.ground}, {639, 96, Rgb(180, 180, 180)}});  // the ground and the guide line
    if (c.star != 0)
      Expect(sheets.back(), {{10, 20, c.star},
                             {12, 22, c.star},
                             {30, 40, c.star},
                             {11, 21, c.ground},
                             {31, 40, c.ground},
                             {30, 41, c.ground}});
  }
}

Surface Hud(const PlayState& s, uint8_t rank = 0) {
  Sheets sheets(0);
  DrawHud(sheets.back(), sheets.v.hudSheet, s, rank);
  return sheets.v.backBuffer;
}

struct Place {
  int x, y;
  sheet::Sprite sprite;
};

void ExpectAll(const Surface& back, std::initializer_list<Place> places) {
  for (const Place& p : places) ExpectHud(back, p.x, p.y, p.sprite);
}

// Lit or not, the quit button is drawn inside the area where a click ends the play.
TEST(Hud, TheQuitButtonLightsWhereItTakesClicks) {
  PlayState s = EmptyPlay();
  const Surface normal = Hud(s);
  s.quitHovered = true;
  const testing::Changed lit = testing::ChangedArea(normal, Hud(s));
  ASSERT_LE(lit.left, lit.right) << "not lit";
  EXPECT_TRUE(OnQuitButton(lit.left, lit.top)) << "top left " << lit.left << "," << lit.top;
  EXPECT_TRUE(OnQuitButton(lit.right, lit.bottom)) << "bottom right " << lit.right << "," << lit.bottom;
}

TEST(Hud, CountersLabelsAndOverflowingNumbers) {
  using namespace sheet;
  PlayState s = EmptyPlay();
  s.stage = 0, s.scoreShown = 1234;
  s.extendMeter = 250.4f;          // 749.6 shows 0750
  s.timeShown = s.timeLeft = 599;  // 09.98 in the warning colour
  const Surface back = Hud(s);
  ExpectAll(back, {{472, 62, kHudMediumDigit(1)},
                   {570, 80, kHudSmallDigit(0)},
                   {580, 80, kHudSmallDigit(7)},
                   {590, 80, kHudSmallDigit(5)},
                   {480, 100, kHudLargeDigit(1)},
                   {585, 100, kHudLargeDigit(4)},
                   {540, 20, kHudMediumDigit(9, true)},
                   {590, 20, kHudMediumDigit(8, true)}});
  ExpectHud(back, 555, 20, kHudPoint(true), kMarker, ColourOf(kHudMediumDigit(9, true)));  // over the digit before it

  s.stage = 120, s.scoreShown = 1234567;
  s.extendMeter = 9000;  // threshold 10000 at stage 120: 1000 left
  s.timeShown = s.timeLeft = 6600;
  ExpectAll(Hud(s), {{472, 62, kHudMediumDigit(9)},
                     {410, 100, kHudLargeDigit(9)},
                     {585, 100, kHudLargeDigit(9)},
                     {570, 80, kHudSmallDigit(1)},
                     {590, 20, kHudMediumDigit(9)}});
  ExpectHud(Hud(s), 555, 20, kHudPoint(false), kMarker, ColourOf(kHudMediumDigit(9)));

  // Time being taken away shows in the warning colour even with much left.
  s.timeLeft = 3000, s.timeShown = 3600;
  s.extendMeter = 12000;  // past the threshold after time-out: 0000
  ExpectAll(Hud(s), {{520, 20, kHudMediumDigit(6, true)}, {570, 80, kHudSmallDigit(0)}, {600, 80, kHudSmallDigit(0)}});
}

TEST(Hud, BannersSlideAndWideColumnBarsGreyFaster) {
  using namespace sheet;
  PlayState s = EmptyPlay();
  for (auto [timer, x] : {std::pair{1, 614}, {30, 350}, {61, 374}}) {
    s.stageBanner = static_cast<int16_t>(timer);
    ExpectHud(Hud(s), x, 20, kHudStageBanner);
  }
  for (int timer : {85, 0}) {
    s.stageBanner = static_cast<int16_t>(timer);
    EXPECT_NE(Hud(s).colourAt(351, 21), ColourOf(kHudStageBanner)) << timer;
  }
  s = EmptyPlay();
  s.frameNo = 91;  // the opening banner has dropped out of sight
  EXPECT_EQ(Hud(s).colourAt(181, 471), kMarker);

  // Chain bars grey down faster at the widest column (other widths are in the golden frames).
  s = EmptyPlay();
  s.chainFuse = {59, 0, 0, 0, 0}, s.chainCount = {20, 0, 0, 0, 0}, s.fieldWidth = 300;
  EXPECT_EQ(Hud(s).colourAt(500, 275), Rgb(18, 18, 18));
}

class Composition : public ::testing::Test {
 protected:
  Composition() {
    testing::PrepareTestSurfaces(v, 0);
    v.previousPicture.FilledBox(0, 0, 640, 480, kMarker);
  }
  void Compose() { ComposePlayFrame(v, s, PlayView{0, 0, clock}); }
  Surfaces v;
  PlayState s = EmptyPlay();
  FpsClock clock;
};

TEST_F(Composition, CursorLiesOverTheFireAndUnderTheFallingBoxes) {
  s.cursorX = 100.5f, s.cursorY = 50.5f;  // sprite at (86, 36)
  Put(s, 0, 101, 51, BoxKind::kBlue, BoxState::kBurning).burnTime = 40;
  Compose();
  EXPECT_EQ(v.backBuffer.colourAt(87, 37), ColourOf(sheet::kHudCursor));
  Put(s, 1, 100, 50, BoxKind::kBlue, BoxState::kFalling);
  Compose();
  Expect(v.backBuffer, {{96, 46, testing::SheetColour({0, 0, 16, 16})}, {87, 37, ColourOf(sheet::kHudCursor)}});
}

}  // namespace
}  // namespace quandel
