#include "sound/soundfont.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace quandel {

std::vector<std::string> DefaultSoundFontPaths() {
  return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
          "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
          "/usr/share/soundfonts/default.sf2",    "/usr/share/soundfonts/FluidR3_GM.sf2"};
}

std::string FindSoundFont(const std::vector<std::string>& candidates) {
  for (const std::string& path : candidates) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    if (!in.read(head, 12)) continue;
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "sfbk", 4) != 0) continue;
    const std::filesystem::path real = std::filesystem::canonical(path, ec);
    return ec ? path : real.string();
  }
  return {};
}

}  // namespace quandel
