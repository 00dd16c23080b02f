#include "sound/sound_output.h"

namespace quandel {

std::string CommandText(const ChannelCommand& c) {
  switch (c.verb) {
    case ChannelCommand::Verb::kOpen:
      return "open " + (c.file.empty() ? std::string("null") : c.file) + " alias " + c.alias;
    case ChannelCommand::Verb::kPlay: return "play " + c.alias + " notify from 0";
    case ChannelCommand::Verb::kStop: return "stop " + c.alias;
    case ChannelCommand::Verb::kClose: return "close " + c.alias;
  }
  return {};
}

std::string CommandText(const WavePlay& wave) { return "wave " + std::to_string(wave.number); }

}  // namespace quandel
