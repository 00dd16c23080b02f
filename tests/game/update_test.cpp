// The object update on hand-made states.
#include <gtest/gtest.h>

#include <tuple>

#include "game/game_state.h"
#include "game/update.h"

namespace quandel {
namespace {

PlayState EmptyField() {
  PlayState s;
  for (Box& b : s.boxes) b.state = BoxState::kGone;
  for (Star& st : s.stars) st = Star{0, 0, 0, 0};
  s.fieldWidth = 200;
  s.timeLeft = 3600;
  return s;
}

Box Falling(float x, float y, BoxKind kind = BoxKind::kBlue) {
  Box b{x, y};
  b.kind = kind, b.vy = 1;
  return b;
}

Box Burning(float x, float y, int16_t radius, int16_t time, BoxKind kind = BoxKind::kBlue) {
  Box b = Falling(x, y, kind);
  b.state = BoxState::kBurning, b.burnRadius = radius, b.burnTime = time;
  return b;
}

TEST(Update, IgnitionFollowsTheIndexOrderWithinAFrame) {
  PlayState s = EmptyField();
  // Box 5 burns; box 9 (after it) and box 2 (before it) are within reach.
  s.boxes[5] = Burning(200, 100, 20, 20);
  s.chainFuse[0] = 3, s.chainCount[0] = 1;
  s.boxes[9] = Falling(215, 100), s.boxes[2] = Falling(185, 100);
  UpdateObjects(s);
  // Box 9 was lit in pass 5 and burned once more in its own pass; box 2 waits for the next frame.
  EXPECT_TRUE(s.boxes[9].state == BoxState::kBurning && s.boxes[9].burnTime == 2);
  EXPECT_TRUE(s.boxes[2].state == BoxState::kBurning && s.boxes[2].burnTime == 1);
  EXPECT_EQ(std::tuple(s.chainCount[0], s.score, s.igniteCount), std::tuple(3, 200, 2));
}

TEST(Update, ChainsOnlyCatchCompatibleBoxesThatHaveEnteredTheField) {
  PlayState s = EmptyField();
  s.boxes[0] = Burning(200, 100, 40, 30);
  s.chainFuse[0] = 2;
  s.boxes[1] = Falling(230, 100, BoxKind::kOrange);
  s.boxes[2] = Falling(200, 70, BoxKind::kSpecial);  // catches from every kind
  s.boxes[3] = Falling(150, -1);      // at the top edge after its step, next to burning box 4
  s.boxes[4] = Burning(150, 20, 40, 30);
  UpdateObjects(s);
  EXPECT_EQ(std::tuple(s.boxes[1].state, s.boxes[2].state, s.boxes[3].state), std::tuple(BoxState::kFalling, BoxState::kBurning, BoxState::kFalling));
  // ... and the burning special box passes fire to the other kind.
  for (int i = 0; i < 12; ++i) UpdateObjects(s);
  EXPECT_EQ(s.boxes[1].state, BoxState::kBurning);
}

TEST(Update, AClosedChainLightsBoxesWithoutReopening) {
  PlayState s = EmptyField();
  s.boxes[0] = Burning(200, 100, 40, 30);
  s.boxes[1] = Falling(220, 100);
  UpdateObjects(s);
  EXPECT_EQ(std::tuple(s.boxes[1].state, s.chainCount[0], s.chainFuse[0], s.score), std::tuple(BoxState::kBurning, 0, 0, 100));
}

TEST(Update, ChainBonusGrowsWithTheSquareAndTiesRoundToEven) {
  const std::pair<int16_t, int32_t> cases[] = {{1, 0}, {10, 0}, {11, 10}, {20, 80}, {50, 610}, {100, 2500}};
  for (auto [n, bonus] : cases) {
    PlayState s = EmptyField();
    s.chainCount[3] = n, s.chainFuse[3] = 59;
    UpdateObjects(s);
    // Closed this frame, and the shown result already advanced.
    EXPECT_EQ(std::tuple(s.score, s.chainShown[3], s.chainShownTimer[3], s.chainFuse[3]), std::tuple(bonus, n, 2, 0)) << n;
  }
}

TEST(Update, GaugesStopAt3000AndBlastIgnitionsCredit) {
  PlayState s = EmptyField();
  s.bombGauge = 2990, s.magnetGauge = 100;
  s.blastTimer = 10, s.blastX = 200, s.blastY = 100, s.blastSlot = 2;
  s.chainCount[2] = 29;
  s.boxes[0] = Falling(200, 99);
  UpdateObjects(s);
  // The score: three full tens, 100 + 30.
  EXPECT_EQ(std::tuple(s.boxes[0].state, s.chainCount[2], s.bombGauge, s.magnetGauge, s.score), std::tuple(BoxState::kBurning, 30, 3000, 340, 130));
}

TEST(Update, WallsReverseBoxesAndTheBottomCostsTime) {
  PlayState s = EmptyField();
  s.fieldWidth = 201;  // walls at 129.5 and 330.5
  s.timeLeft = 100;
  s.boxes[0] = Falling(130, 100), s.boxes[0].vx = -2;
  s.boxes[1] = Falling(330, 200), s.boxes[1].vx = 1.5f;
  s.boxes[2] = Falling(200, 499.5f), s.boxes[3] = Falling(240, 499.5f);
  UpdateObjects(s);
  EXPECT_EQ(std::tuple(s.boxes[0].x, s.boxes[0].vx, s.boxes[1].x, s.boxes[1].vx), std::tuple(129.5f, 2.0f, 330.5f, -1.5f));
  // Two lost boxes cost 120 frames; time stops at 0.
  EXPECT_EQ(std::tuple(s.boxes[2].state, s.boxes[3].state, s.timeLeft), std::tuple(BoxState::kGone, BoxState::kGone, 0));
}

TEST(Update, BlastAndMagnetTimersAndDrift) {
  PlayState s = EmptyField();
  s.blastTimer = 1, s.blastY = 100;
  s.magnetTimer = 45, s.magnetY = 100;
  s.scrollSpeed = 9;
  UpdateObjects(s);
  // Radius 60 - 43^2 / 33.8 = 5.29; reach 100 - 6.6.
  EXPECT_EQ(std::tuple(s.blastTimer, s.blastRadius, s.blastY, s.magnetReach), std::tuple(2, 5, 109.5f, 93));
  s.blastTimer = 44, s.magnetTimer = 59;
  UpdateObjects(s);
  EXPECT_EQ(std::tuple(s.blastTimer, s.blastRadius, s.magnetTimer), std::tuple(0, 0, 0));
}

TEST(Update, MagnetPullsWithinReachByItsDistance) {
  PlayState s = EmptyField();
  s.magnetTimer = 1, s.magnetReach = 100, s.magnetX = 200, s.magnetY = 200;
  s.boxes[0] = Falling(200, 300), s.boxes[1] = Falling(309, 200);
  UpdateObjects(s);
  // Magnet at 200.5, box 0 at 301, 100.5 below: a pull of (108 - 100.5) / 100 * 0.4 + 0.4 = 0.43,
  // 0.6 - 0.03 * 1.5 = 0.555 of the speed stays: vy = 0.555 - 0.43 = 0.125.
  EXPECT_NEAR(s.boxes[0].vy, 0.125f, 1e-6f);
  EXPECT_NEAR(s.boxes[0].vx, 0.0f, 1e-6f);
  // Box 1 is just over 109 away, beyond the reach of 100 + 8.
  EXPECT_EQ(std::pair(s.boxes[1].vx, s.boxes[1].vy), std::pair(0.0f, 1.0f));
}

}  // namespace
}  // namespace quandel
