#include "app/frame_dump.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>

#include "platform/png_io.h"
#include "render/test_sheets.h"
#include "support/test_support.h"

namespace quandel {
namespace {

// A 24-bit bottom-up Windows bitmap of the surface.
std::string Bmp(const Surface& s) {
  const int w = s.width(), h = s.height(), stride = (3 * w + 3) / 4 * 4;
  std::string out(54 + stride * h, '\0');
  auto put = [&](int at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  for (auto [at, v, n] : {std::array{0, 'B' + 256 * 'M', 2}, {2, int(out.size()), 4}, {10, 54, 4}, {14, 40, 4}, {18, w, 4}, {22, h, 4},
                          {26, 1, 2}, {28, 24, 2}})
    put(at, static_cast<uint32_t>(v), n);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) put(54 + (h - 1 - y) * stride + 3 * x, s.pixel(x, y), 3);  // B, G, R
  return out;
}

std::set<std::string> Files(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(FrameDump, WritesEveryNthFrameNamedByFrameNumberAndNothingElse) {
  testing::TempDir assets, out;
  std::filesystem::create_directory(assets.File("img"));
  Surface hud, boxes, title(288, 437);
  testing::PaintHudSheet(hud);
  testing::PaintBoxSheet(boxes);
  testing::WriteFile(assets.File("img/lg.bmp"), Bmp(hud));
  testing::WriteFile(assets.File("img/cube.bmp"), Bmp(boxes));
  testing::WriteFile(assets.File("img/title.bmp"), Bmp(title));

  FrameDumpOptions options;
  options.outDir = out.path();
  options.assetDir = assets.path();
  options.every = 2000, options.scale = 2, options.drawMode = 3;
  std::string error;
  const auto outcome = DumpReplayFrames(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", options, &error);
  ASSERT_TRUE(outcome) << error;
  // The first drawn frame is -59; every frame is drawn, so every 2000th follows from it.
  std::set<std::string> expected;
  for (int f = -59; f <= outcome->frameNo; f += 2000) expected.insert(FrameFileName(f));
  EXPECT_EQ(Files(out.path()), expected);
  EXPECT_EQ(expected.count("frame_-0059.png") + expected.count("frame_01941.png"), 2u);

  Picture picture;
  ASSERT_TRUE(ReadPng(out.File("frame_01941.png"), picture));
  EXPECT_EQ(picture.width, 1280);
  EXPECT_EQ(picture.height, 960);
  // Enlarged without smoothing: pixel (x, y) fills (2x .. 2x + 1, 2y .. 2y + 1). The replay label's
  // first piece starts at (460, 410) on the ground of the picture.
  const uint32_t label = ColourToPixel(testing::SheetColour(sheet::kReplayLabelImage[0].src));
  EXPECT_EQ(picture.pixels[(2 * 410) * 1280 + 2 * 460], label);
  EXPECT_EQ(picture.pixels[(2 * 410 + 1) * 1280 + 2 * 460 + 1], label);
  EXPECT_NE(picture.pixels[(2 * 410) * 1280 + 2 * 460 - 1], label);
}

TEST(FrameDump, RefusesWhatItCannotDo) {
  testing::TempDir out, empty;
  const std::string replay = std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat";
  FrameDumpOptions options;
  options.outDir = out.path();
  options.assetDir = empty.path();
  std::string error;
  EXPECT_FALSE(DumpReplayFrames(replay, options, &error));
  EXPECT_NE(error.find("img/cube.bmp"), std::string::npos) << error;
  options.every = 0;
  EXPECT_FALSE(DumpReplayFrames(replay, options, &error));
  options.every = 1;
  options.outDir = out.File("missing");
  EXPECT_FALSE(DumpReplayFrames(replay, options, &error));
  options.outDir = out.path();
  EXPECT_FALSE(DumpReplayFrames(out.File("none.dat"), options, &error));
  EXPECT_TRUE(Files(out.path()).empty());
}

}  // namespace
}  // namespace quandel
