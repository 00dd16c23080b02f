// The object update on hand-made states.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/spawn.h"
#include "game/update.h"

namespace quandel {
namespace {

PlayState EmptyField() {
  PlayState s;
  for (Box& b : s.boxes) b.state = 2;
  for (Star& st : s.stars) st = Star{0, 0, 0, 0};
  s.fieldWidth = 200;
  s.timeLeft = 3600;
  return s;
}

Box Falling(float x, float y, uint8_t kind = 0) {
  Box b;
  b.state = 0;
  b.kind = kind;
  b.x = x;
  b.y = y;
  b.vy = 1;
  return b;
}

Box Burning(float x, float y, int16_t radius, int16_t time, uint8_t kind = 0) {
  Box b = Falling(x, y, kind);
  b.state = 1;
  b.burnRadius = radius;
  b.burnTime = time;
  return b;
}

TEST(Update, IgnitionFollowsTheIndexOrderWithinAFrame) {
  PlayState s = EmptyField();
  // Box 5 burns; box 9 (after it) and box 2 (before it) are within reach.
  s.boxes[5] = Burning(200, 100, 20, 20);
  s.chainFuse[0] = 3;
  s.chainCount[0] = 1;
  s.boxes[9] = Falling(215, 100);
  s.boxes[2] = Falling(185, 100);
  UpdateObjects(s);
  // Box 9 was lit in pass 5 and burned once more in its own pass; box 2 waits for the next frame.
  EXPECT_EQ(s.boxes[9].state, 1);
  EXPECT_EQ(s.boxes[9].burnTime, 2);
  EXPECT_EQ(s.boxes[2].state, 1);
  EXPECT_EQ(s.boxes[2].burnTime, 1);
  EXPECT_EQ(s.chainCount[0], 3);
  EXPECT_EQ(s.score, 200);  // 100 for each ignition
  EXPECT_EQ(s.igniteCount, 2);
}

TEST(Update, ChainsOnlyCatchCompatibleBoxesThatHaveEnteredTheField) {
  PlayState s = EmptyField();
  s.boxes[0] = Burning(200, 100, 40, 30);
  s.chainFuse[0] = 2;
  s.boxes[1] = Falling(230, 100, 1);  // other kind
  s.boxes[2] = Falling(200, 70, 2);   // special: catches from every kind
  s.boxes[3] = Falling(170, -1, 0);   // still above the top edge
  UpdateObjects(s);
  EXPECT_EQ(s.boxes[1].state, 0);
  EXPECT_EQ(s.boxes[2].state, 1);
  EXPECT_EQ(s.boxes[3].state, 0);
  // ... and the burning special box passes fire to the other kind.
  for (int i = 0; i < 12; ++i) UpdateObjects(s);
  EXPECT_EQ(s.boxes[1].state, 1);
}

TEST(Update, AClosedChainLightsBoxesWithoutReopening) {
  PlayState s = EmptyField();
  s.boxes[0] = Burning(200, 100, 40, 30);
  s.boxes[1] = Falling(220, 100);
  UpdateObjects(s);
  EXPECT_EQ(s.boxes[1].state, 1);
  EXPECT_EQ(s.chainCount[0], 0);
  EXPECT_EQ(s.chainFuse[0], 0);
  EXPECT_EQ(s.score, 100);
}

TEST(Update, ChainBonusGrowsWithTheSquareAndTiesRoundToEven) {
  const std::pair<int16_t, int32_t> cases[] = {{1, 0}, {10, 0}, {11, 10}, {20, 80}, {50, 610}, {100, 2500}};
  for (auto [n, bonus] : cases) {
    PlayState s = EmptyField();
    s.chainCount[3] = n;
    s.chainFuse[3] = 59;
    UpdateObjects(s);
    EXPECT_EQ(s.score, bonus) << n;
    EXPECT_EQ(s.chainShown[3], n);
    EXPECT_EQ(s.chainShownTimer[3], 2);  // closed this frame and already advanced
    EXPECT_EQ(s.chainFuse[3], 0);
  }
}

TEST(Update, GaugesStopAt3000AndBlastIgnitionsCredit) {
  PlayState s = EmptyField();
  s.bombGauge = 2990;
  s.magnetGauge = 100;
  s.blastTimer = 10;
  s.blastX = 200;
  s.blastY = 100;
  s.blastSlot = 2;
  s.chainCount[2] = 29;
  s.boxes[0] = Falling(200, 99);
  UpdateObjects(s);
  EXPECT_EQ(s.boxes[0].state, 1);
  EXPECT_EQ(s.chainCount[2], 30);
  EXPECT_EQ(s.bombGauge, 3000);
  EXPECT_EQ(s.magnetGauge, 100 + 240);
  EXPECT_EQ(s.score, 130);  // three full tens: 100 + 30
}

TEST(Update, WallsReverseBoxesAndTheBottomCostsTime) {
  PlayState s = EmptyField();
  s.fieldWidth = 201;  // walls at 129.5 and 330.5
  s.timeLeft = 100;
  s.boxes[0] = Falling(130, 100);
  s.boxes[0].vx = -2;
  s.boxes[1] = Falling(330, 200);
  s.boxes[1].vx = 1.5f;
  s.boxes[2] = Falling(200, 499.5f);
  s.boxes[3] = Falling(240, 499.5f);
  UpdateObjects(s);
  EXPECT_EQ(s.boxes[0].x, 129.5f);
  EXPECT_EQ(s.boxes[0].vx, 2.0f);
  EXPECT_EQ(s.boxes[1].x, 330.5f);
  EXPECT_EQ(s.boxes[1].vx, -1.5f);
  EXPECT_EQ(s.boxes[2].state, 2);
  EXPECT_EQ(s.boxes[3].state, 2);
  EXPECT_EQ(s.timeLeft, 0);  // two lost boxes cost 120 frames; time stops at 0
}

TEST(Update, BlastAndMagnetTimersAndDrift) {
  PlayState s = EmptyField();
  s.blastTimer = 1;
  s.blastY = 100;
  s.magnetTimer = 45;
  s.magnetY = 100;
  s.scrollSpeed = 9;
  UpdateObjects(s);
  EXPECT_EQ(s.blastTimer, 2);
  EXPECT_EQ(s.blastRadius, 5);  // 60 - 43^2 / 33.8 = 5.29
  EXPECT_EQ(s.blastY, 109.5f);
  EXPECT_EQ(s.magnetReach, 93);  // 100 - 6.6
  s.blastTimer = 44;
  s.magnetTimer = 59;
  UpdateObjects(s);
  EXPECT_EQ(s.blastTimer, 0);
  EXPECT_EQ(s.blastRadius, 0);
  EXPECT_EQ(s.magnetTimer, 0);
}

TEST(Update, MagnetPullsOnlyWithinReachAndActsOnAJustLitBox) {
  PlayState s = EmptyField();
  s.magnetTimer = 1;
  s.magnetReach = 100;
  s.magnetX = 200;
  s.magnetY = 200;
  s.boxes[0] = Falling(200, 300);   // 100 below: pulled up
  s.boxes[1] = Falling(309, 200);   // 109 away: untouched
  s.boxes[1].vy = 1;
  UpdateObjects(s);
  EXPECT_LT(s.boxes[0].vy, 0.9f);
  EXPECT_EQ(s.boxes[1].vx, 0.0f);
  EXPECT_EQ(s.boxes[1].vy, 1.0f);
}

TEST(Spawn, TheFirstRowOfTheOpeningAndItsTiming) {
  PlayState s = EmptyField();
  s.stage = 0;
  s.frameNo = -2;
  s.spawnMeter = 0;
  SpawnBoxes(s, 0);
  EXPECT_EQ(s.boxes[0].state, 2);  // not before frame -1
  EXPECT_EQ(s.spawnMeter, 4800);
  s.frameNo = -1;
  s.spawnMeter = 0;
  SpawnBoxes(s, 0);
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(s.boxes[k].state, 0);
    EXPECT_EQ(s.boxes[k].kind, 0);
    EXPECT_EQ(s.boxes[k].x, 140.0f + 20 * k);
    EXPECT_EQ(s.boxes[k].y, -50.0f);
  }
  s.frameNo = 5;
  s.spawnMeter = 5990;
  SpawnBoxes(s, 5980);
  EXPECT_EQ(s.boxes[10].state, 2);
  s.spawnMeter = 6000;
  SpawnBoxes(s, 5990);
  EXPECT_EQ(s.boxes[10].state, 0);
  EXPECT_EQ(s.spawnMeter, 6000);
}

TEST(Spawn, AFormationIsCutShortWhenSlotsRunOut) {
  PlayState s = EmptyField();
  for (int i = 0; i < 97; ++i) s.boxes[i].state = 0;
  s.boxes[40].state = 2;
  s.stage = 5;
  s.frameNo = 100;
  s.spawnMeter = 6000;
  const uint32_t before = s.rng.state();
  SpawnBoxes(s, 5990);
  int made = 0;
  for (const Box& b : s.boxes) made += b.state == 0;
  EXPECT_EQ(made, 100);
  EXPECT_EQ(s.boxes[40].x, 140.0f);  // the first box takes the lowest free slot
  Rng expected;
  expected.set_state(before);
  for (int k = 0; k < 8; ++k) expected.Next();  // two spin draws for each of the four boxes made
  EXPECT_EQ(s.rng.state(), expected.state());
}

TEST(Spawn, PatternsOfTheLaterStages) {
  {  // Two loose boxes with their special box, which always drifts left at first.
    PlayState s = EmptyField();
    s.stage = 4;
    s.frameNo = 100;
    s.spawnMeter = 6000;
    SpawnBoxes(s, 5990);
    EXPECT_EQ(s.boxes[0].kind, 0);
    EXPECT_EQ(s.boxes[1].kind, 1);
    EXPECT_EQ(s.boxes[2].kind, 2);
    EXPECT_EQ(s.boxes[2].vx, -0.5f);
    EXPECT_EQ(s.boxes[2].y, -100.0f);
    EXPECT_EQ(s.spawnMeter, 6000);
  }
  {  // Two stacks of four, half a width apart inside the column.
    PlayState s = EmptyField();
    s.stage = 8;
    s.frameNo = 100;
    s.spawnMeter = 8000;
    SpawnBoxes(s, 7990);
    const float gap = std::fabs(s.boxes[4].x - s.boxes[0].x);
    EXPECT_EQ(gap, 100.0f);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(s.boxes[k].kind, k / 4);
      EXPECT_EQ(s.boxes[k].y, -150.0f - 20 * (k % 4));
      EXPECT_EQ(s.boxes[k].x, s.boxes[k < 4 ? 0 : 4].x);
    }
    EXPECT_EQ(s.boxes[8].kind, 2);  // 8000 \ 4000 differs from 7990 \ 4000
  }
  {  // The converging pair closes in as the meter runs through each 2400.
    PlayState s = EmptyField();
    s.stage = 1;
    s.frameNo = 100;
    s.spawnMeter = 4800 + 480;
    SpawnBoxes(s, 4800 + 470);
    EXPECT_EQ(s.boxes[0].x, static_cast<float>(230 + 0.45 * 176));
    EXPECT_EQ(s.boxes[1].x, static_cast<float>(230 - 0.45 * 176));
    EXPECT_NE(s.boxes[0].kind, s.boxes[1].kind);
    EXPECT_EQ(s.boxes[2].state, 2);  // no special box within the 2400
  }
}

}  // namespace
}  // namespace quandel
