#include "platform/png_io.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

#include "platform/file_io.h"

namespace quandel {

namespace {

constexpr int64_t kMaxSide = 32768, kMaxPixels = int64_t{1} << 25;

// libpng reports errors by longjmp to the setjmp in Run*(); everything those functions touch after
// their setjmp is trivially destructible or owned by their caller, so a jump skips no destructor.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

struct Source {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

void ReadBytes(png_structp png, png_bytep out, size_t n) {
  auto* src = static_cast<Source*>(png_get_io_ptr(png));
  if (n > src->bytes.size() - src->at) png_error(png, "truncated");
  std::memcpy(out, src->bytes.data() + src->at, n);
  src->at += n;
}

void WriteBytes(png_structp png, png_bytep data, size_t n) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  try {
    out->insert(out->end(), data, data + n);
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");  // an exception must not cross libpng's C frames
  }
}

void FlushNothing(png_structp) {}

struct Reader {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct Writer {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  ~Writer() { png_destroy_write_struct(&png, &info); }
};

// Every kind of PNG comes out as 8-bit RGB: palettes and low bit depths expanded, 16 bits scaled,
// grey repeated, alpha dropped. No gamma correction: the stored values are the pixels.
bool RunDecode(png_structp png, png_infop info, std::vector<uint8_t>& rgb, std::vector<png_bytep>& rows,
               Picture& size) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  if (int64_t{width} * height > kMaxPixels) return false;
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_strip_alpha(png);
  png_set_gray_to_rgb(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{width} * 3) return false;
  rgb.resize(size_t{width} * height * 3);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = rgb.data() + size_t{y} * width * 3;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);  // the chunks after the pixels, up to IEND, must be intact too
  size.width = static_cast<int>(width);
  size.height = static_cast<int>(height);
  return true;
}

// Writes width x height pixels, each enlarged to scale x scale, as 8-bit RGB or RGBA (0xAARRGGBB).
bool RunEncode(png_structp png, png_infop info, const uint32_t* pixels, int width, int height, int scale, bool alpha,
               std::vector<uint8_t>& row, std::vector<uint8_t>& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int64_t outW = int64_t{width} * scale, outH = int64_t{height} * scale;
  const int channels = alpha ? 4 : 3;
  png_set_write_fn(png, &out, WriteBytes, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(outW), static_cast<png_uint_32>(outH), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // Unfiltered rows at a middle level: frame dumps come by the thousand, and their flat colours
  // pack well enough without row filters.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  row.resize(static_cast<size_t>(outW) * channels);
  for (int64_t y = 0; y < outH; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y / scale) * static_cast<size_t>(width);
    uint8_t* px = row.data();
    for (int64_t x = 0; x < outW; ++x, px += channels) {
      const uint32_t p = src[x / scale];
      px[0] = static_cast<uint8_t>(p >> 16);
      px[1] = static_cast<uint8_t>(p >> 8);
      px[2] = static_cast<uint8_t>(p);
      if (alpha) px[3] = static_cast<uint8_t>(p >> 24);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

std::vector<uint8_t> Encode(const uint32_t* pixels, int width, int height, int scale, bool alpha) {
  if (!pixels || width <= 0 || height <= 0 || scale < 1) return {};
  const int64_t outW = int64_t{width} * scale, outH = int64_t{height} * scale;
  if (outW > kMaxSide || outH > kMaxSide || outW * outH > kMaxPixels) return {};
  Writer writer;
  if (!writer.info) return {};
  std::vector<uint8_t> row, out;
  if (!RunEncode(writer.png, writer.info, pixels, width, height, scale, alpha, row, out)) return {};
  return out;
}

}  // namespace

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int scale) {
  return Encode(pixels, width, height, scale, false);
}

std::vector<uint8_t> EncodePngWithAlpha(const uint32_t* pixels, int width, int height) {
  return Encode(pixels, width, height, 1, true);
}

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int scale) {
  const std::vector<uint8_t> bytes = EncodePng(pixels, width, height, scale);
  return !bytes.empty() && ReplaceFile(path, bytes);
}

bool WritePng(const std::string& path, const Surface& surface, int scale) {
  return WritePng(path, surface.pixels(), surface.width(), surface.height(), scale);
}

bool DecodePng(std::span<const uint8_t> bytes, Picture& out) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return false;
  Reader reader;
  if (!reader.info) return false;
  Source source{bytes};
  png_set_read_fn(reader.png, &source, ReadBytes);
  png_set_user_limits(reader.png, kMaxSide, kMaxSide);
  // A bad CRC in any chunk, critical or not, means a damaged file.
  png_set_crc_action(reader.png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
  std::vector<uint8_t> rgb;
  std::vector<png_bytep> rows;
  Picture picture;
  if (!RunDecode(reader.png, reader.info, rgb, rows, picture)) return false;
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] = PixelRgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
  }
  out = std::move(picture);
  return true;
}

bool ReadPng(const std::string& path, Picture& out) {
  const auto bytes = ReadRegularFile(path, size_t{256} << 20);
  return bytes && DecodePng(*bytes, out);
}

}  // namespace quandel
