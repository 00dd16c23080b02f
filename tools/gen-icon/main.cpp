// Draws the desktop icon from the game's own box sheet: a blue, an orange and a grey box, cut out
// with their masks onto a transparent ground and enlarged pixel for pixel, as the game shows them.
//
//   gen-icon CUBE.BMP OUT-DIR SIZE...    writes OUT-DIR/SIZE/quandel.png for every SIZE
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/png_io.h"
#include "platform/surface.h"
#include "render/sheet_layout.h"

namespace {

using quandel::Surface;
namespace sheet = quandel::sheet;

// The icon is drawn on a 32 x 32 grid; the 16 x 16 size shows one box alone.
constexpr int kGrid = 32;

struct Placement {
  int kind, column, row, x, y;
};
// Back to front: the grey box sits in front of the other two.
constexpr Placement kThreeBoxes[] = {{0, 0, 0, 1, 2}, {1, 6, 1, 15, 2}, {2, 4, 0, 8, 14}};
constexpr Placement kOneBox[] = {{0, 5, 0, 0, 0}};

// RGBA, row by row, 0xAARRGGBB.
struct Canvas {
  int side;
  std::vector<uint32_t> px;
  explicit Canvas(int s) : side(s), px(static_cast<size_t>(s) * s, 0) {}
};

void PutBox(Canvas& c, const Surface& cubes, const Placement& p) {
  const sheet::Sprite cell = sheet::kBoxCellAt(p.kind, p.column, p.row);
  for (int y = 0; y < cell.image.h; ++y) {
    for (int x = 0; x < cell.image.w; ++x) {
      // The mask is white where the box is.
      if ((cubes.pixel(cell.mask.x + x, cell.mask.y + y) & 0xFFFFFF) != 0xFFFFFF) continue;
      const int cx = p.x + x, cy = p.y + y;
      if (cx < 0 || cy < 0 || cx >= c.side || cy >= c.side) continue;
      c.px[static_cast<size_t>(cy) * c.side + cx] = 0xFF000000u | cubes.pixel(cell.image.x + x, cell.image.y + y);
    }
  }
}

Canvas Enlarge(const Canvas& small, int side) {
  Canvas big(side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      big.px[static_cast<size_t>(y) * side + x] =
          small.px[static_cast<size_t>(y * small.side / side) * small.side + x * small.side / side];
  return big;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: gen-icon CUBE.BMP OUT-DIR SIZE...\n");
    return 2;
  }
  Surface cubes(sheet::kBoxSheetWidth, sheet::kBoxSheetHeight);
  if (!cubes.LoadBmp(argv[1])) {
    std::fprintf(stderr, "gen-icon: cannot read the box sheet %s\n", argv[1]);
    return 1;
  }
  Canvas three(kGrid), one(sheet::kBoxSize);
  for (const Placement& p : kThreeBoxes) PutBox(three, cubes, p);
  for (const Placement& p : kOneBox) PutBox(one, cubes, p);

  for (int i = 3; i < argc; ++i) {
    const int side = std::atoi(argv[i]);
    // Whole multiples only, so every pixel of the sheet stays a sharp square.
    const Canvas& base = side % kGrid == 0 ? three : one;
    if (side <= 0 || side > 512 || side % base.side != 0) {
      std::fprintf(stderr, "gen-icon: size %s is not a multiple of 16 or 32 up to 512\n", argv[i]);
      return 2;
    }
    const Canvas icon = Enlarge(base, side);
    const std::vector<uint8_t> png = quandel::EncodePngWithAlpha(icon.px.data(), icon.side, icon.side);
    const std::filesystem::path dir = std::filesystem::path(argv[2]) / std::to_string(side);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::ofstream out(dir / "quandel.png", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (png.empty() || !out.flush()) {
      std::fprintf(stderr, "gen-icon: cannot write %s\n", (dir / "quandel.png").c_str());
      return 1;
    }
  }
  return 0;
}
