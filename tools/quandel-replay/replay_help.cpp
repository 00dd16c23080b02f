// quandel-replay's command line, as --help prints it and its manual page says it.
#include "help_text.h"

namespace quandel {

const HelpPage& ReplayHelp() {
  static const HelpPage page = [] {
    std::vector<HelpOption> options{
        {"trace", 0, nullptr,
         "Print the whole simulated state of every simulated frame instead of the result, as one JSON object per "
         "line."},
        {"jobs", 'j', "N", "Play at most N files at once (default: one per core)."},
        {"frames", 0, "DIR",
         "Write the drawn frames as PNG pictures named DIR/frame_NNNNN.png; the folder must exist."},
        {"every", 0, "N", "With --frames, write only every N-th frame, starting with the first (default 1)."},
        {"scale", 0, "K", "Enlarge every pixel K times, 1 to 16 (default 1 for --frames, 2 for --video)."},
        {"draw-mode", 0, "M", "Draw as draw mode M of config.txt, 0 to 3 (default 0)."},
        {"assets", 0, "DIR",
         "The folder holding the game's img/ and snd/ (default: those of the game this program belongs to)."},
    };
    options.insert(options.end(), VideoOnlyOptions().begin(), VideoOnlyOptions().end());
    options.insert(options.end(), {{"help", 'h', nullptr, "Print this text and exit."},
                                   {"version", 0, nullptr, "Print the version and exit."}});
    return HelpPage{
        "quandel-replay",
        "play Quandel replay files without a window",
        {"[--jobs N] FILE...", "--trace FILE",
         "--frames DIR [--every N] [--scale K] [--assets DIR] [--draw-mode M] FILE", VideoUsage(),
         "--help | --version"},
        "Plays replay files recorded by quandel(6), such as the replay.dat or the replays/*.qreplay in the "
        "player's folder, with the game's own simulation but without a window or sound, and prints how each play "
        "ended as score=S stage=T frames=F, the stage numbered as the game shows it (the first stage is 1).\n\n"
        "With several files every file gets one line, FILE: followed by the result or by the reason the file could "
        "not be played, in the order given; the files are played side by side on every core. A file that is not "
        "a replay the game could have written (empty, a length that is not whole records, bytes no recording has) "
        "is refused, not played. Only --frames and --video write files.\n\n"
        "With --video the whole command line goes to quandel-video(6), the video export from the quandel-video "
        "package, which writes the play with its sound; --from, --to, --music and --effects are its options and "
        "are refused without --video.",
        options,
        {{"exit status",
          {{"0", "every file was played (or the frames or the video were written)"},
           {"2",
            "a wrong command line, or a file that could not be read, was not a replay or could not be "
            "written"}}}},
        "quandel(6), quandel-video(6)",
    };
  }();
  return page;
}

}  // namespace quandel
