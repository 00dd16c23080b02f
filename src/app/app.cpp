#include "app/app.h"

#include "app/shutdown.h"

namespace quandel {

App::App(Platform& p, DataDir d) : platform(p), dir(std::move(d)) { platform.SetInputSink(this); }

App::~App() { platform.SetInputSink(nullptr); }

void App::MouseMove(int16_t button, int16_t marker, float x, float y) {
  if (menu.inPlay == 1) {
    pendingInput.push_back({InputEvent::Kind::kMove, button, marker, x, y});
  } else if (menuInput != nullptr) {
    menuInput->MouseMove(x, y);
  }
}

void App::MouseDown(int16_t button, int16_t marker, float x, float y) {
  if (menu.inPlay == 1) {
    pendingInput.push_back({InputEvent::Kind::kDown, button, marker, x, y});
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
  Form_QueryUnload(*this);
  Form_Unload(*this);
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
  Surfaces& v = app.surfaces;
  BitBlt(v.picMain, 420, 400, 100, 20, v.picTitle, 50, 230, SRCPAINT);
  BitBlt(v.picMain, 420, 400, 100, 20, v.picTitle, 50, 210, SRCAND);
  BitBlt(v.picMain, 520, 400, 100, 20, v.picTitle, 50, 270, SRCPAINT);
  BitBlt(v.picMain, 520, 400, 100, 20, v.picTitle, 50, 250, SRCAND);
  app.platform.Present(v.picMain);
}

void LoadBombWaves(BombWaves& waves, const Settings& settings, const DataDir& dir) {
  for (int n = 1; n <= 12; ++n) {
    std::vector<uint8_t>& wave = waves[n - 1];
    if (settings.effectsLevel != 0) {
      wave.assign(1, 0);
    } else if (auto bytes = dir.Read(BombWaveFile(n), 16 << 20)) {
      // A missing file leaves the image as it was (never filled: it plays nothing).
      wave = std::move(*bytes);
    }
  }
}

void ReopenSoundChannels(App& app) {
  LoadBombWaves(app.bombWaves, app.settings, app.dir);
  OpenSoundChannels(app.platform, app.settings);
}

}  // namespace quandel
