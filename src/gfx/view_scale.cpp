#include "gfx/view_scale.h"

#include <algorithm>
#include <cstring>

namespace gfx {

namespace {

// Nearest neighbour: a scaled pixel takes the source pixel its centre falls on. Returns for
// every source index the first scaled index showing it, plus the end.
std::vector<int> Starts(int src, int dst, std::vector<int>* sourceOf) {
  std::vector<int> start(src + 1, dst);
  if (sourceOf) sourceOf->assign(dst, 0);
  for (int i = dst - 1; i >= 0; --i) {
    int s = static_cast<int>((2LL * i + 1) * src / (2LL * dst));
    start[s] = i;
    if (sourceOf) (*sourceOf)[i] = s;
  }
  // A source index no scaled pixel shows (shrinking) starts where the next one does.
  for (int s = src - 1; s >= 0; --s) start[s] = std::min(start[s], start[s + 1]);
  return start;
}

inline uint32_t ToArgb(Color c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
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
  colStart_ = Starts(srcW_, dstW_, &colSource_);
  rowStart_ = Starts(srcH_, dstH_, nullptr);
  pixels_.assign(static_cast<size_t>(dstW_) * dstH_, 0xFF000000u);
  last_.assign(static_cast<size_t>(srcW_) * srcH_, 0);
  valid_ = false;
}

void ScaledView::ScaleRow(const Color* row, int y, int x0, int x1) {
  int top = rowStart_[y], bottom = rowStart_[y + 1];
  if (top >= bottom) return;
  int c0 = colStart_[x0], c1 = colStart_[x1];
  uint32_t* first = pixels_.data() + static_cast<size_t>(top) * dstW_;
  for (int c = c0; c < c1; ++c) first[c] = ToArgb(row[colSource_[c] - x0]);
  // The other scaled rows of this source row are copies of the first.
  for (int r = top + 1; r < bottom; ++r)
    std::memcpy(first + static_cast<size_t>(r - top) * dstW_ + c0, first + c0,
                static_cast<size_t>(c1 - c0) * sizeof(uint32_t));
}

Box ScaledView::Update(const Bitmap& frame) {
  if (dstW_ == 0 || dstH_ == 0 || srcW_ == 0 || srcH_ == 0) return {};
  int left = srcW_, right = 0, top = srcH_, bottom = 0;
  std::vector<Color> row(srcW_);
  for (int y = 0; y < srcH_; ++y) {
    std::fill(row.begin(), row.end(), kBlack);
    if (y < frame.Height())
      std::memcpy(row.data(), frame.Row(y), sizeof(Color) * std::min(srcW_, frame.Width()));
    Color* seen = last_.data() + static_cast<size_t>(y) * srcW_;
    int x0 = 0, x1 = srcW_;
    if (valid_) {
      while (x0 < x1 && row[x0] == seen[x0]) ++x0;
      if (x0 == x1) continue;
      while (row[x1 - 1] == seen[x1 - 1]) --x1;
    }
    std::memcpy(seen + x0, row.data() + x0, sizeof(Color) * (x1 - x0));
    ScaleRow(row.data() + x0, y, x0, x1);
    left = std::min(left, x0);
    right = std::max(right, x1);
    top = std::min(top, y);
    bottom = y + 1;
  }
  valid_ = true;
  if (top >= bottom) return {};
  return {colStart_[left], rowStart_[top], colStart_[right] - colStart_[left],
          rowStart_[bottom] - rowStart_[top]};
}

}  // namespace gfx
