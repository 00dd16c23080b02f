#include <gtest/gtest.h>

#include "platform/png_io.h"

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
  struct Case { uint32_t width, height; bool ok; } cases[] = {{1, 32768, true}, {32768, 1, true}, {40000, 1, false}, {0, 1, false}};
  for (const Case& c : cases) {
    std::vector<uint8_t> png = tall;
    PutBig(png, 16, c.width);
    PutBig(png, 20, c.height);
    PutBig(png, 29, Crc(png.data() + 12, 17));
    Picture p;
    EXPECT_EQ(DecodePng(png, p), c.ok) << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace quandel
