#include "frontend/watch_file.h"

#include "app/app.h"
#include "app/play_loop.h"
#include "app/startup.h"

namespace quandel {

int WatchFile(App& app, const ReplayTable& table) {
  const int status = StartUp(app);
  if (status != 0) return status;
  app.replay = table;
  app.menu.replayMode = 1;
  app.menu.inPlay = 1;
  app.play.replayMode = 1;
  app.play.recordingOff = false;
  app.surfaces.titleSheet.Resize(0, 0);
  app.platform.ShowSystemCursor(false);
  // Watching someone's file keeps no result: the player's own files stay as they were.
  WatchReplay(app, false);
  return 0;
}

}  // namespace quandel
