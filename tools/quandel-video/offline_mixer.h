// The game's mixer without a sound device: effects and the MIDI tune mixed in software, block by
// block, the way SDL_mixer plays them in the game (44100 Hz stereo, effects at full volume, the
// tune through FluidSynth with a synthesiser of its own at SDL_mixer's full music gain).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/mixer_port.h"

namespace quandel {

class OfflineMixer final : public MixerPort {
 public:
  static constexpr int kRate = 44100;

  // `soundFont` "" leaves the music silent, as the game does without one.
  explicit OfflineMixer(std::string soundFont);
  ~OfflineMixer() override;
  OfflineMixer(const OfflineMixer&) = delete;
  OfflineMixer& operator=(const OfflineMixer&) = delete;

  // The next `frames` stereo frames, interleaved, each value within -1 .. 1.
  void Render(float* out, int frames);
  // A tune is sounding (it stops once its player is done).
  bool tunePlaying() const { return playing_ != 0; }

  int LoadSample(const std::string& path) override;
  int LoadSampleImage(const std::vector<uint8_t>& image) override;
  void FreeSample(int sample) override;
  void PlaySample(int sample, int voice) override;
  void HaltVoice(int voice) override;
  void FadeOutVoice(int voice) override;
  void ReserveVoices(int count) override;
  int LoadTune(const std::string& path) override;
  void FreeTune(int tune) override;
  void PlayTune(int tune) override;
  void HaltTune() override;

 private:
  using Samples = std::shared_ptr<const std::vector<float>>;  // interleaved stereo
  struct Voice {
    Samples samples;
    size_t next = 0;    // the next frame to play
    int fadeLeft = -1;  // frames left in a fade, or -1 when not fading
  };
  struct Tune;

  int Keep(Samples samples);

  std::string soundFont_;
  std::map<int, Samples> samples_;
  std::vector<Voice> voices_;
  std::map<int, std::unique_ptr<Tune>> tunes_;
  int playing_ = 0;  // the tune that sounds, or 0
  int nextId_ = 1;
};

// The samples of a wave file that ReadWaveLayout accepts, as 44100 Hz interleaved stereo; empty
// for anything else.
std::vector<float> DecodeWave(const uint8_t* bytes, size_t size);

}  // namespace quandel
