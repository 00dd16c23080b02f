#include "app/app.h"

#include "app/shutdown.h"
#include "render/screen_changes.h"

namespace quandel {

App::App(Platform& p, DataDir d, std::unique_ptr<SoundOutput> s)
    : platform(p), dir(std::move(d)), sound(s ? std::move(s) : std::make_unique<SilentSound>()) {
  platform.SetInputSink(this);
}

App::~App() { platform.SetInputSink(nullptr); }

void App::MouseMove(int16_t button, int16_t modifiers, float x, float y) {
  if (menu.inPlay == 1) {
    pendingInput.push_back({InputEvent::Kind::kMove, button, modifiers, x, y});
  } else if (menuInput != nullptr) {
    menuInput->MouseMove(x, y);
  }
}

void App::MouseDown(int16_t button, int16_t modifiers, float x, float y) {
  if (menu.inPlay == 1) {
    pendingInput.push_back({InputEvent::Kind::kDown, button, modifiers, x, y});
  } else if (menuInput != nullptr) {
    menuInput->MouseDown(x, y);
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
  ShutDown(settings, scores, play.rng, dir, *sound);
  menu.quitRequested = 1;  // the running loop stops at its next pass
  acceptWheel = false;     // no more wheel notches once the window is going away
}

void App::KeyDown(Key key) {
  if (menu.inPlay == 1) {
    pendingKeys.push_back(key);
  } else if (menuInput != nullptr) {
    menuInput->KeyDown(key);
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
  DrawBusyMessage(app.surfaces.screen, app.surfaces.titleSheet, 420, 400);
  app.platform.Present(app.surfaces.screen);
}

void ReopenSoundChannels(App& app) {
  LoadBombWaves(app.bombWaves, app.settings, app.dir.path());
  OpenSoundChannels(*app.sound, app.settings);
}

}  // namespace quandel
