// The window object: it owns the settings, the stored tables, the running play, the sound output,
// the loaded sounds and surfaces, the data folder and the frame pacing, and it routes the window's
// events: queued as the next frame's input of a play, or to the screen shown between plays.
#pragma once

#include <memory>
#include <vector>

#include "app/frame_wait.h"
#include "game/game_state.h"
#include "game/play_step.h"
#include "persist/data_dir.h"
#include "platform/platform.h"
#include "render/surfaces.h"
#include "sound/sound_channels.h"
#include "sound/sound_output.h"

namespace quandel {

// Where the program is: on the title screen or in a play, which entry started the play, and
// whether the window is closing.
struct MenuState {
  uint8_t inPlay = 0;
  uint8_t replayMode = 0;  // the play to start is the stored replay
  uint8_t quitRequested = 0;
  uint8_t frameSkipPhase = 0;  // counts simulated frames between drawn ones, title and play alike
};

// Takes the window's mouse moves, clicks and keys while no play runs; the title screen puts itself
// here while it is up.
class MenuInput {
 public:
  virtual ~MenuInput() = default;
  virtual void MouseMove(float x, float y) = 0;
  virtual void MouseDown(float x, float y) = 0;
  virtual void KeyDown(Key key) = 0;
};

class App : public InputSink {
 public:
  // Without a sound output the game is silent.
  App(Platform& platform, DataDir dir, std::unique_ptr<SoundOutput> sound = nullptr);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Platform& platform;
  DataDir dir;
  std::unique_ptr<SoundOutput> sound;  // never null
  Settings settings;
  ScoreTable scores;
  ReplayTable replay;
  MenuState menu;
  PlayState play;
  BombWaves bombWaves;
  Surfaces surfaces;
  FrameWait frameWait;
  FpsClock playClock;                    // the drawing clock of the running play
  uint8_t playRank = 0;                  // the place the running play took in the table (0: none)
  bool acceptWheel = true;               // wheel notches reach the handlers until the window is unloading
  std::vector<InputEvent> pendingInput;  // a play's live events, for its next frame
  std::vector<Key> pendingKeys;          // keys pressed during a play or replay, for its loop
  std::vector<Key> releasedKeys;         // and keys let go then
  bool hadFocus = false;                 // the window has had the keyboard focus at some time
  bool focusLost = false;                // it had the focus and lost it; cleared by the loop that reacts
  MenuInput* menuInput = nullptr;        // the screen between plays, when there is one

  // InputSink: live events from the platform.
  void MouseMove(int16_t button, int16_t modifiers, float x, float y) override;
  void MouseDown(int16_t button, int16_t modifiers, float x, float y) override;
  void WheelTowardsUser() override;
  void WheelAwayFromUser() override;
  void CloseRequested() override;
  void KeyDown(Key key) override;
  void KeyUp(Key key) override {
    if (menu.inPlay == 1) releasedKeys.push_back(key);
  }
  void FocusChanged(bool gained) override;
};

// The busy message straight on the screen, while the sound channels reopen.
void ShowBusyOverlay(App& app);
// Reloads the bomb waves the settings call for and reopens every sound channel.
void ReopenSoundChannels(App& app);

}  // namespace quandel
