// quandel-render-tune: a MIDI tune played once through the offline synthesiser the videos use,
// written to stdout as 44100 Hz interleaved stereo 32-bit floats (the web page's music is encoded
// from it).
//   quandel-render-tune TUNE.mid | ffmpeg -f f32le -ar 44100 -ac 2 -i - OUT
#include <cstdio>
#include <vector>

#include "offline_mixer.h"
#include "sound/soundfont.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quandel-render-tune TUNE.mid > OUT.f32\n");
    return 2;
  }
  quandel::OfflineMixer mixer(quandel::FindSoundFont());
  const int tune = mixer.LoadTune(argv[1]);
  if (tune == 0) {
    std::fprintf(stderr, "quandel-render-tune: cannot play %s (no soundfont, or not a MIDI file)\n", argv[1]);
    return 1;
  }
  mixer.PlayTune(tune);
  constexpr int kBlock = 1024;
  constexpr int kLongest = 20 * 60 * quandel::OfflineMixer::kRate / kBlock;  // a stuck player ends too
  std::vector<float> block(2 * kBlock);
  for (int n = 0; n < kLongest; ++n) {
    mixer.Render(block.data(), kBlock);
    if (!mixer.tunePlaying()) break;
    std::fwrite(block.data(), sizeof(float), block.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
