// Off-screen drawing surfaces in the manner of a window toolkit's picture box: a 24-bit image that
// keeps what is drawn into it, a loaded picture that survives resizing, and the GDI-style raster
// operations the game composes every frame with.
//
// Colours. The game packs colours as R + 256*G + 65536*B (red in the low byte); every drawing call
// takes colours in that form. Pixels are stored as 0x00RRGGBB (red in the high byte), the layout a
// presenter or an image writer wants. ColourToPixel / PixelToColour convert; only the low 24 bits of a
// packed colour count.
//
// Pixel rules (coordinates are pixel centres, y grows downwards):
// - Fractional coordinates and radii of Box, FilledBox, Line and Circle are placed on the nearest
//   pixel, ties to even (std::nearbyint). Non-finite coordinates draw nothing.
// - FilledBox (x1, y1)-(x2, y2): every pixel from the smaller to the larger corner, both corners
//   included, like a toolkit's filled box (not FillRect's excluded right and bottom edges).
// - Box: the same rectangle outlined one pixel wide in the given colour (corners included); the
//   pixels inside the outline take the fill colour when the fill style is solid, else stay as they are.
// - Line: GDI's LineTo rule: from the first point up to but not including the second; a line of
//   zero length draws nothing. The pixel of the minor axis rounds to nearest (halves away from the start).
// - Circle (cx, cy, r): the bounding box cx - r .. cx + r (and likewise in y) is rounded to pixels,
//   as a toolkit does before calling Ellipse. The disc is every pixel whose centre lies inside the
//   ellipse inscribed in that box shrunk by 0.1 px on each side, so any radius whose box rounds to
//   one pixel is a single pixel, and a 3-pixel box gives a plus sign rather than a square. The outline
//   is the disc's pixels with a 4-neighbour outside it (one pixel thick); the rest of the disc takes
//   the fill colour when the fill style is solid. A radius of 0 (or negative) is an empty figure and
//   draws nothing, so the many zero radii of growing rings leave no stray centre pixel.
// - Polygon: GDI's Polygon with the alternate (even-odd) fill rule: pixel centres inside the polygon
//   take the fill colour (solid fill style only), with a half-open rule on each scan line (a centre
//   exactly on a left edge is inside, on a right edge outside); then each edge, the closing one
//   included, is drawn in the foreground (pen) colour with the Line rule, so every vertex is covered.
// - Blit: source and destination rectangles are clipped together against both surfaces' current
//   drawing areas; destination pixels whose source lies outside the source stay untouched. A width or
//   height of zero or less copies nothing. A surface may be its own source (the copy reads the source
//   rectangle as it was before the call).
//
// Resizing changes the drawing area only. The overlap of the old and new areas keeps its pixels; newly
// exposed pixels show the loaded picture where it covers them and the background colour elsewhere,
// so a sheet shrunk to 0 x 0 is whole again after the surface grows back. Clear() erases drawings to
// the background colour and leaves the loaded picture showing, as a picture box's Cls does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quandel {

constexpr uint32_t ColourToPixel(int32_t colour) {
  const uint32_t c = static_cast<uint32_t>(colour);
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr int32_t PixelToColour(uint32_t pixel) {
  return static_cast<int32_t>(((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16));
}
// A stored pixel from its channels (each taken modulo 256).
constexpr uint32_t PixelRgb(int r, int g, int b) {
  return ((static_cast<uint32_t>(r) & 0xFFu) << 16) | ((static_cast<uint32_t>(g) & 0xFFu) << 8) |
         (static_cast<uint32_t>(b) & 0xFFu);
}

// The three raster operations frames are composed with: copy, OR (paints a mask), AND (paints an image over it).
enum class RasterOp { kCopy, kOr, kAnd };

enum class FillStyle { kSolid, kTransparent };

struct PixelPoint {
  int32_t x = 0, y = 0;
};

// A decoded picture: width * height pixels, 0x00RRGGBB, row by row from the top.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// Decodes an uncompressed Windows bitmap: 1, 4 or 8 bits with a palette, 24 or 32 bits (the latter
// also with bit-field masks), bottom-up or top-down. Anything else, or any inconsistent or truncated
// header or pixel array, gives false and leaves `out` alone.
bool DecodeBmp(std::span<const uint8_t> bytes, Picture& out);

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height);

  // The drawing area.
  int width() const { return width_; }
  int height() const { return height_; }
  // width() * height() pixels, row by row from the top.
  const uint32_t* pixels() const { return image_.data(); }
  // The pixel at (x, y); 0 (black) outside the drawing area.
  uint32_t pixel(int x, int y) const;
  // The same pixel as a packed game colour.
  int32_t colourAt(int x, int y) const { return PixelToColour(pixel(x, y)); }

  // New drawing area (negative sizes count as 0). See the resize rule above.
  void Resize(int width, int height);

  // Per-surface state that stays set until changed. Defaults: transparent fill, black fill colour,
  // black foreground (pen), white background.
  void SetFillStyle(FillStyle style) { fillStyle_ = style; }
  FillStyle fillStyle() const { return fillStyle_; }
  void SetFillColour(int32_t colour) { fillColour_ = colour; }
  int32_t fillColour() const { return fillColour_; }
  void SetForeColour(int32_t colour) { foreColour_ = colour; }
  int32_t foreColour() const { return foreColour_; }
  void SetBackColour(int32_t colour) { backColour_ = colour; }
  int32_t backColour() const { return backColour_; }

  // Loads a bitmap file as the surface's picture and shows it over the background colour at (0, 0),
  // clipped to the drawing area; earlier drawings are erased. On failure (missing, unreadable or
  // malformed file) returns false and changes nothing.
  bool LoadBmp(const std::string& path);
  // The same from decoded pixels (e.g. a picture read from a PNG).
  void LoadPicture(Picture picture);
  bool hasPicture() const { return picture_.width > 0 && picture_.height > 0; }

  void Clear();
  void FilledBox(float x1, float y1, float x2, float y2, int32_t colour);
  void Box(float x1, float y1, float x2, float y2, int32_t outline);
  void Line(float x1, float y1, float x2, float y2, int32_t colour);
  void Circle(float cx, float cy, float radius, int32_t colour);
  void Polygon(std::span<const PixelPoint> points);
  void SetPixelV(int x, int y, int32_t colour);

 private:
  friend void Blit(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp rop);

  // Fills columns [x0, x1] of row y, clipped; no-op outside.
  void Span(int64_t y, int64_t x0, int64_t x1, uint32_t pixel);
  void Plot(int64_t x, int64_t y, uint32_t pixel);
  // Line between integer points, end excluded.
  void PixelLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pixel);
  // Paints the loaded picture at (0, 0), clipped to the drawing area.
  void ShowPicture();

  int width_ = 0, height_ = 0;
  std::vector<uint32_t> image_;
  Picture picture_;
  FillStyle fillStyle_ = FillStyle::kTransparent;
  int32_t fillColour_ = 0;
  int32_t foreColour_ = 0;
  int32_t backColour_ = 0xFFFFFF;
};

// Copies a w x h rectangle from src at (sx, sy) to dst at (dx, dy) with the raster operation.
void Blit(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp rop);

}  // namespace quandel
