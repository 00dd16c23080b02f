// The generator's output files.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "art.h"

namespace quandel::art {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path RunGenerator(const std::string& tag) {
  const fs::path dir = fs::temp_directory_path() / ("quandel-art-" + tag + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  for (const char* sub : {"img", "preview"}) fs::create_directories(dir / sub);
  const std::string cmd = std::string(GEN_ART_PATH) + " " + (dir / "img").string() + " " + (dir / "preview").string();
  EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
  return dir;
}

// Two runs write the same bytes, and those bytes are the sheets the other tests look at.
TEST(Generator, WritesTheSameFilesOnEveryRun) {
  const fs::path a = RunGenerator("a"), b = RunGenerator("b");
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(a)) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), a);
    const std::vector<uint8_t> one = Slurp(entry.path());
    EXPECT_FALSE(one.empty()) << rel;
    EXPECT_TRUE(one == Slurp(b / rel)) << rel;
    ++compared;
  }
  EXPECT_GE(compared, 8);  // four sheets and their previews at least

  const Fonts fonts(DefaultFontDir());
  for (const auto& [name, sheet] : {std::pair{"cube.bmp", DrawBoxSheet()},
                                    {"title.bmp", DrawTitleSheet(fonts)},
                                    {"lg.bmp", DrawHudSheet(fonts)},
                                    {"help.bmp", DrawHelpSheet(fonts)}})
    EXPECT_EQ(Slurp(a / "img" / name), EncodeBmp(sheet)) << name;
  for (const fs::path& dir : {a, b}) fs::remove_all(dir);
  EXPECT_THROW(Fonts("/nonexistent-font-dir"), std::runtime_error);  // missing fonts fail loudly
}

}  // namespace
}  // namespace quandel::art
