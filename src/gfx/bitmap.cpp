#include "gfx/bitmap.h"

#include <algorithm>

namespace gfx {

void Bitmap::Resize(int width, int height, Color fill) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<size_t>(width_) * height_, fill);
}

namespace {

// Clips a w x h transfer so that it lies inside dst and (when given) inside src.
bool Clip(const Bitmap& dst, const Bitmap* src, int& dx, int& dy, int& w, int& h, int& sx,
          int& sy) {
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  if (src) {
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    w = std::min(w, src->Width() - sx);
    h = std::min(h, src->Height() - sy);
  }
  w = std::min(w, dst.Width() - dx);
  h = std::min(h, dst.Height() - dy);
  return w > 0 && h > 0;
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
      case Rop::And: for (int x = 0; x < w; ++x) d[x] &= s[x]; break;
      case Rop::Or: for (int x = 0; x < w; ++x) d[x] |= s[x]; break;
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
  int w = right - left, h = bottom - top;
  if (w <= 0 || h <= 0) return;
  // Centre and radii in half pixels so that even and odd boxes are both symmetric.
  double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
  double rx = w / 2.0, ry = h / 2.0;
  for (int y = std::max(0, top); y < std::min(bottom, dst.Height()); ++y) {
    double ny = (y - cy) / ry;
    double span = 1.0 - ny * ny;
    if (span < 0) continue;
    double half = rx * __builtin_sqrt(span);
    int x0 = std::max(left, static_cast<int>(cx - half + 0.5));
    int x1 = std::min(right - 1, static_cast<int>(cx + half + 0.5));
    x0 = std::max(0, x0);
    x1 = std::min(dst.Width() - 1, x1);
    if (x1 >= x0) std::fill(dst.Row(y) + x0, dst.Row(y) + x1 + 1, c);
  }
}

}  // namespace gfx
