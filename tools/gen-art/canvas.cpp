#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace quandel::art {
namespace {

// Edge pixels at least this covered (of 255) join the mask; fainter ones stay outside it.
constexpr int kMaskThreshold = 112;
// Partly covered edge pixels are blended towards this grey, half-way between the playfield's
// background (100) and its bands (200/220), so the rim suits both.
constexpr Rgb kEdgeBackdrop = Rgb8(150, 150, 150);

// Fixed font options: glyph shapes must not depend on the desktop's font settings.
void ApplyFontOptions(cairo_t* cr) {
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

int ToByte(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb c, double f) { return {std::min(c.r * f, 1.0), std::min(c.g * f, 1.0), std::min(c.b * f, 1.0)}; }

Layer::Layer(int w, int h) : w_(w), h_(h) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr_ = cairo_create(surface_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo: cannot create layer");
  ApplyFontOptions(cr_);
}

Layer::~Layer() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {
uint32_t RawPixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x];
}
}  // namespace

uint8_t Layer::Alpha(int x, int y) const { return RawPixel(surface_, x, y) >> 24; }

uint32_t Layer::Over(int x, int y, Rgb backdrop) const {
  const uint32_t p = RawPixel(surface_, x, y);
  const double keep = 1.0 - (p >> 24) / 255.0;  // premultiplied colour: add the uncovered part
  const int r = ToByte(((p >> 16) & 255) / 255.0 + backdrop.r * keep);
  const int g = ToByte(((p >> 8) & 255) / 255.0 + backdrop.g * keep);
  const int b = ToByte((p & 255) / 255.0 + backdrop.b * keep);
  const uint32_t c = (static_cast<uint32_t>(r) << 16) | (g << 8) | b;
  // White is the picture's ground; a shape pixel must never be taken for it.
  return c == kWhite ? 0xFEFEFE : c;
}

Split SplitLayers(std::span<const Layer* const> looks) {
  const int w = looks.front()->width(), h = looks.front()->height();
  Split out;
  out.mask = Image(w, h, kBlack);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (const Layer* l : looks)
        if (l->Alpha(x, y) >= kMaskThreshold) out.mask.Set(x, y, kWhite);
  for (const Layer* l : looks) {
    Image pic(w, h, kWhite);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (out.mask.At(x, y) == kWhite) pic.Set(x, y, l->Over(x, y, kEdgeBackdrop));
    out.looks.push_back(std::move(pic));
  }
  return out;
}

void Blit(Image& dst, const Image& src, Rect from, int x, int y) {
  for (int j = 0; j < from.h; ++j)
    for (int i = 0; i < from.w; ++i) dst.Set(x + i, y + j, src.At(from.x + i, from.y + j));
}

void PutLooks(Image& sheet, std::span<const Layer* const> looks, std::span<const Rect> images, Rect mask) {
  Split s = SplitLayers(looks);
  for (size_t i = 0; i < images.size(); ++i)
    Blit(sheet, s.looks[i], {0, 0, images[i].w, images[i].h}, images[i].x, images[i].y);
  Blit(sheet, s.mask, {0, 0, mask.w, mask.h}, mask.x, mask.y);
}

void PutSprite(Image& sheet, const Layer& layer, const Sprite& where) {
  const Layer* looks[] = {&layer};
  const Rect images[] = {where.image};
  PutLooks(sheet, looks, images, where.mask);
}

void PutPieces(Image& sheet, const Image& whole, std::span<const Piece> pieces) {
  for (const Piece& p : pieces) Blit(sheet, whole, {p.dx, p.dy, p.src.w, p.src.h}, p.src.x, p.src.y);
}

// --- Lettering ----------------------------------------------------------------------------------

namespace {
struct Scratch {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(s);
  Scratch() { ApplyFontOptions(cr); }
  ~Scratch() {
    cairo_destroy(cr);
    cairo_surface_destroy(s);
  }
};

void SelectFont(cairo_t* cr, cairo_font_face_t* face, double size) {
  cairo_set_font_face(cr, face);
  cairo_set_font_size(cr, size);
}
}  // namespace

Ink MeasureText(const TextStyle& style, std::string_view text) {
  Scratch s;
  SelectFont(s.cr, style.face, style.size);
  cairo_text_extents_t e;
  cairo_text_extents(s.cr, std::string(text).c_str(), &e);
  return {e.x_bearing, e.y_bearing, e.width, e.height, e.x_advance};
}

double CapHeight(cairo_font_face_t* face, double size) {
  TextStyle st{face, size, {}, {}};
  return MeasureText(st, "H").h;
}

double FitSize(TextStyle style, std::string_view text, double max_w, double max_h) {
  while (style.size > 4.0) {
    const Ink ink = MeasureText(style, text);
    if (ink.w + 2 * style.outline <= max_w && CapHeight(style.face, style.size) + 2 * style.outline <= max_h) break;
    style.size -= 0.25;
  }
  return style.size;
}

