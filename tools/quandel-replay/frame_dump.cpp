#include "frame_dump.h"

#include <cstdio>
#include <filesystem>

#include "app/frame_wait.h"
#include "app/startup.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_io.h"
#include "render/play_frame.h"

namespace quandel {

std::string FrameFileName(int frameNo) {
  char name[40];
  std::snprintf(name, sizeof name, "frame_%05d.png", frameNo);
  return name;
}

std::optional<ReplayOutcome> WatchReplayFrames(const std::string& path, const FrameDumpOptions& options,
                                               const FrameSink& sink, std::string* error) {
  std::string failure;
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
  };
  if (options.drawMode < 0 || options.drawMode > 3) return fail("the draw mode must be 0 to 3");

  ReplayTable table;
  if (!LoadReplayFile(path, table, error)) return std::nullopt;
  Surfaces v;
  const auto drawMode = static_cast<uint8_t>(options.drawMode);
  if (!SetUpSurfaces(v, drawMode, options.assetDir, &failure)) return fail(failure);
  // The picture the opening parts from: the plain grey of a fresh start.
  v.previousPicture.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));

  // Paced on a virtual clock as the window would be, so the frame counter shows what it would.
  HeadlessPlatform platform;
  FrameWait wait;
  PacedLoop pace(wait, platform);
  FpsClock clock;
  // Every frame is drawn, so the pictures follow the play frame by frame.
  uint8_t frameSkip = 0;
  ReplayRun run(std::move(table));
  for (;;) {
    pace.NextFrame();
    if (!run.Step()) break;
    ComposePlayFrame(v, run.play(), PlayView{drawMode, 0, clock});
    MeasureFrameAndRestartClock(clock, platform, 0, frameSkip);
    if (!sink(v.screen, run.play().frameNo, run.TakeCues())) break;
  }
  return run.outcome();
}

std::optional<ReplayOutcome> DumpReplayFrames(const std::string& path, const FrameDumpOptions& options,
                                              std::string* error) {
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
  auto outcome = WatchReplayFrames(
      path, options,
      [&](const Surface& picture, int32_t frameNo, const SoundCues&) {
        if (drawn++ % options.every != 0) return true;
        const std::string file = (std::filesystem::path(options.outDir) / FrameFileName(frameNo)).string();
        if (WritePng(file, picture, options.scale)) return true;
        failure = file + ": cannot write";
        return false;
      },
      error);
  if (outcome && !failure.empty()) return fail(failure);
  return outcome;
}

}  // namespace quandel
