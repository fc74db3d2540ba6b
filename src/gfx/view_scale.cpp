#include "gfx/view_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx {

namespace {

// Nearest neighbour: a scaled pixel takes the source pixel its centre falls on. Returns for
// every source index the first scaled index showing it, plus the end.
std::vector<int> Starts(int src, int dst, std::vector<int>& sourceOf) {
  std::vector<int> start(src + 1, dst);
  sourceOf.assign(dst, 0);
  for (int i = dst - 1; i >= 0; --i) {
    int s = static_cast<int>((2LL * i + 1) * src / (2LL * dst));
    start[s] = i;
    sourceOf[i] = s;
  }
  // A source index no scaled pixel shows (shrinking) starts where the next one does.
  for (int s = src - 1; s >= 0; --s) start[s] = std::min(start[s], start[s + 1]);
  return start;
}

inline uint32_t ToArgb(Color c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// Copies a scaled row to the rows below it. These rows are only written, never read back
// here (the display reads them), so on x86 they bypass the cache: on a large screen that
// roughly halves the memory traffic of a frame.
void CopyRow(uint32_t* dst, const uint32_t* src, int n) {
#if defined(__SSE2__)
  int i = 0;
  for (; i < n && (reinterpret_cast<uintptr_t>(dst + i) & 15) != 0; ++i) dst[i] = src[i];
  for (; i + 4 <= n; i += 4)
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)));
  for (; i < n; ++i) dst[i] = src[i];
#else
  std::memcpy(dst, src, sizeof(uint32_t) * n);
#endif
}

void FinishCopies() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

}  // namespace

int WholeFactor(int w, int h, int areaW, int areaH) {
  if (w <= 0 || h <= 0) return 0;
  return std::max(0, std::min(areaW / w, areaH / h));
}

Box PlacePicture(ScaleMode mode, int w, int h, int areaW, int areaH) {
  if (w <= 0 || h <= 0 || areaW <= 0 || areaH <= 0) return {};
  if (mode == ScaleMode::Fill) return {0, 0, areaW, areaH};
  int k = WholeFactor(w, h, areaW, areaH);
  int pw, ph;
  if (mode == ScaleMode::Whole && k >= 1) {
    pw = w * k;
    ph = h * k;
  } else if (static_cast<long long>(areaW) * h <= static_cast<long long>(areaH) * w) {
    pw = areaW;  // width decides: bars above and below
    ph = std::max(1, static_cast<int>(static_cast<long long>(areaW) * h / w));
  } else {
    ph = areaH;
    pw = std::max(1, static_cast<int>(static_cast<long long>(areaH) * w / h));
  }
  return {(areaW - pw) / 2, (areaH - ph) / 2, pw, ph};
}

void ScaledView::Configure(int srcW, int srcH, int dstW, int dstH) {
  srcW_ = std::max(0, srcW);
  srcH_ = std::max(0, srcH);
  dstW_ = std::max(0, dstW);
  dstH_ = std::max(0, dstH);
  colStart_ = Starts(srcW_, dstW_, colSource_);
  rowStart_ = Starts(srcH_, dstH_, rowSource_);
  shown_.assign(static_cast<size_t>(srcW_) * srcH_, kBlack);
  valid_ = false;
}

Box ScaledView::Update(const Bitmap& frame) {
  sourceChange_ = {};
  if (dstW_ == 0 || dstH_ == 0 || srcW_ == 0 || srcH_ == 0) return {};
  int left = srcW_, right = 0, top = srcH_, bottom = 0;
  std::vector<Color> padded;  // a row of a frame smaller than the source, made up with black
  for (int y = 0; y < srcH_; ++y) {
    const Color* row = nullptr;
    if (y < frame.Height() && frame.Width() >= srcW_) {
      row = frame.Row(y);
    } else {
      padded.assign(srcW_, kBlack);
      if (y < frame.Height())
        std::memcpy(padded.data(), frame.Row(y), sizeof(Color) * frame.Width());
      row = padded.data();
    }
    Color* seen = shown_.data() + static_cast<size_t>(y) * srcW_;
    int x0 = 0, x1 = srcW_;
    if (valid_) {
      while (x0 < x1 && row[x0] == seen[x0]) ++x0;
      if (x0 == x1) continue;
      while (row[x1 - 1] == seen[x1 - 1]) --x1;
    }
    std::memcpy(seen + x0, row + x0, sizeof(Color) * (x1 - x0));
    left = std::min(left, x0);
    right = std::max(right, x1);
    top = std::min(top, y);
    bottom = y + 1;
  }
  valid_ = true;
  if (top >= bottom) return {};
  sourceChange_ = {left, top, right - left, bottom - top};
  return {colStart_[left], rowStart_[top], colStart_[right] - colStart_[left],
          rowStart_[bottom] - rowStart_[top]};
}

void ScaledView::Render(const Box& box, uint32_t* dst, std::ptrdiff_t stride) const {
  int x0 = std::max(0, box.x), x1 = std::min(dstW_, box.x + box.w);
  int y0 = std::max(0, box.y), y1 = std::min(dstH_, box.y + box.h);
  if (x0 >= x1 || y0 >= y1) return;
  dst += (y0 - box.y) * stride + (x0 - box.x);
  const uint32_t* first = nullptr;  // the first scaled row of the current source row
  for (int y = y0; y < y1; ++y, dst += stride) {
    // The scaled rows of one source row are copies of its first, which is still in cache.
    if (first && rowSource_[y] == rowSource_[y - 1]) {
      CopyRow(dst, first, x1 - x0);
      continue;
    }
    const Color* src = shown_.data() + static_cast<size_t>(rowSource_[y]) * srcW_;
    for (int x = x0; x < x1; ++x) dst[x - x0] = ToArgb(src[colSource_[x]]);
    first = dst;
  }
  FinishCopies();
}

}  // namespace gfx
