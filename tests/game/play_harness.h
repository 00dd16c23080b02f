// Whole plays through the frame step, input scripted by frame, results saved to a scratch folder.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/play_step.h"
#include "persist/data_dir.h"
#include "support/test_support.h"

namespace quandel::testing {

InputEvent Move(float x, float y, int16_t modifiers = 0);
InputEvent Down(int16_t button, float x, float y, int16_t modifiers = 0);
InputEvent WheelTowards();
InputEvent WheelAway();

class PlayHarness {
 public:
  // A live play, like a click on the start entry.
  void PlayLive();
  // The stored replay.dat, like a click on the replay entry.
  void PlayReplay();

  // Live input delivered with the frame step that starts at `frame`, or with the next step.
  void At(int32_t frame, InputEvent e) { scripted_.emplace(frame, e); }
  void Next(InputEvent e) { next_.push_back(e); }
  // Called after every simulated frame; may script live input for the next one.
  std::function<void(PlayHarness&)> everyFrame;

  // One line per frame, without what follows unrecorded moves (the cursor, an idle bomb's or magnet's aim).
  std::vector<std::string> simulation;

  TempDir dir;
  DataDir data{dir.path()};
  Settings settings;
  ScoreTable scores;
  ReplayTable replay;
  PlayState play;

 private:
  void Run();
  std::multimap<int32_t, InputEvent> scripted_;
  std::vector<InputEvent> next_;
};

// Empty when the two runs agree; otherwise where they first part.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b);

// A simple player: holds the cursor at `cursorHeight` and bombs the densest group of boxes.
void BombingPlayer(PlayHarness& h, float cursorHeight);

}  // namespace quandel::testing
