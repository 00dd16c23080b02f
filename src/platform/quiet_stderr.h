// Sound libraries (ALSA, SDL's disk driver, FluidSynth) talk on stderr when something is missing;
// the player is never shown such messages, so stderr goes to /dev/null while one is asked.
#pragma once

namespace quandel {

class QuietStderr {
 public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace quandel
