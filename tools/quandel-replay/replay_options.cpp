#include "replay_options.h"

#include <algorithm>
#include <cstdlib>

#include "asset_dir.h"
#include "help_text.h"

namespace quandel {

namespace {

// A whole number from lo to hi, or nothing.
bool Count(const char* text, long lo, long hi, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

std::variant<ReplayOptions, std::string> ParseReplayOptions(int argc, char** argv) {
  ReplayOptions o;
  o.frames.assetDir = DefaultAssetDir();
  int scale = 0;
  std::vector<std::string> modes;
  auto mode = [&](ReplayMode m, const std::string& name) {
    o.mode = m;
    if (std::find(modes.begin(), modes.end(), name) == modes.end()) modes.push_back(name);
    return std::string();
  };
  auto take = [&](const std::string& name, const char* value) -> std::string {
    if (name == "help") return mode(ReplayMode::kHelp, "--help");
    if (name == "version") return mode(ReplayMode::kVersion, "--version");
    if (name == "trace") return mode(ReplayMode::kTrace, "--trace");
    if (name == "frames") {
      o.frames.outDir = value;
      return mode(ReplayMode::kFrames, "--frames");
    }
    if (name == "assets") {
      o.frames.assetDir = value;
      return "";
    }
    if (name == "jobs") return Count(value, 1, 1024, o.jobs) ? "" : "must be 1 to 1024";
    if (name == "every") return Count(value, 1, 1000000, o.frames.every) ? "" : "must be 1 or more";
    if (name == "scale") return Count(value, 1, 16, scale) ? "" : "must be 1 to 16";
    if (name == "draw-mode") return Count(value, 0, 3, o.frames.drawMode) ? "" : "must be 0 to 3";
    // --video, --from, --to, --music, --effects: the video export's own, which main hands over
    // whole when --video is given.
    return "only with --video";
  };
  const std::string wrong = ParseCommandLine(ReplayHelp(), argc, argv, take, o.files);
  if (!wrong.empty()) return wrong;
  if (modes.size() > 1) return modes[0] + " and " + modes[1] + " cannot be used together";
  if (o.mode == ReplayMode::kHelp || o.mode == ReplayMode::kVersion) return o;
  if (o.files.empty()) return "no replay file given";
  if (o.files.size() > 1 && o.mode != ReplayMode::kSummary) return modes[0] + " takes one replay file";
  o.frames.scale = scale ? scale : 1;
  return o;
}

}  // namespace quandel
