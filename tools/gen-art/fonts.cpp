#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

#include "art.h"

namespace quandel::art {
namespace {

// One FreeType library for the process; cairo may keep faces cached after we let go of them,
// so it is never closed.
FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) throw std::runtime_error("cannot start FreeType");
    return l;
  }();
  return lib;
}

const cairo_user_data_key_t kFaceKey{};

// The font is opened from its file, not through the system's font matching, so every machine
// with the same file letters the sheets identically.
cairo_font_face_t* OpenFace(const std::string& path) {
  FT_Face ft = nullptr;
  if (FT_New_Face(Library(), path.c_str(), 0, &ft) != 0) throw std::runtime_error("cannot open font " + path);
  cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ft, 0);
  if (cairo_font_face_set_user_data(face, &kFaceKey, ft, [](void* p) { FT_Done_Face(static_cast<FT_Face>(p)); }) !=
      CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face);
    FT_Done_Face(ft);
    throw std::runtime_error("cannot use font " + path);
  }
  return face;
}

}  // namespace

Fonts::Fonts(const std::string& dir) {
  bold_ = OpenFace(dir + "/DejaVuSans-Bold.ttf");
  try {
    condensed_ = OpenFace(dir + "/DejaVuSansCondensed-Bold.ttf");
  } catch (...) {
    cairo_font_face_destroy(bold_);
    throw;
  }
}

Fonts::~Fonts() {
  cairo_font_face_destroy(bold_);
  cairo_font_face_destroy(condensed_);
}

std::string DefaultFontDir() { return QUANDEL_FONT_DIR; }

}  // namespace quandel::art
