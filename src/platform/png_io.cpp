#include "platform/png_io.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

#include "platform/file_io.h"

namespace quandel {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int64_t kMaxSide = 32768, kMaxPixels = int64_t{1} << 25;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

uint32_t GetU32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const uint8_t* data, size_t size) {
  PutU32(out, static_cast<uint32_t>(size));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, out.data() + start, static_cast<uInt>(size + 4));
  PutU32(out, static_cast<uint32_t>(crc));
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  if (pb <= pc) return static_cast<uint8_t>(b);
  return static_cast<uint8_t>(c);
}

}  // namespace

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int scale) {
  if (!pixels || width <= 0 || height <= 0 || scale < 1) return {};
  const int64_t outW = int64_t{width} * scale, outH = int64_t{height} * scale;
  if (outW > kMaxSide || outH > kMaxSide || outW * outH > kMaxPixels) return {};

  // Every row with filter 0 (none): frame dumps are small enough that better filtering is not worth it.
  const size_t rowSize = 1 + static_cast<size_t>(outW) * 3;
  std::vector<uint8_t> raw(rowSize * static_cast<size_t>(outH));
  for (int64_t y = 0; y < outH; ++y) {
    uint8_t* row = raw.data() + static_cast<size_t>(y) * rowSize;
    row[0] = 0;
    const uint32_t* src = pixels + static_cast<size_t>(y / scale) * static_cast<size_t>(width);
    for (int64_t x = 0; x < outW; ++x) {
      const uint32_t p = src[x / scale];
      row[1 + 3 * x] = static_cast<uint8_t>(p >> 16);
      row[2 + 3 * x] = static_cast<uint8_t>(p >> 8);
      row[3 + 3 * x] = static_cast<uint8_t>(p);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return {};
  packed.resize(packedSize);

  std::vector<uint8_t> out(kSignature, kSignature + 8);
  std::vector<uint8_t> header;
  PutU32(header, static_cast<uint32_t>(outW));
  PutU32(header, static_cast<uint32_t>(outH));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filtering, no interlace
  PutChunk(out, "IHDR", header.data(), header.size());
  PutChunk(out, "IDAT", packed.data(), packed.size());
  PutChunk(out, "IEND", nullptr, 0);
  return out;
}

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int scale) {
  const std::vector<uint8_t> bytes = EncodePng(pixels, width, height, scale);
  return !bytes.empty() && ReplaceFile(path, bytes);
}

bool WritePng(const std::string& path, const Surface& surface, int scale) {
  return WritePng(path, surface.pixels(), surface.width(), surface.height(), scale);
}

bool DecodePng(std::span<const uint8_t> bytes, Picture& out) {
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return false;
  size_t at = 8;
  uint32_t width = 0, height = 0;
  int channels = 0;
  bool haveHeader = false, ended = false;
  std::vector<uint8_t> packed;
  while (!ended) {
    if (bytes.size() - at < 12) return false;
    const uint32_t size = GetU32(bytes.data() + at);
    if (size > bytes.size() - at - 12) return false;
    const uint8_t* type = bytes.data() + at + 4;
    const uint8_t* data = type + 4;
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, type, size + 4);
    if (static_cast<uint32_t>(crc) != GetU32(data + size)) return false;
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (haveHeader || size != 13) return false;
      width = GetU32(data);
      height = GetU32(data + 4);
      const uint8_t depth = data[8], colourType = data[9];
      if (depth != 8 || data[10] != 0 || data[11] != 0 || data[12] != 0) return false;
      switch (colourType) {
        case 0: channels = 1; break;
        case 2: channels = 3; break;
        case 4: channels = 2; break;
        case 6: channels = 4; break;
        default: return false;
      }
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
          int64_t{width} * height > kMaxPixels) {
        return false;
      }
      haveHeader = true;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      if (!haveHeader) return false;
      packed.insert(packed.end(), data, data + size);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      ended = true;
    } else if (!(type[0] & 0x20)) {
      return false;  // an unknown critical chunk (a palette, say) means a kind we do not read
    }
    at += 12 + static_cast<size_t>(size);
  }
  if (!haveHeader || packed.empty()) return false;

  const size_t stride = static_cast<size_t>(width) * channels;
  const size_t rawSize = (stride + 1) * height;
  std::vector<uint8_t> raw(rawSize);
  uLongf got = static_cast<uLongf>(rawSize);
  if (uncompress(raw.data(), &got, packed.data(), static_cast<uLong>(packed.size())) != Z_OK || got != rawSize) {
    return false;
  }

  // Undo the row filters in place; `prev` is the row above after unfiltering (zeros for the first).
  std::vector<uint8_t> zero(stride, 0);
  const uint8_t* prev = zero.data();
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = raw.data() + y * (stride + 1);
    const uint8_t filter = row[0];
    uint8_t* cur = row + 1;
    for (size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<size_t>(channels) ? cur[i - channels] : 0;
      const int b = prev[i];
      const int c = i >= static_cast<size_t>(channels) ? prev[i - channels] : 0;
      switch (filter) {
        case 0: break;
        case 1: cur[i] = static_cast<uint8_t>(cur[i] + a); break;
        case 2: cur[i] = static_cast<uint8_t>(cur[i] + b); break;
        case 3: cur[i] = static_cast<uint8_t>(cur[i] + (a + b) / 2); break;
        case 4: cur[i] = static_cast<uint8_t>(cur[i] + Paeth(a, b, c)); break;
        default: return false;
      }
    }
    prev = cur;
  }

  Picture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<size_t>(width) * height);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* cur = raw.data() + y * (stride + 1) + 1;
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = cur + static_cast<size_t>(x) * channels;
      picture.pixels[static_cast<size_t>(y) * width + x] = channels >= 3 ? PixelRgb(p[0], p[1], p[2]) : PixelRgb(p[0], p[0], p[0]);
    }
  }
  out = std::move(picture);
  return true;
}

bool ReadPng(const std::string& path, Picture& out) {
  const auto bytes = ReadRegularFile(path, size_t{256} << 20);
  return bytes && DecodePng(*bytes, out);
}

}  // namespace quandel
