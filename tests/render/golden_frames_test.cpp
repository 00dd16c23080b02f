// Whole frames of a recorded play, drawn with the test sheets and compared pixel for pixel with
// pictures kept under tests/render/golden. When the drawing changes on purpose, look at the new
// pictures and regenerate them with
//   QUANDEL_UPDATE_GOLDEN=1 <build>/quandel_tests --gtest_filter='GoldenFrames.*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
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
  int frameNo;
  int drawMode;
  const char* name;
};

// The opening wipe; a special box's large fire with the stage banner, a blast and chain results, in
// every draw mode; the widened column; the time-up banner over the last chains.
constexpr Shot kShots[] = {
    {-50, 0, "opening-wipe-mode0"},
    {2525, 0, "large-fire-banner-mode0"},
    {2525, 1, "large-fire-banner-mode1"},
    {2525, 2, "large-fire-banner-mode2"},
    {2525, 3, "large-fire-banner-mode3"},
    {4947, 0, "wide-column-mode0"},
    {5489, 0, "time-up-mode0"},
};

std::string GoldenDir() { return std::string(QUANDEL_SOURCE_DIR) + "/tests/render/golden"; }

// Draws the shot from a copy of the play's state in a window object of its own, so the play itself
// is not disturbed and every draw mode gets its own sheets.
Picture Draw(const App& play, int drawMode) {
  HeadlessPlatform platform(play.platform.Clock());
  App app(platform, DataDir("."));
  testing::PrepareTestSurfaces(app.surfaces, drawMode);
  app.state = play.state;
  app.state.drawMode = static_cast<uint8_t>(drawMode);
  app.playRank = play.playRank;
  app.playClock = FpsClock{0, 0, 0, 60};
  ComposePlayFrame(app);
  const Surface& main = app.surfaces.picMain;
  return Picture{main.width(), main.height(), std::vector<uint32_t>(main.pixels(), main.pixels() + main.width() * main.height())};
}

TEST(GoldenFrames, MatchTheCommittedPictures) {
  std::map<std::string, Picture> drawn;
  HeadlessReplayOptions options;
  options.setup = [&](App& app) {
    app.state.frameSkip = 0;
    app.state.autoFrameSkip = 0;
    app.composePlayFrame = [&](App& a) {
      for (const Shot& shot : kShots) {
        if (shot.frameNo == a.state.frameNo) drawn[shot.name] = Draw(a, shot.drawMode);
      }
    };
  };
  std::string error;
  ASSERT_TRUE(RunReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", options, &error)) << error;
  ASSERT_EQ(drawn.size(), std::size(kShots));

  const bool update = std::getenv("QUANDEL_UPDATE_GOLDEN") != nullptr;
  for (const auto& [name, picture] : drawn) {
    const std::string path = GoldenDir() + "/" + name + ".png";
    if (update) {
      ASSERT_TRUE(WritePng(path, picture.pixels.data(), picture.width, picture.height)) << path;
      continue;
    }
    Picture expected;
    ASSERT_TRUE(ReadPng(path, expected)) << path << " is missing; regenerate with QUANDEL_UPDATE_GOLDEN=1";
    ASSERT_EQ(expected.width, picture.width);
    ASSERT_EQ(expected.height, picture.height);
    int differing = 0, firstX = -1, firstY = -1;
    for (int i = 0; i < picture.width * picture.height; ++i) {
      if (expected.pixels[i] == picture.pixels[i]) continue;
      if (differing++ == 0) {
        firstX = i % picture.width;
        firstY = i / picture.width;
      }
    }
    if (differing != 0) {
      const std::string actual = (std::filesystem::temp_directory_path() / (name + ".actual.png")).string();
      WritePng(actual, picture.pixels.data(), picture.width, picture.height);
      ADD_FAILURE() << name << ": " << differing << " pixels differ, the first at (" << firstX << ", " << firstY << "); drawn now: " << actual
                    << "\nIf the change is intended, regenerate the pictures with\n  QUANDEL_UPDATE_GOLDEN=1 quandel_tests --gtest_filter='GoldenFrames.*'";
    }
  }
}

}  // namespace
}  // namespace quandel
