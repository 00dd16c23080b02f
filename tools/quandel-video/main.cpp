// quandel-video: a replay file as a video with its sound. `quandel-replay --video ...` starts this
// program with its own arguments, so it takes them in that form; video_help.cpp lists them.
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "asset_dir.h"
#include "help_text.h"
#include "quandel_version.h"
#include "sound/soundfont.h"
#include "video.h"

namespace {

int Refuse(const std::string& why) {
  std::fprintf(stderr, "quandel-video: %s\n", why.c_str());
  return 2;
}

// The whole text as a decimal whole number from lo to hi: no sign, no spaces, no other base.
std::optional<int> WholeNumber(std::string_view text, int lo, int hi) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

// The whole text as a finite number of seconds within the longest clip; checked before it is
// ever turned into a frame number, where a huge value would overflow.
std::optional<double> Seconds(std::string_view text) {
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v) || v < 0 ||
      v > quandel::kLongestClipSeconds)
    return std::nullopt;
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  quandel::VideoOptions clip;
  clip.assetDir = quandel::DefaultAssetDir();
  bool help = false, version = false, out = false;
  // Every value is checked whole before it is used; the parser names the option and the value.
  const auto take = [&](const std::string& name, const char* value) -> std::string {
    if (name == "help") help = true;
    if (name == "version") version = true;
    if (!value) return "";
    const std::string_view v = value;
    if (name == "video") {
      clip.outPath = value;
      out = true;
    } else if (name == "assets") {
      clip.assetDir = value;
    } else if (name == "scale" || name == "draw-mode") {
      const bool scale = name == "scale";
      const auto n = scale ? WholeNumber(v, 1, 16) : WholeNumber(v, 0, 3);
      if (!n) return scale ? "must be a whole number from 1 to 16" : "must be a whole number from 0 to 3";
      (scale ? clip.scale : clip.drawMode) = *n;
    } else if (name == "from" || name == "to") {
      const auto s = Seconds(v);
      if (!s) return "must be seconds from 0 to " + std::to_string(static_cast<int>(quandel::kLongestClipSeconds));
      (name == "from" ? clip.from : clip.to) = *s;
    } else if (name == "music") {
      if (v != "on" && v != "off") return "must be on or off";
      clip.musicOff = v == "off";
    } else {
      // The settings count down: 0 is every effect, 2 none.
      clip.effectsLevel = v == "on" ? 0 : v == "half" ? 1 : v == "off" ? 2 : -1;
      if (clip.effectsLevel < 0) return "must be on, half or off";
    }
    return "";
  };
  std::vector<std::string> files;
  const std::string wrong = quandel::ParseCommandLine(quandel::VideoHelp(), argc, argv, take, files);
  if (!wrong.empty()) return Refuse(wrong + " (see quandel-video --help)");
  if (help) {
    quandel::PrintHelp(stdout, quandel::VideoHelp());
    return 0;
  }
  if (version) {
    std::printf("quandel-video %s\n", QUANDEL_VERSION);
    return 0;
  }
  if (files.size() > 1) return Refuse("one replay file at a time: " + files[0] + " and " + files[1]);
  if (!out) return Refuse("no --video OUT given (--help shows how)");
  if (files.empty()) return Refuse("no replay file given");
  const std::string& file = files[0];

  clip.soundFont = quandel::FindSoundFont();  // the one the game would find
  clip.progress = isatty(STDERR_FILENO) != 0;
  if (clip.soundFont.empty() && !clip.musicOff)
    std::fprintf(stderr, "quandel-video: no soundfont found; the music stays silent\n");
  std::string error;
  if (!quandel::WriteReplayVideo(file, clip, &error)) return Refuse(error);
  return 0;
}
