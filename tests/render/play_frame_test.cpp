#include "render/play_frame.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "platform/headless/headless_platform.h"
#include "render/draw_common.h"
#include "render/test_sheets.h"
#include "support/test_support.h"

namespace quandel {
namespace {

constexpr int32_t kMarker = Rgb(1, 2, 3);
constexpr int32_t kBlack = Rgb(0, 0, 0);

// A play state with nothing on the field: every box gone, the stars in a corner.
GameState EmptyPlay() {
  GameState s;
  for (Box& b : s.boxes) b.state = 2;
  for (Star& star : s.stars) star = Star{600, 470, 0, 0};
  s.frameNo = 200;
  s.timeLeft = s.timeShown = 3600;
  s.stageBanner = 85;
  s.blastTimer = s.magnetTimer = 1;  // keeps the reach circles away
  return s;
}

struct Sheets {
  explicit Sheets(int drawMode) {
    testing::PrepareTestSurfaces(v, drawMode);
    v.picBack.FilledBox(0, 0, 640, 480, kMarker);
  }
  Surfaces v;
  Surface& back() { return v.picBack; }
};

int32_t ColourOf(const sheet::Sprite& sp) { return testing::SheetColour(sp.image); }

// A HUD picture sits with its top-left corner exactly at (x, y): its border pixel there keeps the
// ground and the pixel inside shows its colour.
void ExpectHud(const Surface& back, int x, int y, const sheet::Sprite& sp, int32_t ground = kMarker) {
  EXPECT_EQ(back.colourAt(x, y), ground) << "corner at " << x << "," << y;
  EXPECT_EQ(back.colourAt(x + testing::kHudInset, y + testing::kHudInset), ColourOf(sp)) << "picture at " << x << "," << y;
}

TEST(LiveBoxes, SpriteCellFollowsTheSpinPhasesAndRoundsToEven) {
  Sheets sheets(0);
  GameState s = EmptyPlay();
  Box& b = s.boxes[7];
  b = Box{100.5f, 50.5f};
  b.kind = 2;
  b.state = 0;
  b.spinA = 699;
  b.spinB = 650;
  DrawLiveBoxes(sheets.back(), sheets.v.picChara, s);
  // Drawn at (92, 42) from the cell of column 6, row 6 of the special block: (352, 192).
  EXPECT_EQ(sheets.back().colourAt(95, 45), testing::SheetColour({352, 192, 16, 16}));
  EXPECT_EQ(sheets.back().colourAt(94, 45), kMarker);
  EXPECT_EQ(sheets.back().colourAt(95, 44), kMarker);
}

TEST(LiveBoxes, SimplifiedBoxIsATintedSquareWithRoundedCorners) {
  Sheets sheets(1);
  GameState s = EmptyPlay();
  s.drawMode = 1;
  Box& b = s.boxes[0];
  b = Box{100.4f, 50.6f};
  b.state = 0;
  sheets.back().SetFillStyle(FillStyle::kSolid);
  DrawLiveBoxes(sheets.back(), sheets.v.picChara, s);
  const Surface& back = sheets.back();
  EXPECT_EQ(back.colourAt(100, 51), Rgb(100, 130, 220));
  EXPECT_EQ(back.colourAt(94, 45), kBlack);
  EXPECT_EQ(back.colourAt(106, 57), kBlack);
  EXPECT_EQ(back.colourAt(93, 45), kMarker);
  EXPECT_EQ(back.colourAt(94, 44), kMarker);
  EXPECT_EQ(back.colourAt(107, 57), kMarker);
  EXPECT_EQ(BoxTint(0), Rgb(20, 20, 50));
  EXPECT_EQ(BoxTint(1), Rgb(50, 20, 20));
  EXPECT_EQ(BoxTint(2), Rgb(20, 20, 20));
}

TEST(BurningBoxes, FireFrameComesFromBurnTimeAndKind) {
  Sheets sheets(0);
  GameState s = EmptyPlay();
  Box& b = s.boxes[3];
  b = Box{300.5f, 200.5f};
  b.kind = 1;
  b.state = 1;
  b.burnTime = 33;  // frame 16: image (90, 270), mask (90, 450)
  Box& c = s.boxes[4];
  c = Box{100, 100};
  c.state = 1;
  c.burnTime = 1;  // frame 0 of colour set 0: image (0, 0), mask (0, 360)
  DrawBurningBoxes(sheets.v, s);
  const Surface& back = sheets.back();
  const int in16 = testing::FireInset(16);  // drawn at (256, 156)
  EXPECT_EQ(back.colourAt(256 + in16, 156 + in16), testing::SheetColour({90, 270, 90, 90}));
  EXPECT_EQ(back.colourAt(255 + in16, 156 + in16), kMarker);
  EXPECT_EQ(back.colourAt(256 + in16, 155 + in16), kMarker);
  const int in0 = testing::FireInset(0);
  EXPECT_EQ(back.colourAt(55 + in0, 55 + in0), testing::SheetColour({0, 0, 90, 90}));
  EXPECT_EQ(back.colourAt(54 + in0, 55 + in0), kMarker);
}

TEST(BurningBoxes, LargeFireIsAFlatRingBetweenItsHoleAndBurnRadius) {
  Sheets sheets(0);
  GameState s = EmptyPlay();
  Box& b = s.boxes[0];
  b = Box{230, 240};
  b.kind = 2;
  b.state = 1;
  b.burnTime = 35;    // hole 120 - 625 / 20.84 = 90.01
  b.burnRadius = 99;
  sheets.back().SetFillStyle(FillStyle::kSolid);
  sheets.v.picFire2.SetFillStyle(FillStyle::kSolid);
  DrawBurningBoxes(sheets.v, s);
  const Surface& back = sheets.back();
  const int32_t ring = s.colours[2];
  for (int r : {92, 95, 98}) {
    EXPECT_EQ(back.colourAt(230 + r, 240), ring) << r;
    EXPECT_EQ(back.colourAt(230, 240 - r), ring) << r;
  }
  for (int r : {0, 50, 88, 101, 110}) EXPECT_EQ(back.colourAt(230 + r, 240), kMarker) << r;
}

TEST(FieldMarkers, BlastEdgeThinsWithAgeAndItsInnerPairCloses) {
  auto blast = [](int16_t timer) {
    Sheets sheets(0);
    GameState s = EmptyPlay();
    s.magnetTimer = 0;
    s.blastTimer = timer;
    s.blastX = s.blastY = 200;
    s.blastRadius = 40;
    DrawBlastAndMagnet(sheets.back(), s);
    return sheets.v.picBack;
  };
  const int32_t red = Rgb(180, 60, 30);
  const Surface t15 = blast(15), t16 = blast(16), t31 = blast(31);
  EXPECT_EQ(t15.colourAt(238, 200), red);
  EXPECT_EQ(t15.colourAt(237, 200), kMarker);
  EXPECT_EQ(t16.colourAt(239, 200), red);
  EXPECT_EQ(t16.colourAt(238, 200), kMarker);
  EXPECT_EQ(t31.colourAt(240, 200), red);
  EXPECT_EQ(t31.colourAt(239, 200), kMarker);
  const Surface t34 = blast(34), t35 = blast(35);  // 1.4 * timer, and one pixel inside it below 35
  EXPECT_EQ(t34.colourAt(248, 200), red);
  EXPECT_EQ(t34.colourAt(247, 200), red);
  EXPECT_EQ(t35.colourAt(249, 200), red);
  EXPECT_EQ(t35.colourAt(248, 200), kMarker);
}

TEST(Scenery, StageTintsWideColumnsAndParticles) {
  Sheets sheets(0);
  GameState s = EmptyPlay();
  s.stage = 20;
  s.extendFlash = 25;
  DrawScenery(sheets.back(), s);
  EXPECT_EQ(sheets.back().colourAt(600, 300), Rgb(100, 100, 112));
  EXPECT_EQ(sheets.back().colourAt(600, 96), Rgb(180, 180, 180));  // guide line
  EXPECT_EQ(sheets.back().colourAt(639, 96), Rgb(180, 180, 180));

  s.stage = 25;
  s.extendFlash = 50;
  DrawScenery(sheets.back(), s);
  EXPECT_EQ(sheets.back().colourAt(600, 300), Rgb(125, 100, 100));

  s.stage = 0;
  s.fieldWidth = 251;
  s.stars[0] = Star{10.5f, 20.5f};  // 2 x 2: 10.5 -> 10, 11.5 -> 12 (ties to even)
  s.stars[50] = Star{30, 40};       // one pixel
  DrawScenery(sheets.back(), s);
  const Surface& back = sheets.back();
  EXPECT_EQ(back.colourAt(600, 300), Rgb(59, 59, 59));
  for (auto [x, y] : {std::pair{10, 20}, {12, 20}, {10, 22}, {12, 22}, {30, 40}}) EXPECT_EQ(back.colourAt(x, y), Rgb(103, 103, 103));
  for (auto [x, y] : {std::pair{11, 21}, {11, 20}, {31, 40}, {30, 41}}) EXPECT_EQ(back.colourAt(x, y), Rgb(59, 59, 59));

  s.fieldWidth = 320;
  DrawScenery(sheets.back(), s);
  EXPECT_EQ(back.colourAt(600, 300), Rgb(10, 10, 10));
  EXPECT_EQ(back.colourAt(30, 40), Rgb(250, 250, 250));
}

TEST(Hud, CountersShowTheirDigitsInPlace) {
  Sheets sheets(0);
  GameState s = EmptyPlay();
  s.stage = 0;
  s.extendMeter = 250.4f;  // 749.6 shows 0750
  s.scoreShown = 1234;
  s.timeShown = s.timeLeft = 599;  // 09.98 in the warning colour
  DrawHud(sheets.back(), sheets.v.picLogo, s, 0);
  const Surface& back = sheets.back();
  ExpectHud(back, 450, 62, sheet::kHudMediumDigit(0));
  ExpectHud(back, 472, 62, sheet::kHudMediumDigit(1));
  const int extend[] = {0, 7, 5, 0};
  for (int p = 0; p < 4; ++p) ExpectHud(back, 570 + 10 * p, 80, sheet::kHudSmallDigit(extend[p]));
  const int score[] = {0, 0, 1, 2, 3, 4};
  for (int p = 0; p < 6; ++p) ExpectHud(back, 410 + 35 * p, 100, sheet::kHudLargeDigit(score[p]));
  ExpectHud(back, 520, 20, sheet::kHudMediumDigit(0, true));
  ExpectHud(back, 540, 20, sheet::kHudMediumDigit(9, true));
  ExpectHud(back, 555, 20, sheet::kHudPoint(true));
  ExpectHud(back, 570, 20, sheet::kHudMediumDigit(9, true));
  ExpectHud(back, 590, 20, sheet::kHudMediumDigit(8, true));
  ExpectHud(back, 20, 405, sheet::kHudGaugeLabel, kBlack);  // its corner lies on the gauge outline
  ExpectHud(back, 390, 80, sheet::kHudStageLabel);
  ExpectHud(back, 520, 80, sheet::kHudExtendLabel);
  ExpectHud(back, 470, 38, sheet::kHudTimeLabel);
  ExpectHud(back, 440, 400, sheet::kHudLogo);
}

TEST(Hud, OverflowingNumbersAndTheNormalTimeColour) {
  Sheets sheets(0);
  GameState s = EmptyPlay();
  s.stage = 120;
  s.extendMeter = 9000;  // threshold 10000 at stage 120: 1000 left
  s.scoreShown = 1234567;
  s.timeShown = s.timeLeft = 6600;
  DrawHud(sheets.back(), sheets.v.picLogo, s, 0);
  const Surface& back = sheets.back();
  ExpectHud(back, 450, 62, sheet::kHudMediumDigit(9));
  ExpectHud(back, 472, 62, sheet::kHudMediumDigit(9));
  for (int p = 0; p < 6; ++p) ExpectHud(back, 410 + 35 * p, 100, sheet::kHudLargeDigit(9));
  ExpectHud(back, 570, 80, sheet::kHudSmallDigit(1));
  ExpectHud(back, 520, 20, sheet::kHudMediumDigit(9));
  ExpectHud(back, 555, 20, sheet::kHudPoint(false));
  ExpectHud(back, 590, 20, sheet::kHudMediumDigit(9));

  // Time being taken away shows in the warning colour even with much left.
  Sheets falling(0);
  s.timeLeft = 3000;
  s.timeShown = 3600;
  s.extendMeter = 12000;  // past the threshold after time-out: 0000
  DrawHud(falling.back(), falling.v.picLogo, s, 0);
  ExpectHud(falling.back(), 520, 20, sheet::kHudMediumDigit(6, true));
  for (int p = 0; p < 4; ++p) ExpectHud(falling.back(), 570 + 10 * p, 80, sheet::kHudSmallDigit(0));
}

TEST(Hud, BannersChainsRankAndButtons) {
  auto hud = [](GameState s, uint8_t rank = 0) {
    Sheets sheets(0);
    DrawHud(sheets.back(), sheets.v.picLogo, s, rank);
    return sheets.v.picBack;
  };
  GameState s = EmptyPlay();
  const int32_t banner = ColourOf(sheet::kHudStageBanner);
  s.stageBanner = 1;
  ExpectHud(hud(s), 614, 20, sheet::kHudStageBanner);
  s.stageBanner = 30;
  ExpectHud(hud(s), 350, 20, sheet::kHudStageBanner);
  s.stageBanner = 61;
  ExpectHud(hud(s), 374, 20, sheet::kHudStageBanner);
  s.stageBanner = 85;
  EXPECT_NE(hud(s).colourAt(351, 21), banner);
  s.stageBanner = 0;
  EXPECT_NE(hud(s).colourAt(351, 21), banner);

  s = EmptyPlay();
  s.frameNo = 60;
  ExpectHud(hud(s), 180, 170, sheet::kHudOpeningBanner);
  s.frameNo = 90;
  ExpectHud(hud(s), 180, 470, sheet::kHudOpeningBanner);
  s.frameNo = 91;
  EXPECT_EQ(hud(s).colourAt(181, 471), kMarker);

  s = EmptyPlay();
  s.timeLeft = 0;
  s.endTimer = 1;  // falls in from y = -4
  EXPECT_EQ(hud(s).colourAt(144, 0), ColourOf(sheet::kHudTimeUpBanner));
  EXPECT_EQ(hud(s).colourAt(144, 31), kMarker);
  s.endTimer = 10005;
  ExpectHud(hud(s), 143, 170, sheet::kHudTimeUpBanner);

  // Chain results slide in from the right; the digits stand right-aligned in three places.
  s = EmptyPlay();
  s.chainShownTimer = {1, 10, 110, 0, 0};
  s.chainShown = {7, 123, 45, 0, 0};
  const Surface chains = hud(s);
  ExpectHud(chains, 580, 160, sheet::kHudMediumDigit(7));
  ExpectHud(chains, 615, 160, sheet::kHudChainWord);
  ExpectHud(chains, 440, 195, sheet::kHudMediumDigit(1));
  ExpectHud(chains, 460, 195, sheet::kHudMediumDigit(2));
  ExpectHud(chains, 480, 195, sheet::kHudMediumDigit(3));
  ExpectHud(chains, 515, 195, sheet::kHudChainWord);
  ExpectHud(chains, 480, 230, sheet::kHudMediumDigit(4));
  ExpectHud(chains, 500, 230, sheet::kHudMediumDigit(5));
  EXPECT_EQ(chains.colourAt(461, 231), kMarker);
  EXPECT_EQ(chains.colourAt(441, 266), kMarker);

  // Chain bars grey down in the second half of the fuse, faster at the widest column.
  s = EmptyPlay();
  s.chainFuse = {59, 59, 20, 0, 0};
  s.chainCount = {20, 20, 30, 40, 0};
  const Surface bars = hud(s);
  EXPECT_EQ(bars.colourAt(500, 275), Rgb(105, 105, 105));
  EXPECT_EQ(bars.colourAt(510, 280), Rgb(105, 105, 105));
  EXPECT_EQ(bars.colourAt(511, 275), kMarker);
  EXPECT_EQ(bars.colourAt(520, 300), Rgb(250, 250, 250));
  EXPECT_EQ(bars.colourAt(495, 310), kMarker);  // no fuse, no bar
  s.fieldWidth = 300;
  EXPECT_EQ(hud(s).colourAt(500, 275), Rgb(18, 18, 18));

  // The replay label stands in for the logo.
  s = EmptyPlay();
  s.replayMode = 1;
  EXPECT_EQ(hud(s).colourAt(461, 411), testing::SheetColour(sheet::kReplayLabelImage[0].src));
}

class Composition : public ::testing::Test {
 protected:
  Composition() : platform(100000), app(platform, DataDir(dir.path())) {
    testing::PrepareTestSurfaces(app.surfaces, 0);
    app.surfaces.picBack2.FilledBox(0, 0, 640, 480, kMarker);
    app.state = EmptyPlay();
    app.state.frameSkip = 0;
    app.state.autoFrameSkip = 0;
  }
  testing::TempDir dir;
  HeadlessPlatform platform;
  App app;
};

TEST_F(Composition, CursorLiesOverTheFireAndUnderTheFallingBoxes) {
  GameState& s = app.state;
  s.cursorX = 100.5f;
  s.cursorY = 50.5f;  // sprite at (86, 36)
  Box& burning = s.boxes[0];
  burning = Box{101, 51};
  burning.state = 1;
  burning.burnTime = 40;
  ComposePlayFrame(app);
  EXPECT_EQ(app.surfaces.picBack.colourAt(87, 37), ColourOf(sheet::kHudCursor));

  Box& falling = s.boxes[1];
  falling = Box{100, 50};
  falling.state = 0;
  ComposePlayFrame(app);
  EXPECT_EQ(app.surfaces.picBack.colourAt(96, 46), testing::SheetColour({0, 0, 16, 16}));
  EXPECT_EQ(app.surfaces.picBack.colourAt(87, 37), ColourOf(sheet::kHudCursor));
}

TEST_F(Composition, PresentsTheBackBufferAndKeepsTheClock) {
  app.state.autoFrameSkip = 1;
  app.playClock.framesPerSecond = 60;
  ComposePlayFrame(app);
  EXPECT_EQ(platform.presentedFrames(), 1);
  const Surface& back = app.surfaces.picBack;
  const Surface& main = app.surfaces.picMain;
  ASSERT_EQ(main.width(), 640);
  EXPECT_TRUE(std::equal(back.pixels(), back.pixels() + 640 * 480, main.pixels()));
  // The counter shows the value it had; the first measurement spans the whole clock reading.
  ExpectHud(back, 605, 465, sheet::kHudSmallDigit(0), back.colourAt(605, 465));
  ExpectHud(back, 615, 465, sheet::kHudSmallDigit(6), back.colourAt(615, 465));
  EXPECT_EQ(app.playClock.framesPerSecond, 1);
  EXPECT_EQ(app.state.frameSkip, 1);
  EXPECT_EQ(app.playClock.lastDrawTime, 100000);
}

TEST_F(Composition, OpeningWipePartsFromTheColumnCentreAndReleasesTheOldPicture) {
  GameState& s = app.state;
  const Surface& back = app.surfaces.picBack;
  s.frameNo = -59;
  ComposePlayFrame(app);
  EXPECT_EQ(back.colourAt(219, 300), kMarker);
  EXPECT_NE(back.colourAt(220, 300), kMarker);
  EXPECT_NE(back.colourAt(239, 300), kMarker);
  EXPECT_EQ(back.colourAt(240, 300), kMarker);

  s.frameNo = -37;
  ComposePlayFrame(app);
  EXPECT_NE(back.colourAt(0, 300), kMarker);
  EXPECT_NE(back.colourAt(459, 300), kMarker);
  EXPECT_EQ(back.colourAt(460, 300), kMarker);

  s.frameNo = -19;
  ComposePlayFrame(app);
  EXPECT_NE(back.colourAt(639, 300), kMarker);
  EXPECT_EQ(app.surfaces.picBack2.width(), 640);

  s.frameNo = 0;
  ComposePlayFrame(app);
  EXPECT_EQ(app.surfaces.picBack2.width(), 0);
  EXPECT_EQ(app.surfaces.picBack2.height(), 0);
}

}  // namespace
}  // namespace quandel
