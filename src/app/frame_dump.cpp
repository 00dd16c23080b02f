#include "app/frame_dump.h"

#include <cstdio>
#include <filesystem>

#include "app/app.h"
#include "app/startup.h"
#include "platform/png_io.h"
#include "render/play_frame.h"

namespace quandel {

std::string FrameFileName(int frameNo) {
  char name[40];
  std::snprintf(name, sizeof name, "frame_%05d.png", frameNo);
  return name;
}

std::optional<ReplayOutcome> WatchReplayFrames(const std::string& path, const FrameDumpOptions& options,
                                               const HeadlessReplayOptions& hooks, const FrameSink& sink,
                                               std::string* error) {
  std::string failure;
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
  };
  if (options.drawMode < 0 || options.drawMode > 3) return fail("the draw mode must be 0 to 3");

  HeadlessReplayOptions replay = hooks;
  replay.setup = [&](App& app) {
    app.state.drawMode = static_cast<uint8_t>(options.drawMode);
    // Every frame is drawn, so the pictures follow the play frame by frame.
    app.state.frameSkip = 0;
    app.state.autoFrameSkip = 0;
    if (!SetUpSurfaces(app, options.assetDir, &failure)) {
      app.state.quitRequested = 1;
      return;
    }
    // The picture the opening parts from: the plain grey of a fresh start.
    app.surfaces.picBack2.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
    app.composePlayFrame = [&](App& a) {
      ComposePlayFrame(a);
      if (!sink(a.surfaces.picMain, a.state.frameNo)) a.state.quitRequested = 1;  // ends the play at its next pass
    };
    if (hooks.setup) hooks.setup(app);
  };
  std::string replayError;
  auto outcome = RunReplayFile(path, replay, &replayError);
  if (!outcome) return fail(replayError);
  if (!failure.empty()) return fail(failure);
  return outcome;
}

std::optional<ReplayOutcome> DumpReplayFrames(const std::string& path, const FrameDumpOptions& options, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
  };
  if (options.every < 1) return fail("--every must be 1 or more");
  if (options.scale < 1 || options.scale > 16) return fail("--scale must be 1 to 16");
  if (options.drawMode < 0 || options.drawMode > 3) return fail("the draw mode must be 0 to 3");
  std::error_code ec;
  if (!std::filesystem::is_directory(options.outDir, ec)) return fail(options.outDir + ": no such folder");

  int drawn = 0;
  std::string failure;
  auto outcome = WatchReplayFrames(path, options, {}, [&](const Surface& picture, int32_t frameNo) {
    if (drawn++ % options.every != 0) return true;
    const std::string file = (std::filesystem::path(options.outDir) / FrameFileName(frameNo)).string();
    if (WritePng(file, picture, options.scale)) return true;
    failure = file + ": cannot write";
    return false;
  }, error);
  if (outcome && !failure.empty()) return fail(failure);
  return outcome;
}

}  // namespace quandel
