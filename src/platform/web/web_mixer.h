// The game's mixer on Web Audio: samples decoded from their wave files into audio buffers, each
// voice one buffer source at a time, and the tune as the music file rendered from the MIDI file
// at build time (snd/bgm.mid plays as bgm.ogg beside the page). The audio context starts with the
// page's first click or key, as browsers require; sounds asked for before then are not heard.
#pragma once

#include <string>
#include <vector>

#include "platform/mixer_port.h"

namespace quandel {

class WebMixerPort final : public MixerPort {
 public:
  int LoadSample(const std::string& path) override;
  int LoadSampleImage(const std::vector<uint8_t>& image) override;
  void FreeSample(int sample) override;
  void PlaySample(int sample, int voice) override;
  void HaltVoice(int voice) override;
  void FadeOutVoice(int voice) override;
  void ReserveVoices(int /*count*/) override {}  // voices are made as they are used
  int LoadTune(const std::string& path) override;
  void FreeTune(int /*tune*/) override {}
  void PlayTune(int tune) override;
  void HaltTune() override;
};

}  // namespace quandel
