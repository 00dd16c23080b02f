// The box sheet: each kind is a cube that tumbles about a horizontal axis (spinB, driven by the
// fall) whose direction yaws about the vertical (spinA, driven by sideways motion).
#include <algorithm>
#include <array>
#include <cmath>

#include "canvas.h"

namespace quandel::art {
namespace {

struct V3 {
  double x, y, z;  // x right, y up, z towards the viewer
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator*(double k, V3 a) { return {k * a.x, k * a.y, k * a.z}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

V3 RotX(V3 v, double a) { return {v.x, v.y * std::cos(a) - v.z * std::sin(a), v.y * std::sin(a) + v.z * std::cos(a)}; }
V3 RotY(V3 v, double a) { return {v.x * std::cos(a) + v.z * std::sin(a), v.y, -v.x * std::sin(a) + v.z * std::cos(a)}; }

// A cube looks the same after a quarter turn, so seven phases per quarter turn make the
// spinB cycle (and the spinA cycle at spinB phase 0) close without a jump.
constexpr double kPhase = M_PI / 2 / 7;
// Seen a little from above and from the left, so even the rest pose shows three faces.
constexpr double kViewPitch = 0.38, kViewYaw = -0.45;

V3 Pose(V3 v, int column, int row) {
  v = RotX(v, row * kPhase);
  v = RotY(v, column * kPhase);
  v = RotY(v, kViewYaw);
  return RotX(v, kViewPitch);
}

const V3 kLight = [] {
  V3 l{-0.45, 0.8, 0.55};
  return (1.0 / std::sqrt(Dot(l, l))) * l;
}();

struct Face {
  V3 normal;
  std::array<V3, 4> corners;  // unit cube, corners in order round the face
};

std::array<Face, 6> CubeFaces() {
  std::array<Face, 6> faces{};
  const V3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  int n = 0;
  for (int a = 0; a < 3; ++a)
    for (int sign = -1; sign <= 1; sign += 2) {
      const V3 nrm = static_cast<double>(sign) * axes[a];
      const V3 u = axes[(a + 1) % 3], w = axes[(a + 2) % 3];
      faces[n++] = {nrm,
                    {0.5 * nrm + 0.5 * u + 0.5 * w, 0.5 * nrm + -0.5 * u + 0.5 * w, 0.5 * nrm + -0.5 * u + -0.5 * w,
                     0.5 * nrm + 0.5 * u + -0.5 * w}};
    }
  return faces;
}

// Largest half-extent of the turned unit cube on screen over all cells, to size the cube so
// that every pose fits its cell.
double MaxHalfExtent() {
  double m = 0;
  for (int c = 0; c < sheet::kBoxSpinColumns; ++c)
    for (int r = 0; r < sheet::kBoxSpinRows; ++r)
      for (int i = 0; i < 8; ++i) {
        const V3 p = Pose({i & 1 ? 0.5 : -0.5, i & 2 ? 0.5 : -0.5, i & 4 ? 0.5 : -0.5}, c, r);
        m = std::max({m, std::fabs(p.x), std::fabs(p.y)});
      }
  return m;
}

}  // namespace

void DrawCube(cairo_t* cr, const CubeLook& look, double cx, double cy, double edge, int column, int row) {
  for (const Face& f : CubeFaces()) {
    const V3 n = Pose(f.normal, column, row);
    if (n.z <= 1e-6) continue;  // faces turned away; a convex body needs no depth sort
    const double lit = Dot(n, kLight);
    const Rgb shade =
        lit >= 0 ? Mix(look.base, Scale(look.base, 1.55), lit) : Mix(look.base, Scale(look.base, 0.55), -lit);
    auto to_screen = [&](V3 p) {
      const V3 q = Pose(edge * p, column, row);
      return std::array<double, 2>{cx + q.x, cy - q.y};
    };
    cairo_new_path(cr);
    for (const V3& corner : f.corners) {
      const auto s = to_screen(corner);
      cairo_line_to(cr, s[0], s[1]);
    }
    cairo_close_path(cr);
    SetRgb(cr, shade);
    cairo_fill_preserve(cr);
    SetRgb(cr, Mix(look.base, palette::kInk, 0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    if (look.marked) {
      cairo_new_path(cr);
      for (const V3& corner : f.corners) {
        const auto s = to_screen(0.5 * f.normal + 0.3 * (corner + -0.5 * f.normal));
        cairo_line_to(cr, s[0], s[1]);
      }
      cairo_close_path(cr);
      SetRgb(cr, Mix(shade, Rgb8(255, 252, 236), 0.6));
      cairo_fill(cr);
    }
  }
}

double CubeEdgeFor(double half_extent) { return half_extent / MaxHalfExtent(); }

Image DrawBoxSheet() {
  Image sheet(sheet::kBoxSheetWidth, sheet::kBoxSheetHeight, kWhite);
  const double edge = CubeEdgeFor(7.1);
  for (int k = 0; k < sheet::kBoxKinds; ++k)
    for (int c = 0; c < sheet::kBoxSpinColumns; ++c)
      for (int r = 0; r < sheet::kBoxSpinRows; ++r) {
        Layer layer(sheet::kBoxSize, sheet::kBoxSize);
        DrawCube(layer.cr(), kBoxLooks[k], sheet::kBoxSize / 2.0, sheet::kBoxSize / 2.0, edge, c, r);
        PutSprite(sheet, layer, sheet::kBoxCellAt(k, c, r));
      }
  return sheet;
}

}  // namespace quandel::art
