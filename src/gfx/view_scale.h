// The finished 312 x 216 frame brought to the window's size in device pixels. Only the part
// that changed since the last frame is scaled again, and it is written straight into the
// window's surface: on a large screen writing device pixels is most of what presenting a
// frame costs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/bitmap.h"

namespace gfx {

// Fill stretches to the whole area; Aspect keeps the picture's shape with bars on two
// sides; Whole uses the largest integer factor, so every source pixel is a k x k square.
enum class ScaleMode { Fill, Aspect, Whole };

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
  bool operator==(const Box&) const = default;
};

// Largest integer factor at which a w x h picture fits in the area (0 when it does not
// fit even once).
int WholeFactor(int w, int h, int areaW, int areaH);

// Where a w x h picture lands in an areaW x areaH area. Whole falls back to Aspect when the
// area is smaller than the picture.
Box PlacePicture(ScaleMode mode, int w, int h, int areaW, int areaH);

// The frame last shown and its scaled geometry.
class ScaledView {
 public:
  // Source size and the size it is scaled to; forgets the previous frame.
  void Configure(int srcW, int srcH, int dstW, int dstH);
  // Takes frame (its top-left srcW x srcH; missing pixels count as black) as the frame
  // shown and returns the part of the scaled picture that changed.
  Box Update(const Bitmap& frame);
  // Writes the box of the scaled picture (0xAARRGGBB, opaque) to dst, whose rows are
  // stride pixels apart; the box's top-left pixel goes to dst[0].
  void Render(const Box& box, uint32_t* dst, std::ptrdiff_t stride) const;

  int Width() const { return dstW_; }
  int Height() const { return dstH_; }
  // The frame last taken: srcW x srcH pixels, rows srcW apart.
  const Color* Shown() const { return shown_.data(); }
  // The part of the frame (in source pixels) that the last Update changed.
  Box SourceChange() const { return sourceChange_; }

 private:
  int srcW_ = 0, srcH_ = 0, dstW_ = 0, dstH_ = 0;
  std::vector<int> colSource_;  // source column of each scaled column
  std::vector<int> rowSource_;  // source row of each scaled row
  std::vector<int> colStart_;   // first scaled column of each source column, and the end
  std::vector<int> rowStart_;   // first scaled row of each source row, and the end
  std::vector<Color> shown_;    // the frame last taken
  Box sourceChange_;
  bool valid_ = false;
};

}  // namespace gfx