namespace {
void DrawTextAt(cairo_t* cr, const TextStyle& style, std::string_view text, double x, double baseline) {
  cairo_save(cr);
  SelectFont(cr, style.face, style.size);
  cairo_new_path(cr);
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, std::string(text).c_str());
  if (style.outline > 0) {
    SetRgb(cr, style.ink);
    cairo_set_line_width(cr, 2 * style.outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  const double top = baseline - CapHeight(style.face, style.size);
  cairo_pattern_t* grad = cairo_pattern_create_linear(0, top, 0, baseline);
  cairo_pattern_add_color_stop_rgb(grad, 0, style.top.r, style.top.g, style.top.b);
  cairo_pattern_add_color_stop_rgb(grad, 1, style.bottom.r, style.bottom.g, style.bottom.b);
  cairo_set_source(cr, grad);
  if (style.embolden > 0) {
    cairo_set_line_width(cr, style.embolden);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  cairo_fill(cr);
  cairo_pattern_destroy(grad);
  cairo_restore(cr);
}
}  // namespace

void DrawTextCentred(cairo_t* cr, const TextStyle& style, std::string_view text, double cx, double baseline) {
  const Ink ink = MeasureText(style, text);
  DrawTextAt(cr, style, text, cx - ink.w / 2 - ink.x, baseline);
}

void DrawTextLeft(cairo_t* cr, const TextStyle& style, std::string_view text, double left, double baseline) {
  const Ink ink = MeasureText(style, text);
  DrawTextAt(cr, style, text, left - ink.x, baseline);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void SetRgb(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

}  // namespace quandel::art

namespace quandel::art {

Tone LookTone(sheet::Look look) {
  switch (look) {
    case sheet::Look::kHover: return tone::kAmber;
    case sheet::Look::kSelected: return tone::kMint;
    default: return tone::kCream;
  }
}

void DrawWord(const Layer& layer, cairo_font_face_t* face, double size, Tone tone, double outline,
              std::string_view text) {
  TextStyle st{face, size, tone.top, tone.bottom, palette::kInk, outline};
  st.size = FitSize(st, text, layer.width() - 2, layer.height() - 2);
  const double cap = CapHeight(face, st.size);
  DrawTextCentred(layer.cr(), st, text, layer.width() / 2.0, (layer.height() + cap) / 2.0);
}

void DrawLogo(const Layer& layer, const Fonts& fonts) {
  cairo_t* cr = layer.cr();
  const double w = layer.width(), h = layer.height();
  const double outline = h > 60 ? 2.5 : 2.0;
  // A tall logo has room for three boxes tumbling above the word.
  const double cubes = h > 60 ? h * 0.3 : 0;
  TextStyle st{fonts.bold(), h, Rgb8(196, 222, 255), palette::kBlue, palette::kInk, outline};
  st.size = FitSize(st, "Quandel", w - 4, (h - cubes) * 0.62);
  const Ink ink = MeasureText(st, "Quandel");
  const double cap = CapHeight(st.face, st.size);
  // Word and the bar under it sit together in the middle of the layer.
  const double bar_h = std::max(3.0, h * 0.08);
  const double gap = h * 0.06;
  const double block = cap + (ink.y + ink.h) + gap + bar_h;  // ink below the baseline (the Q's tail)
  const double baseline = cubes + (h - cubes - block) / 2 + cap;
  if (cubes > 0) {
    const double edge = CubeEdgeFor(cubes * 0.42);
    const int poses[3][2] = {{1, 2}, {4, 5}, {6, 1}};
    for (int k = 0; k < 3; ++k)
      DrawCube(cr, kBoxLooks[k], w / 2 + (k - 1) * cubes * 1.15, cubes * 0.55 + (k == 1 ? -1 : 1), edge, poses[k][0],
               poses[k][1]);
  }
  // An orange bar under the word, in the second box colour, with the outline of the letters.
  const double bar_y = baseline + (ink.y + ink.h) + gap;
  const double left = (w - ink.w) / 2 + ink.w * 0.22, right = (w + ink.w) / 2 - 1;
  RoundedRect(cr, left, bar_y, right - left, bar_h, bar_h / 2);
  SetRgb(cr, palette::kInk);
  cairo_set_line_width(cr, 2 * outline);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* grad = cairo_pattern_create_linear(0, bar_y, 0, bar_y + bar_h);
  cairo_pattern_add_color_stop_rgb(grad, 0, 1.0, 0.78, 0.45);
  cairo_pattern_add_color_stop_rgb(grad, 1, palette::kOrange.r, palette::kOrange.g, palette::kOrange.b);
  cairo_set_source(cr, grad);
  cairo_fill(cr);
  cairo_pattern_destroy(grad);
  DrawTextCentred(cr, st, "Quandel", w / 2, baseline);
}

}  // namespace quandel::art
