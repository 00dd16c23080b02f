#include "platform/surface.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>

#include "platform/file_io.h"

namespace quandel {

namespace {

// Coordinates are held well inside 64-bit range so the line stepping below cannot overflow; no
// picture is anywhere near this large.
constexpr double kCoordLimit = 268435456.0;  // 2^28

bool ToPixel(double v, int64_t& out) {
  if (!std::isfinite(v)) return false;
  out = static_cast<int64_t>(std::nearbyint(std::clamp(v, -kCoordLimit, kCoordLimit)));
  return true;
}

int64_t ClampCoord(int64_t v) {
  const auto limit = static_cast<int64_t>(kCoordLimit);
  return std::clamp(v, -limit, limit);
}

// Inclusive span of one row of a disc; empty when x0 > x1.
struct RowSpan {
  int64_t x0 = 1, x1 = 0;
  bool empty() const { return x0 > x1; }
};

}  // namespace

Surface::Surface(int width, int height) { Resize(width, height); }

uint32_t Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return image_[static_cast<size_t>(y) * width_ + x];
}

void Surface::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  const std::vector<uint32_t> old = std::move(image_);
  const int oldWidth = width_, oldHeight = height_;
  width_ = width;
  height_ = height;
  image_.assign(static_cast<size_t>(width) * height, ColourToPixel(backColour_));
  ShowPicture();
  const int keepWidth = std::min(oldWidth, width), keepHeight = std::min(oldHeight, height);
  for (int y = 0; y < keepHeight; ++y) {
    const auto from = old.begin() + static_cast<ptrdiff_t>(y) * oldWidth;
    std::copy(from, from + keepWidth, image_.begin() + static_cast<ptrdiff_t>(y) * width);
  }
}

void Surface::ShowPicture() {
  const int w = std::min(width_, picture_.width), h = std::min(height_, picture_.height);
  for (int y = 0; y < h; ++y) {
    const auto from = picture_.pixels.begin() + static_cast<ptrdiff_t>(y) * picture_.width;
    std::copy(from, from + w, image_.begin() + static_cast<ptrdiff_t>(y) * width_);
  }
}

void Surface::LoadPicture(Picture picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) {
    picture = Picture{};
  }
  picture_ = std::move(picture);
  Clear();
}

bool Surface::LoadBmp(const std::string& path) {
  // The largest bitmap we accept decodes to 64 MB; a file far beyond that cannot be one of ours.
  constexpr size_t kMaxFile = size_t{256} << 20;
  const auto bytes = ReadRegularFile(path, kMaxFile + 1);
  if (!bytes || bytes->empty() || bytes->size() > kMaxFile) return false;
  Picture picture;
  if (!DecodeBmp(*bytes, picture)) return false;
  LoadPicture(std::move(picture));
  return true;
}

void Surface::Clear() {
  std::fill(image_.begin(), image_.end(), ColourToPixel(backColour_));
  ShowPicture();
}

void Surface::Span(int64_t y, int64_t x0, int64_t x1, uint32_t pixel) {
  if (y < 0 || y >= height_) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, width_ - 1);
  if (x0 > x1) return;
  auto row = image_.begin() + static_cast<ptrdiff_t>(y) * width_;
  std::fill(row + x0, row + x1 + 1, pixel);
}

void Surface::Plot(int64_t x, int64_t y, uint32_t pixel) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  image_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)] = pixel;
}

void Surface::SetPixelV(int x, int y, int32_t colour) { Plot(x, y, ColourToPixel(colour)); }

void Surface::FilledBox(float x1, float y1, float x2, float y2, int32_t colour) {
  int64_t ax, ay, bx, by;
  if (!ToPixel(x1, ax) || !ToPixel(y1, ay) || !ToPixel(x2, bx) || !ToPixel(y2, by)) return;
  if (ax > bx) std::swap(ax, bx);
  if (ay > by) std::swap(ay, by);
  const uint32_t px = ColourToPixel(colour);
  const int64_t top = std::max<int64_t>(ay, 0), bottom = std::min<int64_t>(by, height_ - 1);
  for (int64_t y = top; y <= bottom; ++y) Span(y, ax, bx, px);
}

