// A 32-bit bitmap of 0x00BBGGRR pixels and the block operations the game draws with.
// Every operation clips to both bitmaps, so a sprite half off the view simply loses the
// part outside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace gfx {

using Color = uint32_t;  // 0x00BBGGRR

constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kTeal = Rgb(0, 128, 128);

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Color fill = kBlack) { Resize(width, height, fill); }
  Bitmap(const Bitmap& o) : width_(o.width_), height_(o.height_), pixels_(o.pixels_) {}
  Bitmap(Bitmap&& o) noexcept
      : width_(o.width_), height_(o.height_), pixels_(std::move(o.pixels_)) {
    ++o.revision_;
  }
  Bitmap& operator=(const Bitmap& o) {
    width_ = o.width_;
    height_ = o.height_;
    pixels_ = o.pixels_;
    ++revision_;
    return *this;
  }
  Bitmap& operator=(Bitmap&& o) noexcept {
    width_ = o.width_;
    height_ = o.height_;
    pixels_ = std::move(o.pixels_);
    ++revision_;
    ++o.revision_;
    return *this;
  }

  void Resize(int width, int height, Color fill = kBlack);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  Color* Row(int y) {
    ++revision_;
    return pixels_.data() + static_cast<size_t>(y) * width_;
  }
  const Color* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  Color Pixel(int x, int y) const { return Row(y)[x]; }
  void SetPixel(int x, int y, Color c) { Row(y)[x] = c; }
  std::vector<Color>& Pixels() {
    ++revision_;
    return pixels_;
  }
  const std::vector<Color>& Pixels() const { return pixels_; }

  // Moves on whenever the pixels may have changed: every way of writing them (a row or the
  // pixels handed out for writing, a resize, an assignment) counts, reading does not. A
  // picture kept up to date from another can note the revision it left and skip the work
  // while nothing has touched it since.
  uint64_t Revision() const { return revision_; }

  bool operator==(const Bitmap& o) const {
    return width_ == o.width_ && height_ == o.height_ && pixels_ == o.pixels_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
  uint64_t revision_ = 0;
};

// The raster operations of a block transfer.
enum class Rop { Copy, And, Or, DstInvert, Blackness };

// Block transfer of the w x h rectangle at (sx, sy) of src onto dst at (dx, dy).
// DstInvert and Blackness ignore src (it may be null).
void BitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap* src, int sx, int sy, Rop rop);

// A transparent sprite's two transfers in one pass: the w x h rectangle at (sx, sy) of mask
// ANDed onto dst at (dx, dy), then the same rectangle of image ORed over it. The pixels come
// out as after BitBlt(..., mask, ..., And) and BitBlt(..., image, ..., Or); mask and image
// must be the same size and neither may be dst (else the two transfers are made one by one).
void MaskedBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask, const Bitmap& image,
               int sx, int sy);

// Stretching copy: the sw x sh rectangle of src onto the dw x dh rectangle of dst,
// nearest neighbour (each destination pixel takes the source pixel its centre falls on).
void StretchBlt(Bitmap& dst, int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy,
                int sw, int sh);

void FillRect(Bitmap& dst, int x, int y, int w, int h, Color c);

// A filled ellipse inside the bounding box (left, top) - (right, bottom), right and bottom
// exclusive, outline and fill in one colour.
void FillEllipse(Bitmap& dst, int left, int top, int right, int bottom, Color c);

}  // namespace gfx
