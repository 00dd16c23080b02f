// Watching a replay with the controls: whatever they do, the play is the one the recording makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/headless_replay.h"
#include "app/replay_archive.h"
#include "app/replay_theatre.h"
#include "game/trace.h"

namespace quandel {
namespace {

struct Sample {
  Sample() {
    std::string error;
    EXPECT_TRUE(LoadReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", table, &error)) << error;
    start.replayMode = 1;
    SoundCues cues;
    StartPlay(start, table, cues);
    // The straight run: the trace at every 97th position and at the end.
    PlayState s = start;
    ReplayTable t = table;
    ScoreTable scores;
    NoSaving silent;
    do {
      if (length % 97 == 0) lines[length] = TraceLine(s, {});
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
  const std::multimap<int, Key> script{{10, Key::kDown},     {20, Key::kDown},     {40, Key::kSpace},   {41, Key::kRight},
                                       {42, Key::kRight},    {43, Key::kSpace},    {50, Key::kUp},      {51, Key::kUp},
                                       {52, Key::kUp},       {53, Key::kPlus},     {54, Key::kPlus},    {200, Key::kLeft},
                                       {201, Key::kPageUp},  {202, Key::kPageDown}, {203, Key::kHome},   {204, Key::kPageDown},
                                       {300, Key::kMinus},   {301, Key::kUp},      {302, Key::kOther}};
  int shown = 0, steps = 0, checked = 0;
  while (!theatre.over()) {
    const int before = theatre.position();
    bool step = false;
    const auto [from, to] = script.equal_range(shown);
    for (auto it = from; it != to; ++it) {
      EXPECT_EQ(theatre.Control(it->second), it->second != Key::kOther) << "shown " << shown;
      step = step || it->second == Key::kRight;
    }
    SoundCues sounds;
    theatre.Advance({}, silent, sounds);
    if (theatre.speedQuarters() > 4) {
      EXPECT_TRUE(sounds.empty());
    }
    if (step) {  // one step while paused, one frame
      EXPECT_EQ(theatre.position(), before + 1);
      ++steps;
    }
    if (theatre.paused() && !step) {
      EXPECT_EQ(theatre.position(), before);
    }
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

TEST(ReplayArchive, KeepsTheMostRecentAndTheBestAndNothingElseOfOurs) {
  std::vector<std::string> names{"notes.txt", "2026-01-01_00-00-00_12.qreplay"};
  for (int i = 0; i < 210; ++i) {
    const int32_t score = (i == 0 || i == 2 || i == 4) ? 999999 : i;
    names.push_back(ArchiveName(1700000000 + 60 * i, score));
  }
  EXPECT_EQ(ArchivedScore(names[2]), 999999);
  EXPECT_EQ(ArchivedScore("notes.txt"), -1);
  auto pruned = ReplaysToPrune(names);
  std::sort(pruned.begin(), pruned.end());
  // The 200 newest stay, and of the older ones those among the ten best: the three 999999s.
  std::vector<std::string> expected;  // the name with a short score field is not one of ours
  for (int i : {1, 3, 5, 6, 7, 8, 9}) expected.push_back(names[2 + i]);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(pruned, expected);
}

}  // namespace
}  // namespace quandel
