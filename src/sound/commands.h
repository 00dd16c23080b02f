// The game's sound channel vocabulary, taken apart.
#pragma once

#include <string>
#include <string_view>

namespace quandel {

struct SoundCommand {
  enum class Verb { kNone, kOpen, kPlay, kStop, kClose };
  Verb verb = Verb::kNone;
  std::string alias;   // the channel name as written; names match without regard to case
  std::string target;  // open only: the file, or empty for the null target
};

// "open FILE alias NAME", "open null alias NAME", "play NAME [notify] [from 0]", "stop NAME",
// "close NAME" (keywords in any case, words separated by blanks). Anything else is kNone.
// Every form of play starts from the beginning.
SoundCommand ParseSoundCommand(std::string_view text);

// The name under which a channel is kept: its alias in lower case.
std::string ChannelKey(std::string_view alias);

}  // namespace quandel
