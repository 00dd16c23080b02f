// The mouse and wheel rules on a small state.
#include "game/input.h"

#include <gtest/gtest.h>

#include "support/expect_fields.h"

namespace quandel {
namespace {

TEST(Input, TheQuitButtonTakesItsRightEdgeButNotItsBottomOne) {
  for (auto [x, y, on] : {std::tuple{480, 463, true},
                          {560, 477, true},
                          {479, 470, false},
                          {561, 470, false},
                          {500, 462, false},
                          {500, 478, false}}) {
    EXPECT_EQ(OnQuitButton(x, y), on) << x << "," << y;
  }
}

PlayState Playing() {
  PlayState s;
  s.frameNo = 61, s.timeLeft = 100, s.replayPos = 1;
  s.bombGauge = s.magnetGauge = 1000;
  return s;
}

TEST(Input, MovesAboveTheGuideLineScrollAndOnlyChangesAreRecorded) {
  // frame, y, speed: (96 - y) / 480 * 50, at most 9, nothing during the opening
  for (auto [frame, y, speed] :
       {std::tuple{61, 0.0f, 9.0f}, {61, 48.0f, 5.0f}, {61, 96.0f, 0.0f}, {61, 300.0f, 0.0f}, {60, 0.0f, 0.0f}}) {
    SCOPED_TRACE(::testing::Message() << frame << " " << y);
    PlayState s = Playing();
    s.frameNo = frame;
    ReplayTable r;
    PointerMoved(s, r, 0, kLiveUnmodified, 123, y);
    EXPECT_EQ(s.scrollSpeed, speed) << frame << " " << y;
    EXPECT_EQ(s.replayPos, speed != 0 ? 2 : 1);
    PointerMoved(s, r, 0, kLiveUnmodified, 124, y);
    EXPECT_EQ(s.replayPos, speed != 0 ? 2 : 1);  // same speed: not recorded again
    EXPECT_FIELDS(FIELD(s.blastX, 124), FIELD(s.magnetY, y));
  }
}

TEST(Input, BombsAndMagnetsCostAThirdOfTheirGauge) {
  ReplayTable r;
  SoundCues sounds;
  PlayState s = Playing();
  s.chainFuse = {3, 0, 0, 0, 0};
  Clicked(s, r, sounds, 1, kLiveUnmodified, 100, 200);
  Clicked(s, r, sounds, 1, kLiveUnmodified, 120, 220);  // a blast is running: ignored, not recorded
  Clicked(s, r, sounds, 2, kLiveUnmodified, 140, 240);
  EXPECT_FIELDS(FIELD(s.blastTimer, 1), FIELD(s.blastX, 100), FIELD(s.blastSlot, 1), FIELD(s.bombGauge, 0));
  EXPECT_FIELDS(FIELD(s.magnetTimer, 1), FIELD(s.magnetY, 240), FIELD(s.magnetReach, 100), FIELD(s.magnetGauge, 0));
  EXPECT_EQ(sounds, (SoundCues{{SoundCue::Kind::kBomb}, {SoundCue::Kind::kMagnet}}));
  EXPECT_FIELDS(FIELD(r.replay[1].flags, kEventLeftClick), FIELD(r.replay[2].flags, kEventRightClick),
                FIELD(s.replayPos, 3));

  s = Playing();
  s.bombGauge = s.magnetGauge = 999;
  sounds.clear();
  for (int16_t button : {1, 2, 3}) Clicked(s, r, sounds, button, kLiveUnmodified, 100, 200);
  EXPECT_FIELDS(FIELD(s.blastTimer, 0), FIELD(s.magnetTimer, 0));
  EXPECT_EQ(sounds, (SoundCues{{SoundCue::Kind::kShort}, {SoundCue::Kind::kShort}}));
  EXPECT_EQ(s.replayPos, 3);  // the two tries are recorded all the same
}

TEST(Input, PastTheLastSlotEveryEventLandsInIt) {
  PlayState s = Playing();
  ReplayTable r;
  s.replayPos = kReplayLastSlot - 1;
  for (int i = 0; i < 3; ++i) WheelTowards(s, r, kLiveUnmodified);
  WheelAway(s, r, kLiveUnmodified);
  EXPECT_EQ(s.replayPos, kReplayLastSlot);
  EXPECT_EQ(r.replay[kReplayLastSlot].flags, 2 * kEventWheelTowards + kEventWheelAway);
}

}  // namespace
}  // namespace quandel
