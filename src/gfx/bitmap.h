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

// A rectangle of pixels, right and bottom exclusive.
struct Rect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Where a bitmap's pixels have been written since its record was last cleared: a few
// rectangles, or "anywhere" (all). A bitmap keeps no record until it is first cleared, and
// then every write counts: the drawing operations note the rectangle they clipped to, and a
// row or the pixels handed out for writing count as anywhere, as do a resize and an
// assignment. The record travels with the pixels when a bitmap is moved.
struct DamageRecord {
  bool all = true;
  std::vector<Rect> rects;
};

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Color fill = kBlack) { Resize(width, height, fill); }
  Bitmap(const Bitmap& o) : width_(o.width_), height_(o.height_), pixels_(o.pixels_) {}
  Bitmap(Bitmap&& o) noexcept
      : width_(o.width_), height_(o.height_), pixels_(std::move(o.pixels_)),
        tracking_(o.tracking_), damage_(std::move(o.damage_)) {
    ++o.revision_;
    o.damage_ = DamageRecord{};
  }
  Bitmap& operator=(const Bitmap& o) {
    width_ = o.width_;
    height_ = o.height_;
    pixels_ = o.pixels_;
    ++revision_;
    damage_.all = true;
    return *this;
  }
  Bitmap& operator=(Bitmap&& o) noexcept {
    width_ = o.width_;
    height_ = o.height_;
    pixels_ = std::move(o.pixels_);
    tracking_ = o.tracking_;
    damage_ = std::move(o.damage_);
    ++revision_;
    ++o.revision_;
    o.damage_ = DamageRecord{};
    return *this;
  }

  void Resize(int width, int height, Color fill = kBlack);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  Color* Row(int y) {
    damage_.all = true;
    return WriteRow(y);
  }
  const Color* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  Color Pixel(int x, int y) const { return Row(y)[x]; }
  void SetPixel(int x, int y, Color c) { Row(y)[x] = c; }
  std::vector<Color>& Pixels() {
    ++revision_;
    damage_.all = true;
    return pixels_;
  }
  const std::vector<Color>& Pixels() const { return pixels_; }

  // Moves on whenever the pixels may have changed: every way of writing them (a row or the
  // pixels handed out for writing, a resize, an assignment) counts, reading does not. A
  // picture kept up to date from another can note the revision it left and skip the work
  // while nothing has touched it since.
  uint64_t Revision() const { return revision_; }

  // A row for writing that leaves the damage record to the writer: it notes what it
  // writes with NoteDamage, or it keeps the promise its record was cleared under.
  Color* WriteRow(int y) {
    ++revision_;
    return pixels_.data() + static_cast<size_t>(y) * width_;
  }
  // Notes a written rectangle already clipped to the bitmap. Past a few hundred
  // rectangles the record says "anywhere", which costs its reader less than a long list.
  void NoteDamage(int x, int y, int w, int h) {
    if (!tracking_ || damage_.all) return;
    if (damage_.rects.size() >= kMostDamageRects) {
      damage_.all = true;
      return;
    }
    damage_.rects.push_back({x, y, x + w, y + h});
  }
  // Starts the record afresh (and keeping one at all): nothing written yet.
  void ClearDamage() {
    tracking_ = true;
    damage_.all = false;
    damage_.rects.clear();
  }
  const DamageRecord& Damage() const { return damage_; }

  bool operator==(const Bitmap& o) const {
    return width_ == o.width_ && height_ == o.height_ && pixels_ == o.pixels_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  static constexpr size_t kMostDamageRects = 400;

  std::vector<Color> pixels_;
  uint64_t revision_ = 0;
  bool tracking_ = false;
  DamageRecord damage_;
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

// MaskedBlt with only the colour bits (kWhite) of its result kept, as a darkness mask would
// leave it within its light. Nothing is noted in dst's damage record: the rectangle written
// is returned (x0 == x1 when nothing was) for the caller to note. False when mask and image
// do not meet MaskedBlt's conditions, and nothing was done.
bool MaskedBltColourBits(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask,
                         const Bitmap& image, int sx, int sy, Rect& written);

// MaskedBltColourBits onto a dst about to be cleared outside one stretch [start[y], end[y])
// of each of its first `rows` rows: only pixels within the stretches are written. The same
// contract otherwise.
bool MaskedBltWithin(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& mask,
                     const Bitmap& image, int sx, int sy, const int* start, const int* end,
                     int rows, Rect& written);

// Stretching copy: the sw x sh rectangle of src onto the dw x dh rectangle of dst,
// nearest neighbour (each destination pixel takes the source pixel its centre falls on).
void StretchBlt(Bitmap& dst, int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy,
                int sw, int sh);

void FillRect(Bitmap& dst, int x, int y, int w, int h, Color c);

// A filled ellipse inside the bounding box (left, top) - (right, bottom), right and bottom
// exclusive, outline and fill in one colour.
void FillEllipse(Bitmap& dst, int left, int top, int right, int bottom, Color c);

}  // namespace gfx
