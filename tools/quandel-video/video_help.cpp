// quandel-video's command line, as --help prints it and its manual page says it. The rows of the
// video export's own options are quandel-replay's too: `quandel-replay --video` hands its whole
// command line over to this program, so both describe them in the same words.
#include "help_text.h"
#include "video.h"

namespace quandel {

static_assert(kLongestClipSeconds == 86400, "the --from and --to rows name the longest clip");

const char* VideoUsage() {
  return "--video OUT [--scale K] [--draw-mode M] [--from S] [--to S] [--music on|off] [--effects on|half|off] "
         "[--assets DIR] FILE";
}

const std::vector<HelpOption>& VideoOnlyOptions() {
  static const std::vector<HelpOption> rows{
      {"video", 0, "OUT",
       "Write the play with its sound as a video: OUT.mp4 (H.264 and AAC) or OUT.webm (VP9 and Opus), 60 frames a "
       "second."},
      {"from", 0, "S", "Start S seconds into the play, a decimal number from 0 to 86400 (default 0)."},
      {"to", 0, "S", "End S seconds into the play, a decimal number from 0 to 86400 (default: its end)."},
      {"music", 0, "on|off", "The music setting to play it with (default on)."},
      {"effects", 0, "on|half|off", "The sound effects setting to play it with (default on)."},
  };
  return rows;
}

const HelpPage& VideoHelp() {
  static const HelpPage page = [] {
    std::vector<HelpOption> options = VideoOnlyOptions();
    options.insert(options.end(),
                   {
                       {"scale", 0, "K", "Enlarge every pixel K times, 1 to 16 (default 2: 1280 by 960)."},
                       {"draw-mode", 0, "M", "Draw as draw mode M of config.txt, 0 to 3 (default 0)."},
                       {"assets", 0, "DIR",
                        "The folder holding the game's img/ and snd/ (default: those of the game this program "
                        "belongs to)."},
                       {"help", 'h', nullptr, "Print this text and exit."},
                       {"version", 0, nullptr, "Print the version and exit."},
                   });
    return HelpPage{
        "quandel-video",
        "make a video of a Quandel replay file, with its sound",
        {VideoUsage(), "--help | --version"},
        "Plays a replay file recorded by quandel(6) without a window and writes it as a video: every simulated "
        "frame, 60 a second, drawn as the game draws it and enlarged by whole pixels, with the music and the "
        "effects the game would have played. The music needs the soundfont the game would use; without one it "
        "stays silent. quandel-replay --video starts this program with the same arguments.\n\n"
        "The file is written under a hidden name next to OUT and appears only when it is complete; a failure, an "
        "interrupt or any other signal that ends the program removes the part written so far. On a terminal, a "
        "progress line shows the percentage, the frames per second and the time left.",
        options,
        {{"exit status",
          {{"0", "the video was written"},
           {"2", "a wrong command line, or a replay that could not be read or a video that could not be written"}}}},
        "quandel(6), quandel-replay(6)",
    };
  }();
  return page;
}

}  // namespace quandel
