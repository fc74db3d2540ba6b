#include "gfx/sprite.h"

#include <algorithm>

#include "gfx/bmp.h"

namespace gfx {

TSprite::TSprite() { SetIndex(0); }

void TSprite::UpdateCells(int cx, int cy) {
  CX = cx > 0 ? cx : 1;
  CY = cy > 0 ? cy : 1;
  width_ = hasPicture_ ? picture_.Width() / CX : 0;
  height_ = hasPicture_ ? picture_.Height() / CY : 0;
}

void TSprite::SetIndex(int i) {
  if (i < 0) {
    index_ = 0;
  } else {
    // CX and CY are public fields and may hold anything until the next cell update.
    const int64_t cells = static_cast<int64_t>(std::max(1, CX)) * std::max(1, CY);
    index_ = static_cast<int>(std::min<int64_t>(i, cells - 1));
  }
}

void TSprite::SetPicture(const Bitmap* source) {
  if (!source) {
    hasPicture_ = false;
    picture_ = mask_ = keyed_ = Bitmap();
    return;
  }
  Bitmap copy = *source;  // the source may be our own picture
  hasPicture_ = true;
  picture_ = copy;
  mask_ = copy;
  keyed_ = std::move(copy);
  // The colour-to-monochrome rule: pixels equal to the key become white in the mask and
  // black in the keyed image; every other pixel is black in the mask and keeps its colour.
  auto& m = mask_.Pixels();
  auto& k = keyed_.Pixels();
  for (size_t i = 0; i < m.size(); ++i) {
    bool key = (m[i] & 0xFFFFFF) == (colorKey_ & 0xFFFFFF);
    m[i] = key ? kWhite : kBlack;
    if (key) k[i] = kBlack;
  }
  UpdateCells(CX, CY);
}

void TSprite::SetColorKey(Color c) {
  colorKey_ = c;
  if (hasPicture_) {
    Bitmap temp = picture_;
    SetPicture(&temp);
  }
}

void TSprite::Refresh() {
  UpdateCells(CX, CY);
  SetColorKey(colorKey_);  // rebuilds mask and keyed image from the current picture
}

void TSprite::LoadPicture(const std::string& path, BmpSize expected) {
  Bitmap loaded = LoadBmpFile(path, expected);  // throws before anything changes
  picture_ = std::move(loaded);
  hasPicture_ = true;
}

namespace {

const LitStretches* litStretches = nullptr;

// True when the w x h box at (x, y) of the lit picture misses every lit stretch.
bool WhollyDark(const LitStretches& lit, int x, int y, int w, int h) {
  const int64_t left = x, right = static_cast<int64_t>(x) + w;
  const int y0 = static_cast<int>(std::max<int64_t>(0, y));
  const int y1 = static_cast<int>(std::min<int64_t>(lit.rows, static_cast<int64_t>(y) + h));
  for (int r = y0; r < y1; ++r)
    if (lit.start[r] < lit.end[r] && left < lit.end[r] && right > lit.start[r]) return false;
  return true;
}

}  // namespace

void SetLitStretches(const LitStretches* lit) { litStretches = lit; }

void TSprite::Draw() {
  if (!Destination || !hasPicture_) return;
  int dx = Centering ? width_ / 2 : 0;
  int dy = Centering ? height_ / 2 : 0;
  // CX may have been written directly (the cell size then stays as it was); a value below
  // 1 would divide by zero, so it counts as one column until the next cell update.
  const int columns = std::max(1, CX);
  int sx = (index_ % columns) * width_;
  int sy = (index_ / columns) * height_;
  Bitmap& target = Destination->Picture;
  if (litStretches && &target == litStretches->target &&
      WhollyDark(*litStretches, X - dx, Y - dy, width_, height_)) {
    return;
  }
  if (Transparent) {
    MaskedBlt(target, X - dx, Y - dy, width_, height_, mask_, keyed_, sx, sy);
  } else {
    BitBlt(target, X - dx, Y - dy, width_, height_, &picture_, sx, sy, Rop::Copy);
  }
}

void TSprite::LoadStored(const Bitmap& picture, TImage* destination, int cx, int cy, int index,
                         bool transparent, Color key) {
  picture_ = picture;
  hasPicture_ = true;
  Destination = destination;
  CX = cx;
  CY = cy;
  // The stored index is clamped against the stored cell counts.
  SetIndex(index);
  Transparent = transparent;
  Centering = false;
  SetColorKey(key);
}

}  // namespace gfx
