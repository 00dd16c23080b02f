// Formations on an empty field.
#include "game/spawn.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"
#include "support/expect_fields.h"

namespace quandel {
namespace {

// Stage `stage` with the meter raised to `meter` from 10 less.
PlayState Spawned(int16_t stage, int16_t meter) {
  PlayState s;
  for (Box& b : s.boxes) b.state = BoxState::kGone;
  s.fieldWidth = 200, s.stage = stage, s.frameNo = 100, s.spawnMeter = meter;
  SpawnBoxes(s, static_cast<int16_t>(meter - 10));
  return s;
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
  EXPECT_FIELDS(FIELD(s.boxes[40].x, 140.0f), FIELD(s.boxes[41].state, BoxState::kBurning),
                FIELD(s.boxes[99].state, BoxState::kFalling));
  EXPECT_EQ(s.rng.state(), expected.state());
}

// Stage 8 lies beyond the sample play that pins the earlier patterns (BotPlay).
TEST(Spawn, StageEightStandsTwoStacksOfFourHalfAWidthApart) {
  const PlayState s = Spawned(8, 8000);
  EXPECT_EQ(std::fabs(s.boxes[4].x - s.boxes[0].x), 100.0f);
  for (int k = 0; k < 8; ++k) {
    EXPECT_FIELDS(FIELD(s.boxes[k].kind, static_cast<BoxKind>(k / 4)), FIELD(s.boxes[k].y, -150.0f - 20 * (k % 4)),
                  FIELD(s.boxes[k].x, s.boxes[k < 4 ? 0 : 4].x))
        << k;
  }
  EXPECT_EQ(s.boxes[8].kind, BoxKind::kSpecial);  // 8000 starts a new 4000
}

}  // namespace
}  // namespace quandel
