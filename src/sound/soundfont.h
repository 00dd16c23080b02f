// Where the MIDI music finds its instruments.
#pragma once

#include <string>
#include <vector>

namespace quandel {

// Soundfonts looked for, in order, when the MIDI music needs one (Debian's defaults first).
std::vector<std::string> DefaultSoundFontPaths();
// The first candidate that is a readable soundfont file (RIFF "sfbk"), or "" when none is.
std::string FindSoundFont(const std::vector<std::string>& candidates = DefaultSoundFontPaths());

}  // namespace quandel
