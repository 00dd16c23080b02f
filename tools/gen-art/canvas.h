// Shared drawing machinery of the sheets: a cairo layer on a transparent ground, its split into
// picture-on-white and black/white mask, the palette and the lettering helpers.
#pragma once

#include <cairo.h>

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "art.h"

namespace quandel::art {

using sheet::Piece;
using sheet::Rect;
using sheet::Sprite;

struct Rgb {
  double r, g, b;
};
constexpr Rgb Rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double f);

// One palette for all three sheets; it is chosen to read on grey 100 and on the grey 200/220
// bands of the column.
namespace palette {
inline constexpr Rgb kInk = Rgb8(26, 28, 42);          // outlines and dark lettering
inline constexpr Rgb kCream = Rgb8(250, 244, 226);     // numbers and menu entries
inline constexpr Rgb kCreamLow = Rgb8(222, 210, 182);  // bottom of the cream gradient
inline constexpr Rgb kSky = Rgb8(176, 206, 246);       // labels
inline constexpr Rgb kSkyLow = Rgb8(120, 160, 222);
inline constexpr Rgb kAmber = Rgb8(255, 206, 96);  // hover, chain word, banners
inline constexpr Rgb kAmberLow = Rgb8(236, 140, 52);
inline constexpr Rgb kMint = Rgb8(160, 244, 184);  // the chosen setting
inline constexpr Rgb kMintLow = Rgb8(80, 196, 120);
inline constexpr Rgb kWarn = Rgb8(255, 120, 92);  // time running out
inline constexpr Rgb kWarnLow = Rgb8(216, 48, 40);
inline constexpr Rgb kBlue = Rgb8(80, 110, 170);    // box kind 0
inline constexpr Rgb kOrange = Rgb8(170, 110, 80);  // box kind 1
inline constexpr Rgb kSlate = Rgb8(62, 68, 92);     // plates of buttons and notices
}  // namespace palette

// A drawing on a transparent ground of w x h pixels.
class Layer {
 public:
  Layer(int w, int h);
  ~Layer();
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return w_; }
  int height() const { return h_; }
  // Coverage 0..255 and the colour composited over `backdrop`, after drawing has finished.
  uint8_t Alpha(int x, int y) const;
  uint32_t Over(int x, int y, Rgb backdrop) const;

 private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A picture on white plus its mask. All looks share the mask (the union of their shapes), so a
// look must never be white inside it.
struct Split {
  std::vector<Image> looks;
  Image mask;
};
Split SplitLayers(std::span<const Layer* const> looks);

// Copies `from` of `src` into `dst` with its top-left corner at (x, y).
void Blit(Image& dst, const Image& src, Rect from, int x, int y);

// Writes a one-piece sprite (all looks over one mask) into its sheet rectangles.
void PutSprite(Image& sheet, const Layer& layer, const Sprite& where);
void PutLooks(Image& sheet, std::span<const Layer* const> looks, std::span<const Rect> images, Rect mask);
// Writes an assembled picture through its pieces.
void PutPieces(Image& sheet, const Image& whole, std::span<const Piece> pieces);

// --- Lettering ----------------------------------------------------------------------------------

struct TextStyle {
  cairo_font_face_t* face;
  double size;      // em size in pixels
  Rgb top, bottom;  // vertical gradient of the letters
  Rgb ink = palette::kInk;
  double outline = 1.5;  // outline width outside the letters, pixels
  double embolden = 0;   // extra stroke of the letters' own colour, for tiny sizes
};

struct Ink {
  double x, y, w, h;  // ink box of the text relative to its origin on the baseline
  double advance;
};
Ink MeasureText(const TextStyle& style, std::string_view text);

// Largest size not above style.size at which the text (with its outline) is at most max_w wide
// and its capitals at most max_h high.
double FitSize(TextStyle style, std::string_view text, double max_w, double max_h);

// Draws text with its outline, the ink box centred on cx, the baseline at `baseline`.
void DrawTextCentred(cairo_t* cr, const TextStyle& style, std::string_view text, double cx, double baseline);
// Same, left edge of the ink at `left`.
void DrawTextLeft(cairo_t* cr, const TextStyle& style, std::string_view text, double left, double baseline);
// Capital height of a face at a size (for putting baselines).
double CapHeight(cairo_font_face_t* face, double size);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void SetRgb(cairo_t* cr, Rgb c);

}  // namespace quandel::art

namespace quandel::art {

// The gradient pairs of the palette, by role.
struct Tone {
  Rgb top, bottom;
};
namespace tone {
inline constexpr Tone kCream{palette::kCream, palette::kCreamLow};
inline constexpr Tone kSky{palette::kSky, palette::kSkyLow};
inline constexpr Tone kAmber{palette::kAmber, palette::kAmberLow};
inline constexpr Tone kMint{palette::kMint, palette::kMintLow};
inline constexpr Tone kWarn{palette::kWarn, palette::kWarnLow};
}  // namespace tone

// Menu entries: cream at rest, amber under the cursor, mint when chosen.
Tone LookTone(sheet::Look look);

// The falling boxes: a cube per kind, turned to the pose of a box-sheet cell.
struct CubeLook {
  Rgb base;
  bool marked;  // the special kind carries a light inset on every face
};
inline constexpr CubeLook kBoxLooks[sheet::kBoxKinds] = {
    {palette::kBlue, false}, {palette::kOrange, false}, {Rgb8(150, 150, 156), true}};
void DrawCube(cairo_t* cr, const CubeLook& look, double cx, double cy, double edge, int column, int row);
// Edge length at which no pose reaches further than half_extent from the centre.
double CubeEdgeFor(double half_extent);

// A word centred in a w x h layer, as large as fits up to `size`.
void DrawWord(const Layer& layer, cairo_font_face_t* face, double size, Tone tone, double outline,
              std::string_view text);

// The game's name, filling a w x h layer; the title and the HUD both carry it.
void DrawLogo(const Layer& layer, const Fonts& fonts);

}  // namespace quandel::art
