// A sprite sheet: a bitmap cut into CX x CY equal cells, drawn one cell at a time onto a
// destination image, opaque or with a colour key. The key is turned into a mask and a keyed
// copy once, when the picture or the key changes, so a draw is two block transfers.
#pragma once

#include "gfx/bitmap.h"
#include "gfx/bmp.h"
#include "gfx/image.h"

#include <vector>

namespace gfx {

class TSprite {
 public:
  TSprite();

  const Bitmap* Picture() const { return hasPicture_ ? &picture_ : nullptr; }
  Bitmap* MutablePicture() { return hasPicture_ ? &picture_ : nullptr; }
  // Loads a picture file in place; call Refresh afterwards, as after any change in place.
  void LoadPicture(const std::string& path, BmpSize expected = {});

  TImage* Destination = nullptr;
  int CX = 1;
  int CY = 1;
  int X = 0;
  int Y = 0;
  bool Transparent = true;
  bool Centering = false;

  int Index() const { return index_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Color ColorKey() const { return colorKey_; }
  const Bitmap& MaskBitmap() const { return mask_; }
  const Bitmap& KeyedImage() const { return keyed_; }

  void SetPicture(const Bitmap* source);  // null forgets the picture
  void SetIndex(int i);
  void SetColorKey(Color c);
  void Refresh();
  void Draw();

  // What a stored form does for a sheet: picture, destination, cells, index, flags, key.
  void LoadStored(const Bitmap& picture, TImage* destination, int cx, int cy, int index,
                  bool transparent, Color key);

 private:
  void UpdateCells(int cx, int cy);

  Bitmap picture_, mask_, keyed_;
  bool hasPicture_ = true;
  int index_ = 0;
  int width_ = 0;
  int height_ = 0;
  Color colorKey_ = kBlack;
};

// Where a picture is about to be masked: cleared outside one stretch [start[y], end[y]) of
// each of its `rows` rows, and kept to its colour bits (kWhite) within it. Meanwhile a
// sprite drawn onto `target` wholly outside the stretches is left out, and a transparent
// one wholly within them is drawn as the mask will leave it, so the mask need not go over
// it again: what it writes is gathered in `finished` instead of the target's damage
// record, and the mask masks the rest of the record. The stretches' end (SetLitStretches
// with anything else) notes the finished rectangles in the record, where a later reader of
// the record finds every write as before. Set only while the mask is sure to follow; null
// (the default) draws every sprite as it is.
struct LitStretches {
  Bitmap* target = nullptr;
  const int* start = nullptr;
  const int* end = nullptr;
  int rows = 0;
  // When the stretches are nested (each row's within that of the next row toward this
  // one, as in a circle of light), the widest row: a box then misses the light when it
  // misses the row of it nearest this one, and lies within the light when its top and bottom
  // rows do. -1 when they are not, and every row of a box is looked at.
  int widest = -1;
  std::vector<Rect> finished;
};
void SetLitStretches(LitStretches* lit);

}  // namespace gfx
