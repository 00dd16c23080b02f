// Pictures of a recorded play: the replay is watched headlessly with every frame drawn, and every
// N-th drawn frame is written as a PNG named by its frame number.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/headless_replay.h"

namespace quandel {

struct FrameDumpOptions {
  std::string outDir;    // must exist; receives frame_<frameNo>.png and nothing else
  std::string assetDir;  // holds img/cube.bmp, img/title.bmp, img/lg.bmp
  int every = 1;         // write every N-th drawn frame, starting with the first
  int scale = 1;         // each pixel enlarged K times, without smoothing
  int drawMode = 0;      // 0..3, as the settings file would select
};

// The file name of a frame: frame_00123.png, and frame_-0059.png during the opening.
std::string FrameFileName(int frameNo);

class Surface;

// Receives each drawn picture with its frame number and the sounds asked for since the last one;
// returning false ends the play.
using FrameSink = std::function<bool(const Surface& picture, int32_t frameNo, const SoundCues& sounds)>;

// Plays the replay at `path` drawing every frame as DumpReplayFrames does, and hands each one to
// `sink` (options.outDir, every and scale are not used).
std::optional<ReplayOutcome> WatchReplayFrames(const std::string& path, const FrameDumpOptions& options,
                                               const FrameSink& sink, std::string* error);

// Plays the replay at `path` and writes its frames. Returns nothing (and sets `error`) when the
// replay or a sheet cannot be read, the options are out of range, or a picture cannot be written;
// pictures written before a failure stay.
std::optional<ReplayOutcome> DumpReplayFrames(const std::string& path, const FrameDumpOptions& options,
                                              std::string* error);

}  // namespace quandel
