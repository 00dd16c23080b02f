#include "frame_dump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/png_io.h"
#include "support/test_support.h"

namespace quandel {
namespace {

std::set<std::string> Files(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(FrameDump, WritesEveryNthFrameNamedByFrameNumberAndNothingElse) {
  testing::TempDir out;
  FrameDumpOptions options;
  options.outDir = out.path(), options.assetDir = std::string(QUANDEL_BINARY_DIR) + "/game";
  options.every = 2000, options.scale = 2, options.drawMode = 3;
  std::string error;
  const auto outcome = DumpReplayFrames(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", options, &error);
  ASSERT_TRUE(outcome) << error;
  // The first drawn frame is -59; every frame is drawn, so every 2000th follows from it.
  std::set<std::string> expected;
  for (int f = -59; f <= outcome->frameNo; f += 2000) expected.insert(FrameFileName(f));
  EXPECT_EQ(Files(out.path()), expected);
  EXPECT_EQ(expected.count("frame_-0059.png"), 1u);
  EXPECT_EQ(expected.count("frame_01941.png"), 1u);

  Picture picture;
  ASSERT_TRUE(ReadPng(out.File("frame_01941.png"), picture));
  ASSERT_EQ(picture.width, 1280);
  ASSERT_EQ(picture.height, 960);
  // Enlarged without smoothing: every 2 x 2 block is one pixel of the frame.
  for (int y = 0; y < 960; y += 2) {
    for (int x = 0; x < 1280; x += 2) {
      const uint32_t* p = &picture.pixels[static_cast<size_t>(y) * 1280 + x];
      ASSERT_EQ(p[1], p[0]) << "right of " << x << "," << y;
      ASSERT_EQ(p[1280], p[0]) << "below " << x << "," << y;
      ASSERT_EQ(p[1281], p[0]) << "diagonal to " << x << "," << y;
    }
  }
}

TEST(FrameDump, RefusesWhatItCannotDo) {
  testing::TempDir out, empty;
  const std::string replay = std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat";
  FrameDumpOptions options;
  options.outDir = out.path(), options.assetDir = empty.path();
  std::string error;
  EXPECT_FALSE(DumpReplayFrames(replay, options, &error));
  EXPECT_NE(error.find("img/cube.bmp"), std::string::npos) << error;
  // With the sheets there, only the option under test can refuse.
  options.assetDir = std::string(QUANDEL_BINARY_DIR) + "/game";
  options.every = 0;
  EXPECT_FALSE(DumpReplayFrames(replay, options, &error));
  EXPECT_NE(error.find("--every"), std::string::npos) << error;
  options.every = 1, options.outDir = out.File("missing");
  EXPECT_FALSE(DumpReplayFrames(replay, options, &error));
  EXPECT_NE(error.find("no such folder"), std::string::npos) << error;
  options.outDir = out.path();
  EXPECT_FALSE(DumpReplayFrames(out.File("none.dat"), options, &error));
  EXPECT_TRUE(Files(out.path()).empty());
}

}  // namespace
}  // namespace quandel
