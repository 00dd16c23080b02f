// The window object: it owns the one game state, the data folder, the frame pacing and the
// platform it talks to, and it routes the window's events to the input handlers.
#pragma once

#include <functional>

#include "app/frame_wait.h"
#include "app/surfaces.h"
#include "game/game_state.h"
#include "persist/data_dir.h"
#include "platform/platform.h"

namespace quandel {

class App : public InputSink {
 public:
  App(Platform& platform, DataDir dir);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Platform& platform;
  DataDir dir;
  GameState state;
  FrameWait frameWait;
  Surfaces surfaces;
  FpsClock playClock;      // the drawing clock of the running play
  uint8_t playRank = 0;    // the place the running play took in the table (0: none)
  bool acceptWheel = true; // wheel notches reach the handlers until the window is unloading

  // Hooks filled by the parts of the program that exist in a given build; empty ones do nothing.
  std::function<void(App&)> composePlayFrame;   // draw and present one frame of a play
  std::function<void(App&)> onPlaySimulated;    // after the object update of every full pass
  std::function<void(App&)> onPlayOver;         // the play hands back to the title screen
  std::function<void(App&)> showBusyOverlay;    // title menu: before the sound channels reopen
  std::function<void(App&)> reopenSoundChannels;

  // InputSink: live events from the platform.
  void MouseMove(int16_t button, int16_t marker, float x, float y) override;
  void MouseDown(int16_t button, int16_t marker, float x, float y) override;
  void WheelTowardsUser() override;
  void WheelAwayFromUser() override;
  void CloseRequested() override;

 private:
  bool inWheelDispatch_ = false;
};

}  // namespace quandel
