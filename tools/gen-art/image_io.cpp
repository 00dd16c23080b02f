#include <cairo.h>

#include <cstdio>
#include <cstring>

#include "art.h"

namespace quandel::art {
namespace {
void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = v & 255;
  out[at + 1] = (v >> 8) & 255;
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}
}  // namespace

std::vector<uint8_t> EncodeBmp(const Image& image) {
  const uint32_t row = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
  const uint32_t data = row * image.height;
  std::vector<uint8_t> out(54 + data, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, 54 + data);  // file size
  Put32(out, 10, 54);        // offset of the pixels
  Put32(out, 14, 40);        // BITMAPINFOHEADER
  Put32(out, 18, image.width);
  Put32(out, 22, image.height);  // positive: bottom-up
  Put16(out, 26, 1);             // planes
  Put16(out, 28, 24);            // bits per pixel
  Put32(out, 30, 0);             // no compression
  Put32(out, 34, data);
  Put32(out, 38, 2835);  // 72 dpi
  Put32(out, 42, 2835);
  for (int y = 0; y < image.height; ++y) {
    size_t at = 54 + static_cast<size_t>(image.height - 1 - y) * row;
    for (int x = 0; x < image.width; ++x) {
      const uint32_t c = image.At(x, y);
      out[at++] = c & 255;
      out[at++] = (c >> 8) & 255;
      out[at++] = (c >> 16) & 255;
    }
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

Image Enlarge(const Image& image, int factor) {
  Image out(image.width * factor, image.height * factor, kWhite);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.Set(x, y, image.At(x / factor, y / factor));
  return out;
}

bool WritePng(const Image& image, const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint32_t c = image.At(x, y);
      std::memcpy(data + y * stride + x * 4, &c, 4);
    }
  cairo_surface_mark_dirty(s);
  const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(s);
  return ok;
}

}  // namespace quandel::art
