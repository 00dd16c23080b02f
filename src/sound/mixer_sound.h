// The game's sound on any mixer: the named channels take the channel commands, the wave image
// player the chain sounds held in memory.
#pragma once

#include <string>

#include "platform/mixer_port.h"
#include "sound/channel_set.h"
#include "sound/sound_output.h"
#include "sound/wave_player.h"

namespace quandel {

class MixerSound final : public SoundOutput {
 public:
  // Voices 0 and 1 play the wave images; the channels take voices from 2 on.
  static constexpr int kImageVoices = 2;

  // Relative sound file names are taken from `folder` (the working directory when it is empty).
  // The mixer must outlive this.
  explicit MixerSound(MixerPort& mixer, const std::string& folder = {})
      : channels_(mixer, kImageVoices, folder), waves_(mixer, 0) {}

  void Send(const ChannelCommand& command) override;
  void Send(const WavePlay& wave) override;

 private:
  SoundChannelSet channels_;
  WaveImagePlayer waves_;  // declared last: stops its voices before the channels close
};

}  // namespace quandel
