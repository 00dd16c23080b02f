// Watching a replay with the controls: whatever they do, the play is the one the recording makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/headless_replay.h"
#include "app/replay_theatre.h"
#include "game/trace.h"

namespace quandel {
namespace {

constexpr int kStretch[2] = {1000, 1150};

struct Sample {
  Sample() {
    std::string error;
    EXPECT_TRUE(LoadReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", table, &error)) << error;
    start.replayMode = 1;
    SoundCues cues;
    StartPlay(start, table, cues);
    // The straight run: the trace at every 97th position, at every one of a stretch over two key
    // frames, and at the end.
    PlayState s = start;
    ReplayTable t = table;
    ScoreTable scores;
    NoSaving silent;
    do {
      if (length % 97 == 0 || (length >= kStretch[0] && length <= kStretch[1])) lines[length] = TraceLine(s, {});
      ++length;
    } while (!StepPlayFrame(s, t, scores, {}, silent).over);
    lines[--length] = TraceLine(s, {});
  }
  ReplayTable table;
  PlayState start;
  std::map<int, std::string> lines;
  int length = 0;
};

const Sample& TheSample() {
  static const Sample sample;
  return sample;
}

TEST(ReplayTheatre, SeekingToAFrameGivesThePlayOfAStraightRunThere) {
  const Sample& s = TheSample();
  ReplayTheatre theatre(s.start, s.table, ScoreTable{});
  EXPECT_EQ(theatre.length(), s.length);
  for (int frame : {s.length, 97 * 13, 0, 97 * 41, 97, s.length + 500, -3}) {
    theatre.SeekTo(frame);
    const int at = std::clamp(frame, 0, s.length);
    EXPECT_EQ(theatre.position(), at) << frame;
    EXPECT_EQ(TraceLine(theatre.play(), {}), s.lines.at(at)) << frame;
  }
}

TEST(ReplayTheatre, PauseStepSpeedAndSeeksNeverChangeThePlay) {
  const Sample& s = TheSample();
  ReplayTheatre theatre(s.start, s.table, ScoreTable{});
  NoSaving silent;
  // Shown frame -> controls used before it.
  const std::multimap<int, Key> script{
      {10, Key::kDown},      {20, Key::kDown},   {40, Key::kSpace},   {41, Key::kRight},     {42, Key::kRight},
      {43, Key::kSpace},     {50, Key::kUp},     {51, Key::kUp},      {52, Key::kUp},        {53, Key::kPlus},
      {54, Key::kPlus},      {200, Key::kLeft},  {201, Key::kPageUp}, {202, Key::kPageDown}, {203, Key::kHome},
      {204, Key::kPageDown}, {300, Key::kMinus}, {301, Key::kUp},     {302, Key::kOther}};
  int shown = 0, steps = 0, checked = 0;
  while (!theatre.over()) {
    const int before = theatre.position();
    bool step = false;
    const auto [from, to] = script.equal_range(shown);
    for (auto it = from; it != to; ++it) {
      EXPECT_EQ(theatre.Control(it->second), it->second != Key::kOther) << "shown " << shown;
      theatre.Release(it->second);  // a tap
      step = step || it->second == Key::kRight;
    }
    SoundCues sounds;
    theatre.Advance({}, silent, sounds);
    if (theatre.speedQuarters() > 4) { EXPECT_TRUE(sounds.empty()); }
    if (step) {  // one step while paused, one frame
      EXPECT_EQ(theatre.position(), before + 1);
      ++steps;
    }
    if (theatre.paused() && !step) { EXPECT_EQ(theatre.position(), before); }
    const auto line = s.lines.find(theatre.position());
    if (!theatre.over() && line != s.lines.end()) {
      ASSERT_EQ(TraceLine(theatre.play(), {}), line->second) << "shown frame " << shown;
      ++checked;
    }
    ASSERT_LT(++shown, 100000);
  }
  EXPECT_EQ(steps, 2);
  EXPECT_GT(checked, 5);
  EXPECT_EQ(theatre.play().score, 81800);
  EXPECT_LT(shown, s.length / 4);  // mostly at sixteen times
}

// Held, Left plays the play backwards frame by frame, every frame the straight run's and silent;
// let go, it goes on forwards. Tapped, it jumps back 5 s.
TEST(ReplayTheatre, HoldingLeftRewindsThroughTheStraightRunsFrames) {
  const Sample& s = TheSample();
  ReplayTheatre theatre(s.start, s.table, ScoreTable{});
  NoSaving silent;
  SoundCues sounds;
  theatre.SeekTo(kStretch[1] - ReplayTheatre::kHoldFrames);
  theatre.Control(Key::kLeft);
  for (int i = 1; i < ReplayTheatre::kHoldFrames; ++i) theatre.Advance({}, silent, sounds);
  EXPECT_FALSE(theatre.rewinding());
  sounds.clear();
  int expected = theatre.position();
  while (expected > kStretch[0]) {
    theatre.Advance({}, silent, sounds);
    ASSERT_EQ(theatre.position(), --expected);
    ASSERT_EQ(TraceLine(theatre.play(), {}), s.lines.at(expected)) << "frame " << expected;
  }
  EXPECT_TRUE(sounds.empty());
  theatre.Release(Key::kLeft);
  theatre.Advance({}, silent, sounds);
  EXPECT_EQ(theatre.position(), kStretch[0] + 1);
  theatre.Control(Key::kLeft);
  theatre.Advance({}, silent, sounds);
  theatre.Release(Key::kLeft);
  EXPECT_EQ(theatre.position(), kStretch[0] + 2 - 5 * ReplayTheatre::kFramesPerSecond);
}

// Stepped or sought onto the last frame the play waits there; Space or Home plays it again.
TEST(ReplayTheatre, TheLastFrameHoldsUntilPlayedAgain) {
  const Sample& s = TheSample();
  NoSaving silent;
  for (Key again : {Key::kSpace, Key::kHome}) {
    SCOPED_TRACE(again == Key::kSpace ? "Space" : "Home");
    ReplayTheatre theatre(s.start, s.table, ScoreTable{});
    theatre.SeekTo(s.length - 1);
    theatre.Control(Key::kSpace);
    theatre.Control(Key::kRight);
    SoundCues sounds;
    theatre.Advance({}, silent, sounds);
    EXPECT_TRUE(theatre.holdingAtEnd());
    theatre.Control(Key::kPageDown);
    theatre.Control(Key::kRight);
    for (int i = 0; i < 3; ++i) theatre.Advance({}, silent, sounds);
    EXPECT_FALSE(theatre.over());
    EXPECT_EQ(theatre.position(), s.length);
    theatre.Control(again);
    theatre.Advance({}, silent, sounds);
    EXPECT_FALSE(theatre.paused());
    EXPECT_EQ(theatre.position(), 1);
  }
}

}  // namespace
}  // namespace quandel
