// Formations on an empty field.
#include "game/spawn.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"

namespace quandel {
namespace {

// Stage `stage` with the meter raised to `meter` from `previous` (10 less unless given).
PlayState Spawned(int16_t stage, int16_t meter, int32_t frameNo = 100, int previous = -1) {
  PlayState s;
  for (Box& b : s.boxes) b.state = BoxState::kGone;
  s.fieldWidth = 200, s.stage = stage, s.frameNo = frameNo, s.spawnMeter = meter;
  SpawnBoxes(s, static_cast<int16_t>(previous < 0 ? meter - 10 : previous));
  return s;
}

TEST(Spawn, TheOpeningRowComesAtFrameMinusOneAndThenEvery1200) {
  const PlayState early = Spawned(0, 0, -2, 0);
  EXPECT_TRUE(early.boxes[0].state == BoxState::kGone && early.spawnMeter == 4800);
  const PlayState s = Spawned(0, 0, -1, 0);
  for (int k = 0; k < 10; ++k) {
    EXPECT_TRUE(s.boxes[k].state == BoxState::kFalling && s.boxes[k].kind == BoxKind::kBlue && s.boxes[k].y == -50 && s.boxes[k].x == 140.0f + 20 * k) << k;
  }
  EXPECT_EQ(Spawned(0, 5990).boxes[0].state, BoxState::kGone);
  EXPECT_EQ(Spawned(0, 6000).spawnMeter, 6000);
  EXPECT_EQ(Spawned(0, 7200).boxes[9].kind, BoxKind::kOrange);  // every other 1200 brings the other kind
}

TEST(Spawn, AFormationIsCutShortWhenSlotsRunOutAndDrawsOnlyForTheBoxesMade) {
  PlayState s;
  for (int i = 0; i < 100; ++i) s.boxes[i].state = i < 97 && i != 40 ? BoxState::kFalling : BoxState::kGone;
  s.boxes[41].state = BoxState::kBurning;  // burning boxes keep their slot
  s.stage = 5, s.frameNo = 100, s.spawnMeter = 6000;
  Rng expected;
  for (int k = 0; k < 8; ++k) expected.Next();  // two spin draws for each of the four boxes made
  SpawnBoxes(s, 5990);
  // The first box takes the lowest free slot.
  EXPECT_TRUE(s.boxes[40].x == 140.0f && s.boxes[41].state == BoxState::kBurning && s.boxes[99].state == BoxState::kFalling);
  EXPECT_EQ(s.rng.state(), expected.state());
}

TEST(Spawn, PatternsOfTheLaterStages) {
  {  // Two loose boxes with their special box, which always drifts left at first.
    const PlayState s = Spawned(4, 6000);
    EXPECT_TRUE(s.boxes[0].kind == BoxKind::kBlue && s.boxes[1].kind == BoxKind::kOrange && s.boxes[2].kind == BoxKind::kSpecial);
    EXPECT_TRUE(s.boxes[2].vx == -0.5f && s.boxes[2].y == -100 && s.spawnMeter == 6000);
    const PlayState later = Spawned(4, 6200);  // every 200 a pair, every 6000 a special box
    EXPECT_TRUE(later.boxes[1].state == BoxState::kFalling && later.boxes[2].state == BoxState::kGone);
    EXPECT_EQ(Spawned(4, 6190).boxes[0].state, BoxState::kGone);
  }
  {  // Two stacks of four, half a width apart inside the column.
    const PlayState s = Spawned(8, 8000);
    EXPECT_EQ(std::fabs(s.boxes[4].x - s.boxes[0].x), 100.0f);
    for (int k = 0; k < 8; ++k) {
      EXPECT_TRUE(s.boxes[k].kind == static_cast<BoxKind>(k / 4) && s.boxes[k].y == -150.0f - 20 * (k % 4) && s.boxes[k].x == s.boxes[k < 4 ? 0 : 4].x) << k;
    }
    EXPECT_EQ(s.boxes[8].kind, BoxKind::kSpecial);  // 8000 starts a new 4000
  }
  {  // The converging pair closes in as the meter runs through each 2400: 480 in, 0.45 of 176 out.
    const PlayState s = Spawned(1, 4800 + 480);
    EXPECT_TRUE(std::fabs(s.boxes[0].x - 309.2f) < 1e-4 && std::fabs(s.boxes[1].x - 150.8f) < 1e-4) << s.boxes[0].x << " " << s.boxes[1].x;
    // No special box within the 2400.
    EXPECT_TRUE(s.boxes[0].kind != s.boxes[1].kind && s.boxes[2].state == BoxState::kGone);
  }
}

}  // namespace
}  // namespace quandel
