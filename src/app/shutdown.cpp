#include "app/shutdown.h"

#include "app/app.h"
#include "persist/high_scores.h"
#include "sound/sound_channels.h"

namespace quandel {

void Form_QueryUnload(App& app) {
  SaveHighScores(app.settings, app.scores, app.play.rng, app.dir);
  CloseSoundChannels(*app.sound);
  app.menu.quitRequested = 1;
}

void Form_Unload(App& app) {
  // Wheel notches are no longer dispatched once the window is going away.
  app.acceptWheel = false;
}

}  // namespace quandel