void Surface::Box(float x1, float y1, float x2, float y2, int32_t outline) {
  int64_t ax, ay, bx, by;
  if (!ToPixel(x1, ax) || !ToPixel(y1, ay) || !ToPixel(x2, bx) || !ToPixel(y2, by)) return;
  if (ax > bx) std::swap(ax, bx);
  if (ay > by) std::swap(ay, by);
  const uint32_t pen = ColourToPixel(outline);
  const int64_t top = std::max<int64_t>(ay + 1, 0), bottom = std::min<int64_t>(by - 1, height_ - 1);
  if (fillStyle_ == FillStyle::kSolid) {
    const uint32_t fill = ColourToPixel(fillColour_);
    for (int64_t y = top; y <= bottom; ++y) Span(y, ax + 1, bx - 1, fill);
  }
  Span(ay, ax, bx, pen);
  Span(by, ax, bx, pen);
  for (int64_t y = top; y <= bottom; ++y) {
    Plot(ax, y, pen);
    Plot(bx, y, pen);
  }
}

void Surface::PixelLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pixel) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx == 0 && ady == 0) return;
  const bool xMajor = adx >= ady;
  const int64_t steps = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  const int64_t majorDir = (xMajor ? dx : dy) < 0 ? -1 : 1, minorDir = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t majorSize = xMajor ? width_ : height_;
  // Only the steps whose major coordinate lies on the surface: k in [first, last].
  int64_t first = 0, last = steps - 1;
  if (majorDir > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, majorSize - 1 - majorStart);
  } else {
    first = std::max(first, majorStart - (majorSize - 1));
    last = std::min(last, majorStart);
  }
  for (int64_t k = first; k <= last; ++k) {
    const int64_t m = majorStart + majorDir * k;
    const int64_t n = minorStart + minorDir * ((2 * k * minor + steps) / (2 * steps));
    if (xMajor) {
      Plot(m, n, pixel);
    } else {
      Plot(n, m, pixel);
    }
  }
}

void Surface::Line(float x1, float y1, float x2, float y2, int32_t colour) {
  int64_t ax, ay, bx, by;
  if (!ToPixel(x1, ax) || !ToPixel(y1, ay) || !ToPixel(x2, bx) || !ToPixel(y2, by)) return;
  PixelLine(ax, ay, bx, by, ColourToPixel(colour));
}

void Surface::Circle(float cx, float cy, float radius, int32_t colour) {
  if (!std::isfinite(radius) || !(radius > 0)) return;
  const double r = radius;
  int64_t left, right, top, bottom;
  if (!ToPixel(cx - r, left) || !ToPixel(cx + r, right) || !ToPixel(cy - r, top) || !ToPixel(cy + r, bottom)) {
    return;
  }
  if (right < 0 || bottom < 0 || left >= width_ || top >= height_) return;
  // The ellipse inscribed in the pixel box, shrunk a little so small circles stay round.
  const double ex = (static_cast<double>(left) + right) / 2, ey = (static_cast<double>(top) + bottom) / 2;
  const double ax = (static_cast<double>(right) - left) / 2 + 0.4, ay = (static_cast<double>(bottom) - top) / 2 + 0.4;
  auto spanOf = [&](int64_t y) {
    RowSpan s;
    if (y < top || y > bottom) return s;
    const double t = (static_cast<double>(y) - ey) / ay;
    const double rest = 1.0 - t * t;
    if (rest < 0) return s;
    const double half = ax * std::sqrt(rest);
    s.x0 = static_cast<int64_t>(std::ceil(ex - half));
    s.x1 = static_cast<int64_t>(std::floor(ex + half));
    return s;
  };
  const uint32_t pen = ColourToPixel(colour), fill = ColourToPixel(fillColour_);
  const bool solid = fillStyle_ == FillStyle::kSolid;
  const int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min<int64_t>(bottom, height_ - 1);
  RowSpan above = spanOf(y0 - 1), here = spanOf(y0);
  for (int64_t y = y0; y <= y1; ++y) {
    const RowSpan below = spanOf(y + 1);
    if (!here.empty()) {
      // Pixels whose four neighbours are all in the disc are inside; the rest of the row is outline.
      RowSpan inner;
      if (!above.empty() && !below.empty()) {
        inner.x0 = std::max({here.x0 + 1, above.x0, below.x0});
        inner.x1 = std::min({here.x1 - 1, above.x1, below.x1});
      }
      if (inner.empty()) {
        Span(y, here.x0, here.x1, pen);
      } else {
        if (solid) Span(y, inner.x0, inner.x1, fill);
        Span(y, here.x0, inner.x0 - 1, pen);
        Span(y, inner.x1 + 1, here.x1, pen);
      }
    }
    above = here;
    here = below;
  }
}

