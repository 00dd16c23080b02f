// The sound device on SDL_mixer: samples on mixer voices, the MIDI music through FluidSynth. The
// game's channels and wave images are driven over it by the sound layer. Without a device, a
// soundfont or a sound file the game simply stays silent where it must; nothing here throws or
// prints.
#pragma once

#include <memory>
#include <string>

#include "platform/mixer_port.h"

namespace quandel {

class SdlMixerPort : public MixerPort {
 public:
  // Starts SDL's audio and opens the device at 44100 Hz, 16-bit stereo, the MIDI music on the
  // soundfont at `soundFont` ("" leaves it silent). When that fails the mixer stays silent for its
  // whole life.
  static std::unique_ptr<SdlMixerPort> Open(const std::string& soundFont);

  virtual bool deviceOpen() const = 0;
  // A soundfont was given, so MIDI files can be heard.
  virtual bool musicAvailable() const = 0;
};

}  // namespace quandel
