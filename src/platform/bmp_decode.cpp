// Windows bitmap files: the sheets the game loads, read without trusting their headers.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

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

struct BmpHeader {
  uint32_t dataOffset = 0;
  uint32_t headerSize = 0;
  int32_t width = 0;
  int64_t height = 0;
  bool topDown = false;
  uint16_t bpp = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
};

// How a stored pixel becomes a colour: a palette index or bit-field channels.
struct PixelFormat {
  Channel red, green, blue;
  std::vector<uint32_t> palette;
};

// The file and info headers; false unless they describe a picture of a size we accept.
bool ReadHeader(const ByteReader& in, BmpHeader& h) {
  if (!in.Has(0, 18) || *in.At(0) != 'B' || *in.At(1) != 'M') return false;
  h.dataOffset = in.U32(10);
  h.headerSize = in.U32(14);
  if (h.headerSize < 40 || !in.Has(14, h.headerSize)) return false;
  h.width = static_cast<int32_t>(in.U32(18));
  const auto rawHeight = static_cast<int32_t>(in.U32(22));
  h.bpp = in.U16(28);
  h.compression = in.U32(30);
  h.coloursUsed = in.U32(46);
  if (h.width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  h.topDown = rawHeight < 0;
  h.height = h.topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  return h.width <= kMaxSide && h.height <= kMaxSide && h.width * h.height <= kMaxPixels;
}

// The palette of an indexed picture or the channel masks of a 32-bit one; false for a depth or a
// compression we do not read, or a palette or masks past the end of the file.
bool ReadPaletteOrMasks(const ByteReader& in, const BmpHeader& h, PixelFormat& f) {
  if (h.bpp == 1 || h.bpp == 4 || h.bpp == 8) {
    if (h.compression != kBiRgb) return false;
    const uint32_t full = 1u << h.bpp;
    const uint32_t count = h.coloursUsed == 0 ? full : std::min(h.coloursUsed, full);
    const uint64_t at = 14ull + h.headerSize;
    if (!in.Has(at, 4ull * count)) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* q = in.At(at + 4ull * i);
      f.palette.push_back(PixelRgb(q[2], q[1], q[0]));
    }
    return true;
  }
  if (h.bpp == 24) return h.compression == kBiRgb;
  if (h.bpp != 32) return false;
  if (h.compression == kBiBitfields) {
    // The three masks follow a 40-byte header, or sit inside the larger headers at the same place.
    return in.Has(54, 12) && f.red.Set(in.U32(54)) && f.green.Set(in.U32(58)) && f.blue.Set(in.U32(62));
  }
  if (h.compression != kBiRgb) return false;
  f.red.Set(0xFF0000u);
  f.green.Set(0xFF00u);
  f.blue.Set(0xFFu);
  return true;
}

// Pixel x of the row stored at `rowStart`.
uint32_t PixelAt(const ByteReader& in, uint64_t rowStart, int32_t x, uint16_t bpp, const PixelFormat& f) {
  const uint8_t* p = in.At(rowStart);
  switch (bpp) {
    case 24: return PixelRgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
    case 32: {
      const uint32_t word = in.U32(rowStart + 4u * static_cast<size_t>(x));
      return (f.red.Of(word) << 16) | (f.green.Of(word) << 8) | f.blue.Of(word);
    }
    default: {
      const uint32_t perByte = 8u / bpp;
      const uint8_t byte = p[static_cast<uint32_t>(x) / perByte];
      const uint32_t shift = 8u - bpp * (static_cast<uint32_t>(x) % perByte + 1u);
      const uint32_t index = (byte >> shift) & ((1u << bpp) - 1u);
      return index < f.palette.size() ? f.palette[index] : 0u;  // out-of-range indices read as black
    }
  }
}

// Every row, bottom-up unless the header says top-down; false when the file ends before the last.
bool ReadRows(const ByteReader& in, const BmpHeader& h, const PixelFormat& f, Picture& picture) {
  const uint64_t rowBits = static_cast<uint64_t>(h.width) * h.bpp;
  const uint64_t stride = (rowBits + 31) / 32 * 4;
  const uint64_t rowBytes = (rowBits + 7) / 8;
  // The last row may come without its padding.
  if (!in.Has(h.dataOffset, stride * static_cast<uint64_t>(h.height - 1) + rowBytes)) return false;

  picture.width = h.width;
  picture.height = static_cast<int>(h.height);
  picture.pixels.resize(static_cast<size_t>(h.width) * static_cast<size_t>(h.height));
  for (int64_t row = 0; row < h.height; ++row) {
    const uint64_t rowStart = h.dataOffset + stride * static_cast<uint64_t>(row);
    const int64_t y = h.topDown ? row : h.height - 1 - row;
    uint32_t* dst = picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(h.width);
    for (int32_t x = 0; x < h.width; ++x) dst[x] = PixelAt(in, rowStart, x, h.bpp, f);
  }
  return true;
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> bytes, Picture& out) {
  const ByteReader in(bytes);
  BmpHeader header;
  PixelFormat format;
  Picture picture;
  if (!ReadHeader(in, header) || !ReadPaletteOrMasks(in, header, format) || !ReadRows(in, header, format, picture)) {
    return false;
  }
  out = std::move(picture);
  return true;
}

}  // namespace quandel
