// Where the game plays: in the folder it was started in when that holds img/ (a development
// tree, `make play`), otherwise in the player's data folder, set up as the installed launcher
// sets it up: the pictures and sounds found beside the program are linked in as img/ and snd/.
#pragma once

#include <string>

namespace quandel {

// Enters the play folder (files named on the command line must be read before). Returns "" or a
// one-line reason the folder cannot be used.
std::string EnterPlayFolder();

}  // namespace quandel
