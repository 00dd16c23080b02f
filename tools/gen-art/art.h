// Draws the game's bitmap sheets (boxes, title, HUD, the how-to-play page) and writes them as BMP
// files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/sheet_layout.h"

namespace quandel::art {

// 24-bit pixels packed 0xRRGGBB, rows top-down.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> px;

  Image() = default;
  Image(int w, int h, uint32_t fill) : width(w), height(h), px(static_cast<size_t>(w) * h, fill) {}
  uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
  void Set(int x, int y, uint32_t c) { px[static_cast<size_t>(y) * width + x] = c; }
  friend bool operator==(const Image&, const Image&) = default;
};

inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;

// The font files the sheets are lettered with, opened once (Debian's fonts-dejavu-core).
class Fonts {
 public:
  // Throws std::runtime_error when a font file is missing or unreadable.
  explicit Fonts(const std::string& dir);
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  cairo_font_face_t* bold() const { return bold_; }
  cairo_font_face_t* condensed() const { return condensed_; }

 private:
  cairo_font_face_t* bold_ = nullptr;
  cairo_font_face_t* condensed_ = nullptr;
};

// The folder the build found the fonts in.
std::string DefaultFontDir();

Image DrawBoxSheet();
Image DrawTitleSheet(const Fonts& fonts);
Image DrawHudSheet(const Fonts& fonts);
// The how-to-play page, a whole 640 x 480 screen. Throws std::runtime_error when its text does
// not fit.
Image DrawHelpSheet(const Fonts& fonts);

// Uncompressed 24-bit BMP: bottom-up rows of B, G, R, each row padded to a multiple of 4 bytes.
std::vector<uint8_t> EncodeBmp(const Image& image);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Nearest-neighbour enlargement, for looking at the sheets.
Image Enlarge(const Image& image, int factor);
bool WritePng(const Image& image, const std::string& path);

// Mock screens built from the sheets with the masked-blit pair, to judge the art in place.
Image ComposeTitleScreen(const Image& title, const Image& hud);
Image ComposePlayScreen(const Image& boxes, const Image& title, const Image& hud);

}  // namespace quandel::art
