// Where a window backend sends the game's sound commands and wave images. An audio engine
// implements it and is handed to the platform; without one the game runs silent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quandel {

class SoundBackend {
 public:
  virtual ~SoundBackend() = default;
  // A sound channel command ("open ... alias X", "play X notify from 0", "stop X", "close X").
  virtual void SendSoundCommand(const std::string& command) = 0;
  // A complete wave file held in memory, cutting the one that plays; an empty or one-byte image
  // only stops the current one.
  virtual void PlayWave(const std::vector<uint8_t>& image, int number) = 0;
};

}  // namespace quandel
