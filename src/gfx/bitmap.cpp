#include "gfx/bitmap.h"

#include <algorithm>
#include <cmath>

namespace gfx {

void Bitmap::Resize(int width, int height, Color fill) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<size_t>(width_) * height_, fill);
}

namespace {

// Clips a w x h transfer so that it lies inside dst and (when given) inside src. Worked in
// 64 bits so that positions far off the bitmap cannot overflow.
bool Clip(const Bitmap& dst, const Bitmap* src, int& dx, int& dy, int& w, int& h, int& sx,
          int& sy) {
  int64_t x = dx, y = dy, ww = w, hh = h, u = sx, v = sy;
  if (x < 0) { u -= x; ww += x; x = 0; }
  if (y < 0) { v -= y; hh += y; y = 0; }
  if (src) {
    if (u < 0) { x -= u; ww += u; u = 0; }
    if (v < 0) { y -= v; hh += v; v = 0; }
    ww = std::min<int64_t>(ww, src->Width() - u);
    hh = std::min<int64_t>(hh, src->Height() - v);
  }
  ww = std::min<int64_t>(ww, dst.Width() - x);
  hh = std::min<int64_t>(hh, dst.Height() - y);
  if (ww <= 0 || hh <= 0) return false;
  dx = static_cast<int>(x);
  dy = static_cast<int>(y);
  w = static_cast<int>(ww);
  h = static_cast<int>(hh);
  sx = static_cast<int>(u);
  sy = static_cast<int>(v);
  return true;
}

// d[i] = op(d[i], s[i]) in blocks of four, a shape the compiler turns into vector
// instructions at the build's optimisation level; a frame ANDs and ORs a lot of pixels.
template <typename Op>
void Combine(Color* __restrict d, const Color* __restrict s, int w, Op op) {
  int x = 0;
  for (; x + 4 <= w; x += 4) {
    d[x] = op(d[x], s[x]);
    d[x + 1] = op(d[x + 1], s[x + 1]);
    d[x + 2] = op(d[x + 2], s[x + 2]);
    d[x + 3] = op(d[x + 3], s[x + 3]);
  }
  for (; x < w; ++x) d[x] = op(d[x], s[x]);
}

}  // namespace

void BitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap* src, int sx, int sy, Rop rop) {
  bool needsSource = rop == Rop::Copy || rop == Rop::And || rop == Rop::Or;
  if (needsSource && (!src || src->Empty())) return;
  if (!Clip(dst, needsSource ? src : nullptr, dx, dy, w, h, sx, sy)) return;
  for (int y = 0; y < h; ++y) {
    Color* d = dst.Row(dy + y) + dx;
    const Color* s = needsSource ? src->Row(sy + y) + sx : nullptr;
    switch (rop) {
      case Rop::Copy: std::copy(s, s + w, d); break;
      case Rop::And: Combine(d, s, w, [](Color a, Color b) { return a & b; }); break;
      case Rop::Or: Combine(d, s, w, [](Color a, Color b) { return a | b; }); break;
      case Rop::DstInvert: for (int x = 0; x < w; ++x) d[x] = ~d[x] & 0xFFFFFF; break;
      case Rop::Blackness: std::fill(d, d + w, kBlack); break;
    }
  }
}

void StretchBlt(Bitmap& dst, int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy,
                int sw, int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.Empty()) return;
  for (int y = 0; y < dh; ++y) {
    int ty = dy + y;
    if (ty < 0 || ty >= dst.Height()) continue;
    int py = sy + static_cast<int>((static_cast<int64_t>(2 * y + 1) * sh) / (2 * dh));
    if (py < 0 || py >= src.Height()) continue;
    const Color* s = src.Row(py);
    Color* d = dst.Row(ty);
    for (int x = 0; x < dw; ++x) {
      int tx = dx + x;
      if (tx < 0 || tx >= dst.Width()) continue;
      int px = sx + static_cast<int>((static_cast<int64_t>(2 * x + 1) * sw) / (2 * dw));
      if (px < 0 || px >= src.Width()) continue;
      d[tx] = s[px];
    }
  }
}

void FillRect(Bitmap& dst, int x, int y, int w, int h, Color c) {
  int sx = 0, sy = 0;
  if (!Clip(dst, nullptr, x, y, w, h, sx, sy)) return;
  for (int r = 0; r < h; ++r) std::fill(dst.Row(y + r) + x, dst.Row(y + r) + x + w, c);
}

void FillEllipse(Bitmap& dst, int left, int top, int right, int bottom, Color c) {
  const int64_t w = static_cast<int64_t>(right) - left, h = static_cast<int64_t>(bottom) - top;
  if (w <= 0 || h <= 0) return;
  // A pixel belongs to the ellipse when its centre lies inside the ellipse inscribed in the
  // box, as GDI fills it: the figure touches all four sides of the box and is symmetric
  // for even and odd sizes alike (a 5 x 5 box gives rows of 3, 5, 5, 5, 3 pixels).
  const double cx = (static_cast<double>(left) + right) / 2.0;
  const double cy = (static_cast<double>(top) + bottom) / 2.0;
  const double rx = w / 2.0, ry = h / 2.0;
  const int y0 = static_cast<int>(std::max<int64_t>(0, top));
  const int y1 = static_cast<int>(std::min<int64_t>(bottom, dst.Height()));
  for (int y = y0; y < y1; ++y) {
    const double ny = (y + 0.5 - cy) / ry;
    const double span = 1.0 - ny * ny;
    if (span < 0) continue;
    const double half = rx * std::sqrt(span);
    // Pixels whose centres x + 0.5 lie within [cx - half, cx + half].
    int64_t x0 = static_cast<int64_t>(std::ceil(cx - half - 0.5));
    int64_t x1 = static_cast<int64_t>(std::floor(cx + half - 0.5));
    x0 = std::max<int64_t>({x0, left, 0});
    x1 = std::min<int64_t>({x1, static_cast<int64_t>(right) - 1, dst.Width() - 1});
    if (x1 >= x0) std::fill(dst.Row(y) + x0, dst.Row(y) + x1 + 1, c);
  }
}

}  // namespace gfx
