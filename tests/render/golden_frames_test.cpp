// Frames of a recorded play on the test sheets against tests/render/golden; after an intended change,
// look at the new pictures and regenerate them with QUANDEL_UPDATE_GOLDEN=1 <build>/quandel_tests
// --gtest_filter='GoldenFrames.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numeric>
#include <vector>

#include "app/app.h"
#include "app/headless_replay.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_io.h"
#include "render/play_frame.h"
#include "render/test_sheets.h"

namespace quandel {
namespace {

struct Shot {
  int frameNo, drawMode;
  const char* name;
};

// The opening wipe; a large fire, the stage banner, a blast and chain results in every draw mode; the
// widened column; the time-up banner.
constexpr Shot kShots[] = {
    {-50, 0, "opening-wipe-mode0"},       {2525, 0, "large-fire-banner-mode0"}, {2525, 1, "large-fire-banner-mode1"},
    {2525, 2, "large-fire-banner-mode2"}, {2525, 3, "large-fire-banner-mode3"}, {4947, 0, "wide-column-mode0"},
    {5489, 0, "time-up-mode0"},
};

// Draws the shot on surfaces of its own, so every draw mode gets its own sheets.
Picture Draw(const PlayState& play, int drawMode) {
  Surfaces v;
  testing::PrepareTestSurfaces(v, drawMode);
  const FpsClock clock{0, 0, 0, 60};
  ComposePlayFrame(v, play, PlayView{static_cast<uint8_t>(drawMode), 0, clock});
  const Surface& main = v.screen;
  return Picture{main.width(), main.height(),
                 std::vector<uint32_t>(main.pixels(), main.pixels() + main.width() * main.height())};
}

TEST(GoldenFrames, MatchTheCommittedPictures) {
  std::map<std::string, Picture> drawn;
  ReplayTable table;
  std::string error;
  ASSERT_TRUE(LoadReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", table, &error)) << error;
  ReplayRun run(std::move(table));
  while (run.Step()) {
    for (const Shot& shot : kShots) {
      if (shot.frameNo == run.play().frameNo) drawn[shot.name] = Draw(run.play(), shot.drawMode);
    }
  }
  ASSERT_EQ(drawn.size(), std::size(kShots));

  const bool update = std::getenv("QUANDEL_UPDATE_GOLDEN") != nullptr;
  for (const auto& [name, picture] : drawn) {
    const std::string path = std::string(QUANDEL_SOURCE_DIR) + "/tests/render/golden/" + name + ".png";
    if (update) {
      ASSERT_TRUE(WritePng(path, picture.pixels.data(), picture.width, picture.height)) << path;
      continue;
    }
    Picture expected;
    ASSERT_TRUE(ReadPng(path, expected)) << path << " is missing; regenerate with QUANDEL_UPDATE_GOLDEN=1";
    ASSERT_EQ(picture.width, expected.width) << name;
    ASSERT_EQ(picture.height, expected.height) << name;
    const auto mismatch = std::mismatch(picture.pixels.begin(), picture.pixels.end(), expected.pixels.begin());
    if (mismatch.first == picture.pixels.end()) continue;
    const long first = mismatch.first - picture.pixels.begin();
    const long differing = std::inner_product(picture.pixels.begin(), picture.pixels.end(), expected.pixels.begin(), 0L,
                                              std::plus<>(), std::not_equal_to<>());
    const std::string actual = (std::filesystem::temp_directory_path() / (name + ".actual.png")).string();
    WritePng(actual, picture.pixels.data(), picture.width, picture.height);
    ADD_FAILURE() << name << ": " << differing << " pixels differ, the first at (" << first % picture.width << ", "
                  << first / picture.width << "); drawn now: " << actual
                  << "\nIf the change is intended, regenerate the pictures with\n"
                  << "  QUANDEL_UPDATE_GOLDEN=1 quandel_tests --gtest_filter='GoldenFrames.*'";
  }
}

}  // namespace
}  // namespace quandel
