// The chain sounds, played from wave files held in memory one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/mixer_port.h"

namespace quandel {

// A new image cuts the one that sounds (with a short fade, on the second of two voices); an image
// that is not a plain wave file of ours (see ReadWaveLayout) only stops it. Decoded images are
// kept by content, since decoding and converting one takes about a millisecond.
class WaveImagePlayer {
 public:
  static constexpr size_t kCacheLimit = 24;

  WaveImagePlayer(MixerPort& mixer, int firstVoice);
  ~WaveImagePlayer();
  WaveImagePlayer(const WaveImagePlayer&) = delete;
  WaveImagePlayer& operator=(const WaveImagePlayer&) = delete;

  void Play(std::span<const uint8_t> image);
  void Clear();
  size_t cachedCount() const { return cache_.size(); }

 private:
  struct Entry {
    std::vector<uint8_t> bytes;
    size_t hash = 0;
    int sample = 0;  // 0: the image could not be decoded
    uint64_t lastUse = 0;
  };
  int Lookup(std::span<const uint8_t> image);
  void Evict();

  MixerPort& mixer_;
  int firstVoice_;
  std::vector<Entry> cache_;
  int current_ = -1;  // the voice (0 or 1) that sounds, or -1
  int last_ = 1;      // the voice used last
  uint64_t uses_ = 0;
};

}  // namespace quandel
