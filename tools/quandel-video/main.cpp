// quandel-video: a replay file as a video with its sound. `quandel-replay --video ...` starts this
// program with its own arguments, so it takes them in that form.
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "asset_dir.h"
#include "quandel_version.h"
#include "sound/soundfont.h"
#include "video.h"

namespace {

constexpr const char* kUsage =
    "usage: quandel-video --video OUT [--scale K] [--draw-mode M] [--from S] [--to S]\n"
    "                     [--music on|off] [--effects on|half|off] [--assets DIR] FILE\n"
    "  --video OUT    write the play with its sound as OUT.mp4 (H.264, AAC) or OUT.webm (VP9, Opus),\n"
    "                 60 frames a second, each pixel enlarged K times (1 to 16, default 2)\n"
    "  --draw-mode M  draw as draw mode M, 0 to 3 (default 0)\n"
    "  --from, --to   only the part between these seconds of the play\n"
    "  --music, --effects  the sound settings to play it with (default on, on)\n"
    "  --assets DIR   folder holding img/ and snd/ (default %s)\n";

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
  if (quandel::PrintVersionIfAsked("quandel-video", argc, argv)) return 0;
  quandel::VideoOptions clip;
  clip.assetDir = quandel::DefaultAssetDir();
  std::string file;
  bool out = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help") {
      std::printf(kUsage, clip.assetDir.c_str());
      return 0;
    }
    const bool takesValue = arg == "--video" || arg == "--scale" || arg == "--draw-mode" || arg == "--from" ||
                            arg == "--to" || arg == "--music" || arg == "--effects" || arg == "--assets";
    if (!takesValue) {
      if (arg.size() > 1 && arg[0] == '-') return Refuse("unknown option " + arg + " (--help lists them)");
      if (!file.empty()) return Refuse("one replay file at a time: " + file + " and " + arg);
      file = arg;
      continue;
    }
    if (i + 1 == argc) return Refuse(arg + " needs a value");
    const std::string value = argv[++i];
    const auto refuse = [&](const std::string& wanted) {
      return Refuse(arg + " takes " + wanted + ", not '" + value + "'");
    };
    if (arg == "--video") {
      clip.outPath = value;
      out = true;
    } else if (arg == "--assets") {
      clip.assetDir = value;
    } else if (arg == "--scale" || arg == "--draw-mode") {
      const bool scale = arg == "--scale";
      const auto n = scale ? WholeNumber(value, 1, 16) : WholeNumber(value, 0, 3);
      if (!n) return refuse(scale ? "a whole number from 1 to 16" : "a whole number from 0 to 3");
      (scale ? clip.scale : clip.drawMode) = *n;
    } else if (arg == "--from" || arg == "--to") {
      const auto s = Seconds(value);
      if (!s) return refuse("seconds from 0 to " + std::to_string(static_cast<int>(quandel::kLongestClipSeconds)));
      (arg == "--from" ? clip.from : clip.to) = *s;
    } else if (arg == "--music") {
      if (value != "on" && value != "off") return refuse("on or off");
      clip.musicOff = value == "off";
    } else {
      // The settings count down: 0 is every effect, 2 none.
      clip.effectsLevel = value == "on" ? 0 : value == "half" ? 1 : value == "off" ? 2 : -1;
      if (clip.effectsLevel < 0) return refuse("on, half or off");
    }
  }
  if (!out) return Refuse("no --video OUT given (--help shows how)");
  if (file.empty()) return Refuse("no replay file given");

  clip.soundFont = quandel::FindSoundFont();  // the one the game would find
  clip.progress = isatty(STDERR_FILENO) != 0;
  if (clip.soundFont.empty() && !clip.musicOff)
    std::fprintf(stderr, "quandel-video: no soundfont found; the music stays silent\n");
  std::string error;
  if (!quandel::WriteReplayVideo(file, clip, &error)) return Refuse(error);
  return 0;
}
