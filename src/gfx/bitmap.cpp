#include "gfx/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace gfx {

void Bitmap::Resize(int width, int height, Color fill) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<size_t>(width_) * height_, fill);
  ++revision_;
  damage_.all = true;
}

namespace {

// Clips a w x h transfer so that it lies inside dst and (when given) inside src. Worked in
// 64 bits so that positions far off the bitmap cannot overflow.
inline bool Clip(const Bitmap& dst, const Bitmap* src, int& dx, int& dy, int& w, int& h,
                 int& sx, int& sy) {
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

// Four pixels in one 16-byte vector (every x86-64 and ARM64 has them; elsewhere the compiler
// splits it). Loads and stores go through memcpy, so rows need no particular alignment.
typedef uint32_t Four __attribute__((vector_size(16)));

inline Four Load(const Color* p) {
  Four v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(Color* p, Four v) { std::memcpy(p, &v, sizeof v); }

// d[i] = op(d[i], s[i]) for the rows of a rectangle of two different bitmaps. A frame is
// mostly sprite cells of 15 to 24 pixels a row, so the row loop holds nothing but the
// pixels: the raster operation is chosen once per transfer, not once per row.
template <typename Op>
void CombineRows(Color* d, size_t dStride, const Color* s, size_t sStride, int w, int h, Op op) {
  for (int y = 0; y < h; ++y, d += dStride, s += sStride) {
    int x = 0;
    for (; x + 8 <= w; x += 8) {
      Four a = op(Load(d + x), Load(s + x));
      Four b = op(Load(d + x + 4), Load(s + x + 4));
      Store(d + x, a);
      Store(d + x + 4, b);
    }
    if (x + 4 <= w) {
      Store(d + x, op(Load(d + x), Load(s + x)));
      x += 4;
    }
    for (; x < w; ++x) d[x] = op(d[x], s[x]);
  }
}

// The columns [x0, x1) of one row.
struct Span {
  int x0, x1;
};

// ((d & m) | k) & keep over the columns span(y) of each of h rows, kLanes pixels a step. The
// last step may overlap the one before, which is harmless: the operation done twice gives
// what it gives once. A span narrower than one step is done pixel by pixel.
template <typename Vec, int kLanes, typename SpanOf>
__attribute__((always_inline)) inline void MaskSpans(Color* d, size_t dStride, const Color* m,
                                                     const Color* k, size_t sStride, int h,
                                                     Color keep, SpanOf span) {
  Vec kept;
  for (int i = 0; i < kLanes; ++i) kept[i] = keep;
  for (int y = 0; y < h; ++y, d += dStride, m += sStride, k += sStride) {
    const auto [x0, x1] = span(y);
    if (x1 - x0 < kLanes) {
      for (int x = x0; x < x1; ++x) d[x] = ((d[x] & m[x]) | k[x]) & keep;
      continue;
    }
    Vec tail, tm, tk;
    std::memcpy(&tail, d + x1 - kLanes, sizeof tail);
    std::memcpy(&tm, m + x1 - kLanes, sizeof tm);
    std::memcpy(&tk, k + x1 - kLanes, sizeof tk);
    tail = ((tail & tm) | tk) & kept;
    for (int x = x0; x < x1 - kLanes; x += kLanes) {
      Vec v, vm, vk;
      std::memcpy(&v, d + x, sizeof v);
      std::memcpy(&vm, m + x, sizeof vm);
      std::memcpy(&vk, k + x, sizeof vk);
      v = ((v & vm) | vk) & kept;
      std::memcpy(d + x, &v, sizeof v);
    }
    std::memcpy(d + x1 - kLanes, &tail, sizeof tail);
  }
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// Eight pixels a step where the processor has 32-byte vectors (AVX), chosen at run time so
// that the program still runs on any x86-64; the pixels come out the same either way, as
// AND and OR work bit by bit. Sprite cells are 15 to 24 pixels wide: one or two steps a row.
typedef uint32_t Eight __attribute__((vector_size(32)));

template <bool And>
__attribute__((target("avx"))) void CombineRowsWide(Color* d, size_t dStride, const Color* s,
                                                    size_t sStride, int w, int h) {
  // w >= 8. The last eight pixels of a row are read first and written last, so a row of any
  // width is whole steps of eight; where they overlap the step before, both write the same
  // pixels, taken from the row as it was (AND and OR with the same source agree however often
  // they are applied).
  const int last = w - 8;
  for (int y = 0; y < h; ++y, d += dStride, s += sStride) {
    Eight t, u;
    std::memcpy(&t, d + last, sizeof t);
    std::memcpy(&u, s + last, sizeof u);
    if constexpr (And) t &= u; else t |= u;
    for (int x = 0; x < last; x += 8) {
      Eight a, b;
      std::memcpy(&a, d + x, sizeof a);
      std::memcpy(&b, s + x, sizeof b);
      if constexpr (And) a &= b; else a |= b;
      std::memcpy(d + x, &a, sizeof a);
    }
    std::memcpy(d + last, &t, sizeof t);
  }
}

// ((d & m) | k) & keep over whole rows of w >= 8 pixels, eight a step.
__attribute__((target("avx"))) void MaskRowsWide(Color* d, size_t dStride, const Color* m,
                                                 const Color* k, size_t sStride, int w, int h,
                                                 Color keep) {
  MaskSpans<Eight, 8>(d, dStride, m, k, sStride, h, keep, [w](int) { return Span{0, w}; });
}

bool WideVectors() {
  static const bool wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx") != 0);
  return wide;
}
#define MIROVAAN_WIDE_VECTORS 1
#endif

// AND or OR of two different bitmaps' rectangles, on the widest vectors the processor has.
template <bool And>
void CombineDistinct(Color* d, size_t dStride, const Color* s, size_t sStride, int w, int h) {
#ifdef MIROVAAN_WIDE_VECTORS
  if (w >= 8 && WideVectors()) return CombineRowsWide<And>(d, dStride, s, sStride, w, h);
#endif
  if constexpr (And) {
    CombineRows(d, dStride, s, sStride, w, h, [](auto a, auto b) { return a & b; });
  } else {
    CombineRows(d, dStride, s, sStride, w, h, [](auto a, auto b) { return a | b; });
  }
}

// The same for a source that is the destination itself: one pixel after the other, so a
// transfer onto an overlapping part of its own bitmap reads what the earlier steps wrote.
template <typename Op>
void CombineRowsInPlace(Color* d, size_t dStride, const Color* s, size_t sStride, int w, int h,
                        Op op) {
  for (int y = 0; y < h; ++y, d += dStride, s += sStride)
    for (int x = 0; x < w; ++x) d[x] = op(d[x], s[x]);
}

void FillRows(Color* d, size_t stride, int w, int h, Color c) {
  if (c == 0) {  // black is all zero bits
    if (static_cast<size_t>(w) == stride) {
      std::memset(d, 0, sizeof(Color) * w * static_cast<size_t>(h));
    } else {
      for (int y = 0; y < h; ++y, d += stride) std::memset(d, 0, sizeof(Color) * w);
    }
    return;
  }
  const Four v = {c, c, c, c};
  for (int y = 0; y < h; ++y, d += stride) {
    int x = 0;
    for (; x + 4 <= w; x += 4) Store(d + x, v);
    for (; x < w; ++x) d[x] = c;
  }
}

void InvertRows(Color* d, size_t stride, int w, int h) {
  const Four low = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  for (int y = 0; y < h; ++y, d += stride) {
    int x = 0;
    for (; x + 4 <= w; x += 4) Store(d + x, ~Load(d + x) & low);
    for (; x < w; ++x) d[x] = ~d[x] & 0xFFFFFF;
  }
}

}  // namespace

void BitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap* src, int sx, int sy, Rop rop) {
  const bool needsSource = rop == Rop::Copy || rop == Rop::And || rop == Rop::Or;
  if (needsSource && (!src || src->Empty())) return;
  // Most transfers are sprite cells wholly inside the view and the sheet: nothing to clip.
  const bool inside =
      dx >= 0 && dy >= 0 && w > 0 && h > 0 && w <= dst.Width() - dx && h <= dst.Height() - dy &&
      (!needsSource || (sx >= 0 && sy >= 0 && w <= src->Width() - sx && h <= src->Height() - sy));
  if (!inside && !Clip(dst, needsSource ? src : nullptr, dx, dy, w, h, sx, sy)) return;
  const size_t dStride = static_cast<size_t>(dst.Width());
  Color* d = dst.WriteRow(dy) + dx;
  dst.NoteDamage(dx, dy, w, h);
  if (!needsSource) {
    if (rop == Rop::DstInvert) InvertRows(d, dStride, w, h);
    else FillRows(d, dStride, w, h, kBlack);
    return;
  }
  const size_t sStride = static_cast<size_t>(src->Width());
  const Color* s = src->Row(sy) + sx;
  const bool itself = src == &dst;
  const auto andOp = [](auto a, auto b) { return a & b; };
  const auto orOp = [](auto a, auto b) { return a | b; };
  switch (rop) {
    case Rop::Copy:
      if (!itself && static_cast<size_t>(w) == dStride && dStride == sStride) {
        std::memcpy(d, s, sizeof(Color) * w * static_cast<size_t>(h));  // whole rows: one run
      } else {
        // Row by row from the top, each row as memmove copies it, also onto itself.
        for (int y = 0; y < h; ++y, d += dStride, s += sStride)
          std::memmove(d, s, sizeof(Color) * w);
      }
      break;
    case Rop::And:
      if (itself) CombineRowsInPlace(d, dStride, s, sStride, w, h, andOp);
      else CombineDistinct<true>(d, dStride, s, sStride, w, h);
      break;
    case Rop::Or:
      if (itself) CombineRowsInPlace(d, dStride, s, sStride, w, h, orOp);
      else CombineDistinct<false>(d, dStride, s, sStride, w, h);
      break;
    default:
      break;
  }
}

namespace {

// A transparent sprite's transfer, its result ANDed with `keep`; the rectangle written,
// clipped, in `written` (x0 == x1 for none). False when mask and image do not meet
// MaskedBlt's conditions, and nothing was done.
bool MaskedRows(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask, const Bitmap& image,
                int sx, int sy, Color keep, Rect& written) {
  written = {};
  if (&mask == &dst || &image == &dst || mask.Width() != image.Width() ||
      mask.Height() != image.Height()) {
    return false;
  }
  if (mask.Empty()) return true;
  const bool inside = dx >= 0 && dy >= 0 && w > 0 && h > 0 && w <= dst.Width() - dx &&
                      h <= dst.Height() - dy && sx >= 0 && sy >= 0 && w <= mask.Width() - sx &&
                      h <= mask.Height() - sy;
  if (!inside && !Clip(dst, &mask, dx, dy, w, h, sx, sy)) return true;
  written = {dx, dy, dx + w, dy + h};
  const size_t dStride = static_cast<size_t>(dst.Width()), sStride = static_cast<size_t>(mask.Width());
  Color* d = dst.WriteRow(dy) + dx;
  const Color* m = mask.Row(sy) + sx;
  const Color* k = image.Row(sy) + sx;
#ifdef MIROVAAN_WIDE_VECTORS
  if (w >= 8 && WideVectors()) {
    MaskRowsWide(d, dStride, m, k, sStride, w, h, keep);
    return true;
  }
#endif
  for (int y = 0; y < h; ++y, d += dStride, m += sStride, k += sStride)
    for (int x = 0; x < w; ++x) d[x] = ((d[x] & m[x]) | k[x]) & keep;
  return true;
}

}  // namespace

void MaskedBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask, const Bitmap& image,
               int sx, int sy) {
  Rect written;
  if (!MaskedRows(dst, dx, dy, w, h, mask, image, sx, sy, ~Color{0}, written)) {
    BitBlt(dst, dx, dy, w, h, &mask, sx, sy, Rop::And);
    BitBlt(dst, dx, dy, w, h, &image, sx, sy, Rop::Or);
    return;
  }
  if (written.x0 < written.x1)
    dst.NoteDamage(written.x0, written.y0, written.x1 - written.x0, written.y1 - written.y0);
}

bool MaskedBltColourBits(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask,
                         const Bitmap& image, int sx, int sy, Rect& written) {
  return MaskedRows(dst, dx, dy, w, h, mask, image, sx, sy, kWhite, written);
}

namespace {

#ifdef MIROVAAN_WIDE_VECTORS
__attribute__((target("avx"))) void MaskRowsWithinWide(Color* d, size_t dStride, const Color* m,
                                                       const Color* k, size_t sStride,
                                                       const int* a, const int* b, int h) {
  MaskSpans<Eight, 8>(d, dStride, m, k, sStride, h, kWhite,
                      [a, b](int y) { return Span{a[y], b[y]}; });
}
#endif

}  // namespace

bool MaskedBltWithin(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask,
                     const Bitmap& image, int sx, int sy, const int* start, const int* end,
                     int rows, Rect& written) {
  written = {};
  if (&mask == &dst || &image == &dst || mask.Width() != image.Width() ||
      mask.Height() != image.Height()) {
    return false;
  }
  if (mask.Empty() || !Clip(dst, &mask, dx, dy, w, h, sx, sy)) return true;
  h = std::max(0, std::min(h, rows - dy));
  // Each row's stretch within the sprite, from the sprite's left edge; taken in batches of
  // rows so that the pixel loop reads nothing else.
  constexpr int kMostRowsWithin = 64;
  int a[kMostRowsWithin], b[kMostRowsWithin];
  int x0 = dx + w, x1 = dx, y0 = dy + h, y1 = dy;
  for (int done = 0; done < h;) {
    const int n = std::min(h - done, kMostRowsWithin);
    for (int r = 0; r < n; ++r) {
      const int y = dy + done + r;
      const int from = std::max(dx, start[y]), to = std::min(dx + w, end[y]);
      if (from >= to) {
        a[r] = b[r] = 0;
        continue;
      }
      a[r] = from - dx, b[r] = to - dx;
      x0 = std::min(x0, from), x1 = std::max(x1, to);
      y0 = std::min(y0, y), y1 = y + 1;
    }
    const size_t dStride = static_cast<size_t>(dst.Width()), sStride = static_cast<size_t>(mask.Width());
    Color* d = dst.WriteRow(dy + done) + dx;
    const Color* m = mask.Row(sy + done) + sx;
    const Color* k = image.Row(sy + done) + sx;
#ifdef MIROVAAN_WIDE_VECTORS
    if (WideVectors()) MaskRowsWithinWide(d, dStride, m, k, sStride, a, b, n);
    else
#endif
      MaskSpans<Four, 4>(d, dStride, m, k, sStride, n, kWhite,
                         [&a, &b](int y) { return Span{a[y], b[y]}; });
    done += n;
  }
  if (x0 < x1) written = {x0, y0, x1, y1};
  return true;
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
  dst.NoteDamage(x, y, w, h);
  FillRows(dst.WriteRow(y) + x, static_cast<size_t>(dst.Width()), w, h, c);
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
