#include "sound/mixer_sound.h"

namespace quandel {

// The game never checks on its sound; nothing may escape into it.
void MixerSound::Send(const ChannelCommand& command) {
  try {
    channels_.Execute(command);
  } catch (...) {}
}

void MixerSound::Send(const WavePlay& wave) {
  try {
    waves_.Play(wave.image);
  } catch (...) {}
}

}  // namespace quandel
