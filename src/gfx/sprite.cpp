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

LitStretches* litStretches = nullptr;

bool RowLit(const LitStretches& lit, int r, int64_t left, int64_t right) {
  return lit.start[r] < lit.end[r] && left < lit.end[r] && right > lit.start[r];
}

// True when the w x h box at (x, y) of the lit picture misses every lit stretch.
bool WhollyDark(const LitStretches& lit, int x, int y, int w, int h) {
  const int64_t left = x, right = static_cast<int64_t>(x) + w;
  const int y0 = static_cast<int>(std::max<int64_t>(0, y));
  const int y1 = static_cast<int>(std::min<int64_t>(lit.rows, static_cast<int64_t>(y) + h));
  if (y0 >= y1) return true;
  if (lit.widest >= 0) return !RowLit(lit, std::clamp(lit.widest, y0, y1 - 1), left, right);
  for (int r = y0; r < y1; ++r)
    if (RowLit(lit, r, left, right)) return false;
  return true;
}

// True when the w x h box at (x, y) lies wholly within the lit stretches.
bool WhollyLit(const LitStretches& lit, int x, int y, int w, int h) {
  if (y < 0 || w <= 0 || h <= 0 || static_cast<int64_t>(y) + h > lit.rows) return false;
  const auto within = [&](int r) {
    return lit.start[r] <= x && static_cast<int64_t>(x) + w <= lit.end[r];
  };
  if (lit.widest >= 0) return within(y) && within(y + h - 1);
  for (int r = y; r < y + h; ++r)
    if (!within(r)) return false;
  return true;
}

}  // namespace

void SetLitStretches(LitStretches* lit) {
  if (litStretches && litStretches != lit) {
    for (const Rect& r : litStretches->finished)
      litStretches->target->NoteDamage(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    litStretches->finished.clear();
  }
  litStretches = lit;
}

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
  if (litStretches && &target == litStretches->target) {
    if (WhollyDark(*litStretches, X - dx, Y - dy, width_, height_)) return;
    // A sprite across the edge of the light is drawn row by row within it; one wholly
    // within it in one piece.
    const LitStretches& lit = *litStretches;
    Rect written;
    const bool drawn =
        Transparent &&
        (WhollyLit(lit, X - dx, Y - dy, width_, height_)
             ? MaskedBltColourBits(target, X - dx, Y - dy, width_, height_, mask_, keyed_, sx,
                                   sy, written)
             : MaskedBltWithin(target, X - dx, Y - dy, width_, height_, mask_, keyed_, sx, sy,
                               lit.start, lit.end, lit.rows, written));
    if (drawn) {
      if (written.x0 < written.x1) litStretches->finished.push_back(written);
      return;
    }
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
