// Windows bitmap files: the sheets the game loads, read without trusting their headers.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>

#include "platform/surface.h"

namespace quandel {

namespace {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool Has(uint64_t offset, uint64_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }
  uint32_t U32(size_t at) const {
    return bytes_[at] | (bytes_[at + 1] << 8) | (bytes_[at + 2] << 16) | (static_cast<uint32_t>(bytes_[at + 3]) << 24);
  }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(bytes_[at] | (bytes_[at + 1] << 8)); }
  const uint8_t* At(size_t at) const { return bytes_.data() + at; }

 private:
  std::span<const uint8_t> bytes_;
};

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0, bits = 0;
  bool Set(uint32_t m) {
    mask = m;
    if (m == 0) return false;
    shift = std::countr_zero(m);
    bits = std::popcount(m);
    return (m >> shift) == ((bits == 32 ? 0u : (1u << bits)) - 1u);  // contiguous
  }
  uint32_t Of(uint32_t v) const {
    const uint32_t raw = (v & mask) >> shift;
    if (bits >= 8) return raw >> (bits - 8);
    return raw * 255u / ((1u << bits) - 1u);
  }
};

constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;
constexpr int64_t kMaxSide = 32768, kMaxPixels = int64_t{1} << 24;

}  // namespace

bool DecodeBmp(std::span<const uint8_t> bytes, Picture& out) {
  const ByteReader in(bytes);
  if (!in.Has(0, 18) || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t dataOffset = in.U32(10);
  const uint32_t headerSize = in.U32(14);
  if (headerSize < 40 || !in.Has(14, headerSize)) return false;
  const auto width = static_cast<int32_t>(in.U32(18));
  const auto rawHeight = static_cast<int32_t>(in.U32(22));
  const uint16_t bpp = in.U16(28);
  const uint32_t compression = in.U32(30);
  const uint32_t coloursUsed = in.U32(46);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) return false;

  Channel red, green, blue;
  std::vector<uint32_t> palette;
  if (bpp == 1 || bpp == 4 || bpp == 8) {
    if (compression != kBiRgb) return false;
    const uint32_t full = 1u << bpp;
    const uint32_t count = coloursUsed == 0 ? full : std::min(coloursUsed, full);
    const uint64_t at = 14ull + headerSize;
    if (!in.Has(at, 4ull * count)) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* q = in.At(at + 4ull * i);
      palette.push_back(PixelRgb(q[2], q[1], q[0]));
    }
  } else if (bpp == 24) {
    if (compression != kBiRgb) return false;
  } else if (bpp == 32) {
    if (compression == kBiBitfields) {
      // The three masks follow a 40-byte header, or sit inside the larger headers at the same place.
      if (!in.Has(54, 12)) return false;
      if (!red.Set(in.U32(54)) || !green.Set(in.U32(58)) || !blue.Set(in.U32(62))) return false;
    } else if (compression == kBiRgb) {
      red.Set(0xFF0000u);
      green.Set(0xFF00u);
      blue.Set(0xFFu);
    } else {
      return false;
    }
  } else {
    return false;
  }

  const uint64_t rowBits = static_cast<uint64_t>(width) * bpp;
  const uint64_t stride = (rowBits + 31) / 32 * 4;
  const uint64_t rowBytes = (rowBits + 7) / 8;
  // The last row may come without its padding.
  if (!in.Has(dataOffset, stride * static_cast<uint64_t>(height - 1) + rowBytes)) return false;

  Picture picture;
  picture.width = width;
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int64_t row = 0; row < height; ++row) {
    const uint8_t* p = in.At(dataOffset + stride * static_cast<uint64_t>(row));
    const int64_t y = topDown ? row : height - 1 - row;
    uint32_t* dst = picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v;
      switch (bpp) {
        case 24: v = PixelRgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]); break;
        case 32: {
          const uint32_t word = in.U32(static_cast<size_t>(p - bytes.data()) + 4u * static_cast<size_t>(x));
          v = (red.Of(word) << 16) | (green.Of(word) << 8) | blue.Of(word);
          break;
        }
        default: {
          const uint32_t perByte = 8u / bpp;
          const uint8_t byte = p[static_cast<uint32_t>(x) / perByte];
          const uint32_t shift = 8u - bpp * (static_cast<uint32_t>(x) % perByte + 1u);
          const uint32_t index = (byte >> shift) & ((1u << bpp) - 1u);
          v = index < palette.size() ? palette[index] : 0u;  // out-of-range indices read as black
        }
      }
      dst[x] = v;
    }
  }
  out = std::move(picture);
  return true;
}

}  // namespace quandel
