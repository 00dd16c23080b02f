#include "platform/png_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "platform/surface.h"
#include "support/test_support.h"

namespace quandel {
namespace {

uint32_t Crc(const uint8_t* p, size_t n) {
  uint32_t c = ~0u;
  while (n--) {
    c ^= *p++;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void PutBig(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// A 1 x 32768 picture relabelled (valid CRC) as a wider one its rows still fill: refused past the limit.
TEST(Png, RefusesHeadersBeyondTheSizeLimits) {
  const std::vector<uint32_t> black(32768, 0);
  const std::vector<uint8_t> tall = EncodePng(black.data(), 1, 32768);
  struct Case {
    uint32_t width, height;
    bool ok;
  } cases[] = {{1, 32768, true}, {32768, 1, true}, {40000, 1, false}, {0, 1, false}};
  for (const Case& c : cases) {
    std::vector<uint8_t> png = tall;
    PutBig(png, 16, c.width);
    PutBig(png, 20, c.height);
    PutBig(png, 29, Crc(png.data() + 12, 17));
    Picture p;
    EXPECT_EQ(DecodePng(png, p), c.ok) << c.width << "x" << c.height;
  }
}

TEST(Png, RoundTripsASurfaceButRejectsDamage) {
  testing::TempDir dir;
  Surface s(7, 5);
  std::mt19937 rng(1);
  for (int i = 0; i < 35; ++i) s.SetPixelV(i % 7, i / 7, static_cast<int32_t>(rng() & 0xFFFFFF));
  Picture p;
  ASSERT_TRUE(WritePng(dir.File("a.png"), s));
  ASSERT_TRUE(ReadPng(dir.File("a.png"), p));
  EXPECT_EQ(p.pixels, std::vector<uint32_t>(s.pixels(), s.pixels() + 35));
  EXPECT_FALSE(WritePng(dir.File("no/such/dir.png"), s));
  // A link or a pipe under the picture's name is replaced, never written through.
  testing::WriteFile(dir.File("outside"), "keep");
  std::filesystem::create_symlink(dir.File("outside"), dir.File("link.png"));
  ::mkfifo(dir.File("pipe.png").c_str(), 0644);
  for (const char* name : {"link.png", "pipe.png"}) {
    ASSERT_TRUE(WritePng(dir.File(name), s)) << name;
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.File(name)))) << name;
    EXPECT_TRUE(ReadPng(dir.File(name), p)) << name;
  }
  EXPECT_EQ(testing::ReadFile(dir.File("outside")), "keep");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
  EXPECT_FALSE(WritePng(dir.File("c.png"), s, 0));
  // Any flipped bit is caught by a signature, a CRC or the deflate stream; any cut by a length.
  const std::string text = testing::ReadFile(dir.File("a.png"));
  const std::vector<uint8_t> png(text.begin(), text.end());
  for (size_t n = 0; n < png.size(); ++n) {
    std::vector<uint8_t> bad = png;
    bad[n] ^= 0x40;
    ASSERT_FALSE(DecodePng(bad, p)) << n;
    ASSERT_FALSE(DecodePng(std::span(png).first(n), p)) << n;
  }
}

}  // namespace
}  // namespace quandel
