#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/surface.h"
#include "support/test_support.h"

namespace quandel {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A bitmap file: 40-byte header, optional palette or masks, rows padded to 4 bytes.
std::vector<uint8_t> Bmp(int w, int h, int bpp, const std::vector<uint8_t>& rows, uint32_t compression = 0,
                         const std::vector<uint8_t>& extra = {}) {
  std::vector<uint8_t> b(54 + extra.size() + rows.size(), 0);
  std::copy(extra.begin(), extra.end(), b.begin() + 54);
  std::copy(rows.begin(), rows.end(), b.begin() + 54 + static_cast<ptrdiff_t>(extra.size()));
  const uint32_t fields[][3] = {{0, 'B' + 256 * 'M', 2},
                                {2, uint32_t(b.size()), 4},
                                {10, uint32_t(54 + extra.size()), 4},
                                {14, 40, 4},
                                {18, uint32_t(w), 4},
                                {22, uint32_t(h), 4},
                                {26, 1, 2},
                                {28, uint32_t(bpp), 2},
                                {30, compression, 4}};
  for (auto [at, v, n] : fields) Put(b, at, v, static_cast<int>(n));
  return b;
}

constexpr uint32_t kW = 0xFFFFFF;

// 3 x 2 at 24 bits, bottom row first: stride 12 with 3 bytes of padding.
const std::vector<uint8_t> kRows24 = {3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0, 30, 20, 10, 60, 50, 40, 90, 80, 70, 0, 0, 0};

TEST(Bmp, DecodesEveryPixelLayoutWeAccept) {
  Picture p;
  ASSERT_TRUE(DecodeBmp(Bmp(3, 2, 24, kRows24), p));
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0x0A141E, 0x28323C, 0x46505A, 0x010203, 0x040506, 0x070809}));
  ASSERT_TRUE(DecodeBmp(Bmp(3, -2, 24, kRows24), p));  // top-down
  EXPECT_EQ(p.pixels[0], 0x010203u);
  ASSERT_TRUE(DecodeBmp(Bmp(2, 1, 32, {3, 2, 1, 99, 6, 5, 4, 99}), p));
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0x010203, 0x040506}));
  const std::vector<uint8_t> masks = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};  // red in the low byte
  ASSERT_TRUE(DecodeBmp(Bmp(1, 1, 32, {0x11, 0x22, 0x33, 0}, 3, masks), p));
  EXPECT_EQ(p.pixels[0], 0x112233u);
  // 8 bits with a palette of two: index 5 lies outside it and reads as black.
  std::vector<uint8_t> file = Bmp(3, 1, 8, {1, 0, 5, 0}, 0, {3, 2, 1, 0, 6, 5, 4, 0});
  Put(file, 46, 2, 4);
  ASSERT_TRUE(DecodeBmp(file, p));
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0x040506, 0x010203, 0}));
  ASSERT_TRUE(DecodeBmp(Bmp(10, 1, 1, {0xA0, 0x40, 0, 0}, 0, {0, 0, 0, 0, 255, 255, 255, 0}), p));
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kW, 0, kW, 0, 0, 0, 0, 0, 0, kW}));  // high bit first
}

TEST(Bmp, RejectsTruncatedAndHostileFilesAndTheSurfaceKeepsItsPicture) {
  const std::vector<uint8_t> good = Bmp(3, 2, 24, kRows24);
  Picture p{7, 1, {0}};
  // Every cut is rejected, except one that only loses the last row's padding.
  for (size_t n = 0; n + 3 < good.size(); ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(n));
    ASSERT_FALSE(DecodeBmp(cut, p)) << n;  // a read past the copy shows under the sanitizers
  }
  EXPECT_EQ(p.width, 7);
  // A huge width, a height of -2^31, no width, a header size and a pixel offset past the file, 16-bit
  // pixels, run-length encoding, no signature.
  for (auto [at, v, n] : {std::tuple{18, 0x7FFFFFFFu, 4},
                          {22, 0x80000000u, 4},
                          {18, 0u, 4},
                          {14, 0xFFFFFFF0u, 4},
                          {10, 0xFFFFFFF0u, 4},
                          {28, 16u, 2},
                          {30, 1u, 4},
                          {0, uint32_t{'X'}, 1}}) {
    std::vector<uint8_t> b = good;
    Put(b, static_cast<size_t>(at), v, n);
    EXPECT_FALSE(DecodeBmp(b, p)) << at;
  }
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 32, {0, 0, 0, 0}, 3, std::vector<uint8_t>(12, 0)), p));  // empty masks
  EXPECT_EQ(p.width, 7);

  // A surface keeps what it had when the file is missing, damaged or a folder.
  testing::TempDir dir;
  testing::WriteFile(dir.File("ok.bmp"), std::string(good.begin(), good.end()));
  testing::WriteFile(dir.File("bad.bmp"), std::string(good.begin(), good.begin() + 40));
  Surface s(3, 3);
  s.SetPixelV(2, 2, 0x123456);
  ::mkfifo(dir.File("pipe.bmp").c_str(), 0644);  // would hang the start-up
  for (const std::string& path : {dir.File("missing.bmp"), dir.File("bad.bmp"), dir.path(), dir.File("pipe.bmp")})
    EXPECT_FALSE(s.LoadBmp(path)) << path;
  EXPECT_EQ(s.colourAt(2, 2), 0x123456);
  ASSERT_TRUE(s.LoadBmp(dir.File("ok.bmp")));
  EXPECT_EQ(s.pixel(2, 1), 0x070809u);
  EXPECT_EQ(s.pixel(2, 2), kW);
}

}  // namespace
}  // namespace quandel
