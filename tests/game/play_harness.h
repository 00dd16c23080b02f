// Runs whole plays through the headless platform, as the title screen would start them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game_state.h"
#include "game/play_game.h"
#include "platform/headless/headless_platform.h"
#include "support/test_support.h"

namespace quandel::testing {

class PlayHarness {
 public:
  PlayHarness();

  // A live play, like a click on the start entry.
  void PlayLive();
  // The stored replay.dat, like a click on the replay entry.
  void PlayReplay();

  void At(int32_t frame, ScriptedEvent e) { platform.Script(e.AtFrame(frame)); }
  // Called after every simulated frame; may script live input for the next one.
  std::function<void(PlayHarness&)> everyFrame;

  // The simulation as it matters for reproduction, one line per frame: the cursor and the aim
  // positions of an idle bomb or magnet follow unrecorded moves, so they are left out.
  std::vector<std::string> simulation;

  TempDir dir;
  HeadlessPlatform platform;
  App app;
};

// Empty when the two runs agree; otherwise where they first part.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b);

// A simple player: holds the cursor at `cursorHeight` and bombs the densest group of boxes.
void BombingPlayer(PlayHarness& h, float cursorHeight);

}  // namespace quandel::testing
