// quandel-replay's command line read into one struct before any work starts.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "frame_dump.h"

namespace quandel {

enum class ReplayMode { kSummary, kTrace, kFrames, kHelp, kVersion };

struct ReplayOptions {
  ReplayMode mode = ReplayMode::kSummary;
  std::vector<std::string> files;
  int jobs = 0;             // files played at once; 0: one per core
  FrameDumpOptions frames;  // --frames, --every, --scale, --assets, --draw-mode
};

// The options, or one line naming the option (or the combination) that is wrong.
std::variant<ReplayOptions, std::string> ParseReplayOptions(int argc, char** argv);

}  // namespace quandel
