#include "app/app.h"

#include "app/shutdown.h"
#include "game/input.h"
#include "persist/replay_file.h"
#include "render/screen_changes.h"

namespace quandel {

App::App(Platform& p, DataDir d, std::unique_ptr<SoundOutput> s)
    : platform(p), dir(std::move(d)), sound(s ? std::move(s) : std::make_unique<SilentSound>()) {
  platform.SetInputSink(this);
}

App::~App() { platform.SetInputSink(nullptr); }

void App::MouseMove(int16_t button, int16_t marker, float x, float y) {
  if (menu.inPlay == 1) {
    pendingInput.push_back({InputEvent::Kind::kMove, button, marker, x, y});
    return;
  }
  menu.menuHover = TitleItemAt(x, y, dir.Exists(kReplayFileName));
}

void App::MouseDown(int16_t button, int16_t marker, float x, float y) {
  if (menu.inPlay == 1) {
    pendingInput.push_back({InputEvent::Kind::kDown, button, marker, x, y});
    return;
  }
  if (menu.helpShown) {  // the click only closes the page
    menu.helpShown = false;
    return;
  }
  // The click acts on the item the last move found.
  switch (TitleClick(menu.menuHover, settings)) {
    case TitleChoice::kPlay:
      menu.replayMode = 0;
      menu.inPlay = 1;
      break;
    case TitleChoice::kReplay:
      menu.replayMode = 1;
      menu.inPlay = 1;
      break;
    case TitleChoice::kSound:
      ShowBusyOverlay(*this);
      ReopenSoundChannels(*this);
      break;
    case TitleChoice::kFrameSkip:
    case TitleChoice::kNone:
      break;
  }
}

// Notches mean something only in a play; the play's rules decide whether they act.
void App::WheelTowardsUser() {
  if (acceptWheel && menu.inPlay == 1) pendingInput.push_back({InputEvent::Kind::kWheelTowards});
}

void App::WheelAwayFromUser() {
  if (acceptWheel && menu.inPlay == 1) pendingInput.push_back({InputEvent::Kind::kWheelAway});
}

void App::CloseRequested() {
  if (menu.quitRequested == 1) return;  // already closing
  Form_QueryUnload(settings, scores, play.rng, dir, *sound);
  menu.quitRequested = 1;  // the running loop stops at its next pass
  acceptWheel = false;     // no more wheel notches once the window is going away
}

void App::KeyDown(Key key) {
  if (menu.inPlay == 1) {
    pendingKeys.push_back(key);
  } else if (menu.helpShown) {
    menu.helpShown = false;
  } else if (key == Key::kF1 || key == Key::kH) {
    menu.helpShown = true;
  }
}

void App::FocusChanged(bool gained) {
  if (gained) {
    hadFocus = true;
  } else if (hadFocus) {
    focusLost = true;
  }
}

void ShowBusyOverlay(App& app) {
  DrawBusyMessage(app.surfaces.picMain, app.surfaces.picTitle, 420, 400);
  app.platform.Present(app.surfaces.picMain);
}

void ReopenSoundChannels(App& app) {
  LoadBombWaves(app.bombWaves, app.settings, app.dir.path());
  OpenSoundChannels(*app.sound, app.settings);
}

}  // namespace quandel