void Surface::Polygon(std::span<const PixelPoint> points) {
  const size_t n = points.size();
  if (n < 2) return;
  std::vector<int64_t> xs(n), ys(n);
  for (size_t i = 0; i < n; ++i) {
    xs[i] = ClampCoord(points[i].x);
    ys[i] = ClampCoord(points[i].y);
  }
  if (fillStyle_ == FillStyle::kSolid && n >= 3) {
    const uint32_t fill = ColourToPixel(fillColour_);
    const int64_t yMin = std::max<int64_t>(*std::min_element(ys.begin(), ys.end()), 0);
    const int64_t yMax = std::min<int64_t>(*std::max_element(ys.begin(), ys.end()), height_ - 1);
    std::vector<double> cuts;
    for (int64_t y = yMin; y <= yMax; ++y) {
      cuts.clear();
      for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        if (ys[i] == ys[j]) continue;
        // Half-open in y, so a vertex shared by two edges is counted once.
        if (y < std::min(ys[i], ys[j]) || y >= std::max(ys[i], ys[j])) continue;
        const double t = static_cast<double>(y - ys[i]) / static_cast<double>(ys[j] - ys[i]);
        cuts.push_back(static_cast<double>(xs[i]) + t * static_cast<double>(xs[j] - xs[i]));
      }
      std::sort(cuts.begin(), cuts.end());
      for (size_t k = 0; k + 1 < cuts.size(); k += 2) {
        const auto from = static_cast<int64_t>(std::ceil(cuts[k]));
        const auto to = static_cast<int64_t>(std::ceil(cuts[k + 1])) - 1;
        Span(y, from, to, fill);
      }
    }
  }
  const uint32_t pen = ColourToPixel(foreColour_);
  for (size_t i = 0; i < n; ++i) {
    const size_t j = (i + 1) % n;
    PixelLine(xs[i], ys[i], xs[j], ys[j], pen);
  }
}

void Blit(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp rop) {
  if (w <= 0 || h <= 0) return;
  // Offsets inside the w x h rectangle that land on both surfaces.
  const int64_t x0 = std::max<int64_t>({0, -static_cast<int64_t>(dx), -static_cast<int64_t>(sx)});
  const int64_t x1 =
      std::min<int64_t>({w, static_cast<int64_t>(dst.width_) - dx, static_cast<int64_t>(src.width_) - sx});
  const int64_t y0 = std::max<int64_t>({0, -static_cast<int64_t>(dy), -static_cast<int64_t>(sy)});
  const int64_t y1 =
      std::min<int64_t>({h, static_cast<int64_t>(dst.height_) - dy, static_cast<int64_t>(src.height_) - sy});
  if (x0 >= x1 || y0 >= y1) return;
  const size_t cw = static_cast<size_t>(x1 - x0), ch = static_cast<size_t>(y1 - y0);

  // A surface copied onto itself reads the rectangle as it was.
  std::vector<uint32_t> copy;
  const uint32_t* from = src.image_.data() + static_cast<size_t>(sy + y0) * src.width_ + static_cast<size_t>(sx + x0);
  size_t fromStride = static_cast<size_t>(src.width_);
  if (&src == &dst) {
    copy.resize(cw * ch);
    for (size_t r = 0; r < ch; ++r) std::copy(from + r * fromStride, from + r * fromStride + cw, copy.begin() + r * cw);
    from = copy.data();
    fromStride = cw;
  }
  uint32_t* to = dst.image_.data() + static_cast<size_t>(dy + y0) * dst.width_ + static_cast<size_t>(dx + x0);
  const size_t toStride = static_cast<size_t>(dst.width_);
  for (size_t r = 0; r < ch; ++r, from += fromStride, to += toStride) {
    switch (rop) {
      case RasterOp::kCopy: std::copy(from, from + cw, to); break;
      case RasterOp::kOr:
        for (size_t i = 0; i < cw; ++i) to[i] |= from[i];
        break;
      case RasterOp::kAnd:
        for (size_t i = 0; i < cw; ++i) to[i] &= from[i];
        break;
    }
  }
}

}  // namespace quandel
