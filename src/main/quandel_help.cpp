// quandel's command line, as --help prints it and its manual page says it.
#include "help_text.h"

namespace quandel {

const HelpPage& QuandelHelp() {
  static const HelpPage page{
      "quandel",
      "set off chains of burning boxes with bombs and magnets",
      {"[--watch] [FILE]", "--help | --version"},
      "A single-window mouse arcade game. Boxes fall down a column; the left mouse button drops a bomb at the "
      "cursor that ignites the boxes it touches, and every burning box ignites boxes of its own kind nearby, so "
      "one bomb can start a long chain. A grey box passes fire to and takes fire from every kind. The right mouse "
      "button places a magnet that pulls boxes together. Bombs and magnets are paid from two gauges that refill "
      "over time and with every ignition.\n\n"
      "Holding the cursor high scrolls the field faster. A box that falls out of the bottom costs a second; the "
      "play ends when the time is up. Every live play is recorded and kept in replays/; the best one can also be "
      "watched again from the title screen.\n\n"
      "The game keeps its files in the player's folder, ~/.local/share/quandel, not in the folder it is started "
      "in; only a folder that has its own img/ (a development tree) is played in where it is.",
      {
          {"watch", 0, "FILE",
           "Open the window straight on a replay file (replay.dat or a .qreplay; FILE alone does the same) and exit "
           "when it ends or is left. A file that cannot be read or is not a replay is one line on standard error "
           "and exit status 2, before any window opens."},
          {"help", 'h', nullptr, "Print this text and exit."},
          {"version", 0, nullptr, "Print the version and exit."},
      },
      {{"keys",
        {{"F11", "Toggle fullscreen."},
         {"F1, H", "On the title screen: how to play; any key or click closes it."},
         {"Space, Esc, P", "In a play: pause, and go on after a count-in."},
         {"Space",
          "Watching a replay: pause; Right steps one frame, Up and Down (+ and -) change the speed from a "
          "quarter to sixteen times, Left goes back 5 s (held, it plays backwards until let go), Page Up, "
          "Page Down and Home seek; on the last frame Space or Home plays it again; Esc leaves."},
         {"Enter", "On the title screen: start a play, as START does."}}},
       {"files",
        {{"$XDG_DATA_HOME/quandel",
          "The player's folder, or ~/.local/share/quandel when XDG_DATA_HOME is not set. It holds config.txt and "
          "scr.hsc (the settings and the three best scores), replay.dat (the best play), window.txt (the window's "
          "size and place) and replays/ (every play, the 200 most recent and the 10 best), next to links img/ and "
          "snd/ to the game's pictures and sounds."},
         {"./img, ./snd",
          "When the folder the game starts in has img/, the game plays there instead and keeps all of the files "
          "above in it."}}},
       {"exit status",
        {{"0", "the game was closed, or the watched replay ended"},
         {"1", "the pictures or sounds could not be found, or the player's folder could not be made"},
         {"2", "a wrong command line, or a file to watch that could not be read or is not a replay"}}}},
      "quandel-replay(6)",
  };
  return page;
}

}  // namespace quandel
