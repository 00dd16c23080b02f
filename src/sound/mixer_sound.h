// The game's sound on any mixer: the named channels take the command strings, the wave image
// player the chain sounds held in memory. The window backend hands both to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/mixer_port.h"
#include "platform/sound_backend.h"
#include "sound/channel_set.h"
#include "sound/wave_player.h"

namespace quandel {

class MixerSound final : public SoundBackend {
 public:
  // Voices 0 and 1 play the wave images; the channels take voices from 2 on.
  static constexpr int kImageVoices = 2;

  // Relative sound file names are taken from `folder` (the working directory when it is empty).
  explicit MixerSound(MixerPort& mixer, const std::string& folder = {})
      : channels_(mixer, kImageVoices, folder), waves_(mixer, 0) {}

  void SendSoundCommand(const std::string& command) override;
  void PlayWave(const std::vector<uint8_t>& image, int number) override;

 private:
  SoundChannelSet channels_;
  WaveImagePlayer waves_;  // declared last: stops its voices before the channels close
};

}  // namespace quandel
