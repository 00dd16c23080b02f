// A replay as a video file: every frame drawn as --frames draws it, and the sound the game would
// have played, mixed offline and laid under the pictures sample-exactly.
#pragma once

#include <string>

namespace quandel {

// --from and --to lie within a day of play: any frame number stays far inside an int.
constexpr double kLongestClipSeconds = 86400;

struct VideoOptions {
  std::string outPath;    // .mp4 (H.264 + AAC) or .webm (VP9 + Opus)
  std::string assetDir;   // holds img/ and snd/
  std::string soundFont;  // "" leaves the music silent
  int scale = 2;          // each pixel enlarged K times, without smoothing
  int drawMode = 0;       // 0..3, as the settings file would select
  double from = 0;        // the clip, in seconds from the first frame
  double to = -1;         // -1: to the end of the play
  bool musicOff = false;  // as the settings would have it
  int effectsLevel = 0;   // 0 all effects, 1 no chain sounds, 2 none
  bool progress = false;  // a progress line on stderr
};

// Writes the replay at `replayPath` as a video. On failure returns false with a one-line reason in
// `error`, and leaves nothing at options.outPath (the file appears whole, by renaming, or not at
// all; any signal that ends the program removes the part written so far).
bool WriteReplayVideo(const std::string& replayPath, const VideoOptions& options, std::string* error);

}  // namespace quandel
