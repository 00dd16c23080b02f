// Writes the game's music and sound effects into the folder given on the command line.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "effects.h"
#include "music.h"
#include "synth.h"
#include "wav_writer.h"

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  // Write beside the target and rename, so an interrupted build never leaves a truncated file behind.
  const std::filesystem::path temp = path.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  using namespace quandel::soundgen;
  try {
    const std::filesystem::path dir(argv[1]);
    std::filesystem::create_directories(dir);
    if (!WriteBytes(dir / "bgm.mid", ComposeBgm())) {
      std::fprintf(stderr, "gen-sounds: cannot write %s\n", (dir / "bgm.mid").c_str());
      return 1;
    }
    for (const EffectPlan& plan : EffectPlans()) {
      std::vector<int16_t> samples;
      try {
        samples = MakeEffect(plan.file);
      } catch (const std::exception& e) { throw std::runtime_error(plan.file + ": " + e.what()); }
      if (!WriteBytes(dir / plan.file, EncodeWav(samples, kSampleRate))) {
        std::fprintf(stderr, "gen-sounds: cannot write %s\n", (dir / plan.file).c_str());
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen-sounds: %s\n", e.what());
    return 1;
  }
  return 0;
}
