// What the game's sound channels need from a mixer: samples on numbered voices and one MIDI tune
// at a time. The SDL backend implements it on the sound device; the video writer mixes offline.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quandel {

// Samples and tunes are numbered from 1; 0 is a failed load. Voices are numbered from 0.
class MixerPort {
 public:
  virtual ~MixerPort() = default;
  virtual int LoadSample(const std::string& path) = 0;
  virtual int LoadSampleImage(const std::vector<uint8_t>& image) = 0;
  virtual void FreeSample(int sample) = 0;
  // From the beginning, cutting whatever the voice plays.
  virtual void PlaySample(int sample, int voice) = 0;
  virtual void HaltVoice(int voice) = 0;
  // A few milliseconds down to silence, so that a cut does not click.
  virtual void FadeOutVoice(int voice) = 0;
  virtual void ReserveVoices(int count) = 0;
  virtual int LoadTune(const std::string& path) = 0;
  virtual void FreeTune(int tune) = 0;
  // Once, cutting the tune that plays (the mixer plays one tune at a time).
  virtual void PlayTune(int tune) = 0;
  virtual void HaltTune() = 0;
};

}  // namespace quandel
