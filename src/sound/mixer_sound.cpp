#include "sound/mixer_sound.h"

#include "sound/commands.h"

namespace quandel {

void MixerSound::SendSoundCommand(const std::string& command) {
  // The game never checks a sound command; nothing may escape into it.
  try {
    channels_.Execute(ParseSoundCommand(command));
  } catch (...) {
  }
}

void MixerSound::PlayWave(const std::vector<uint8_t>& image, int /*number*/) {
  try {
    waves_.Play(image);
  } catch (...) {
  }
}

}  // namespace quandel
