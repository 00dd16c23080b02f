// The object update on hand-made states.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/update.h"
#include "support/expect_fields.h"

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

TEST(Update, ChainsOnlyCatchCompatibleBoxesThatHaveEnteredTheField) {
  PlayState s = EmptyField();
  s.boxes[0] = Burning(200, 100, 40, 30);
  s.chainFuse[0] = 2;
  s.boxes[1] = Falling(230, 100, BoxKind::kOrange);
  s.boxes[2] = Falling(200, 70, BoxKind::kSpecial);  // catches from every kind
  s.boxes[3] = Falling(150, -1);                     // at the top edge after its step, next to burning box 4
  s.boxes[4] = Burning(150, 20, 40, 30);
  UpdateObjects(s);
  EXPECT_FIELDS(FIELD(s.boxes[1].state, BoxState::kFalling), FIELD(s.boxes[2].state, BoxState::kBurning),
                FIELD(s.boxes[3].state, BoxState::kFalling));
  // ... and the burning special box passes fire to the other kind.
  for (int i = 0; i < 12; ++i) UpdateObjects(s);
  EXPECT_EQ(s.boxes[1].state, BoxState::kBurning);
}

TEST(Update, AClosedChainLightsBoxesWithoutReopening) {
  PlayState s = EmptyField();
  s.boxes[0] = Burning(200, 100, 40, 30);
  s.boxes[1] = Falling(220, 100);
  UpdateObjects(s);
  EXPECT_FIELDS(FIELD(s.boxes[1].state, BoxState::kBurning), FIELD(s.chainCount[0], 0), FIELD(s.chainFuse[0], 0),
                FIELD(s.score, 100));
}

TEST(Update, BlastAndMagnetTimersAndDrift) {
  PlayState s = EmptyField();
  s.blastTimer = 1, s.blastY = 100;
  s.magnetTimer = 45, s.magnetY = 100;
  s.scrollSpeed = 9;
  UpdateObjects(s);
  // Radius 60 - 43^2 / 33.8 = 5.29; reach 100 - 6.6.
  EXPECT_FIELDS(FIELD(s.blastTimer, 2), FIELD(s.blastRadius, 5), FIELD(s.blastY, 109.5f), FIELD(s.magnetReach, 93));
  s.blastTimer = 44, s.magnetTimer = 59;
  UpdateObjects(s);
  EXPECT_FIELDS(FIELD(s.blastTimer, 0), FIELD(s.blastRadius, 0), FIELD(s.magnetTimer, 0));
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
  EXPECT_FIELDS(FIELD(s.boxes[1].vx, 0.0f), FIELD(s.boxes[1].vy, 1.0f));
}

}  // namespace
}  // namespace quandel
