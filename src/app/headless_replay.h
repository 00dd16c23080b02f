// Watching a replay file without a window: the play runs exactly as a freshly started program
// with default settings would run it from its title screen, on a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quandel {

class App;
class HeadlessPlatform;

struct ReplayOutcome {
  int32_t score = 0;
  int16_t stage = 0;
  int32_t frameNo = 0;
};

struct HeadlessReplayOptions {
  // Called after the object update of every full pass of the frame loop.
  std::function<void(App&, HeadlessPlatform&)> onPass;
  // Lets the caller install drawing before the play starts.
  std::function<void(App&)> setup;
};

// Plays the replay file at `path`. Nothing outside a private scratch folder is written.
// Returns nothing (and sets `error`) when the file cannot be read.
std::optional<ReplayOutcome> RunReplayFile(const std::string& path, const HeadlessReplayOptions& options, std::string* error);

}  // namespace quandel
