#include "gfx/text_stamp.h"

#include <algorithm>

#include "gfx/text.h"

namespace gfx {

namespace {

bool Touch(const Rect& a, const Rect& b) {
  return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

// Joins boxes that overlap or touch, so no pixel is put down twice; the shadow and its text
// become one box.
void Merge(std::vector<Rect>& boxes) {
  for (bool joined = true; joined;) {
    joined = false;
    for (size_t i = 0; i < boxes.size() && !joined; ++i)
      for (size_t j = i + 1; j < boxes.size() && !joined; ++j)
        if (Touch(boxes[i], boxes[j])) {
          Rect& a = boxes[i];
          const Rect& b = boxes[j];
          a = {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
          boxes.erase(boxes.begin() + static_cast<ptrdiff_t>(j));
          joined = true;
        }
  }
}

// The texts are drawn at their places onto a picture the size of the bitmap, and onto a
// coverage picture, before the boxes are cut out of them. One pair serves every stamp; the
// coverage is black throughout between two makes.
struct Scratch {
  Bitmap picture, coverage;
};

Scratch& TheScratch() {
  static Scratch scratch;
  return scratch;
}

bool Same(std::span<const StampText> a, const std::vector<StampText>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace

void TextStamp::Draw(Bitmap& dst, std::span<const StampText> texts) {
  if (dst.Empty()) return;
  const int width = dst.Width(), height = dst.Height();
  if (!valid_ || !Same(texts, texts_) || width != width_ || height != height_) {
    if (!Same(texts, last_) || width != lastWidth_ || height != lastHeight_) {
      last_.assign(texts.begin(), texts.end());
      lastWidth_ = width, lastHeight_ = height;
      for (const StampText& t : texts) DrawText(dst, t.x, t.y, t.face, t.points, t.colour, t.utf8);
      return;
    }
    Make(width, height, texts);
    last_.clear();
    lastWidth_ = lastHeight_ = 0;
  }
  if (!exact_) {
    for (const StampText& t : texts) DrawText(dst, t.x, t.y, t.face, t.points, t.colour, t.utf8);
    return;
  }
  for (const Box& b : boxes_)
    MaskedBlt(dst, b.at.x0, b.at.y0, b.at.x1 - b.at.x0, b.at.y1 - b.at.y0, b.mask, b.picture, 0, 0);
}

void TextStamp::Make(int width, int height, std::span<const StampText> texts) {
  ++made_;
  texts_.assign(texts.begin(), texts.end());
  width_ = width, height_ = height;
  valid_ = true;
  exact_ = true;
  boxes_.clear();
  Scratch& scratch = TheScratch();
  if (scratch.coverage.Width() != width || scratch.coverage.Height() != height) {
    scratch.picture.Resize(width, height);
    scratch.coverage.Resize(width, height);
  }
  // Each text drawn in white onto black says which pixels it covers and how much; drawn in
  // its colour onto the picture, over the texts before it, it leaves the colours the
  // bitmap would have where they are covered whole.
  std::vector<Rect> at;
  for (const StampText& t : texts) {
    scratch.coverage.ClearDamage();
    DrawText(scratch.coverage, t.x, t.y, t.face, t.points, kWhite, t.utf8);
    DrawText(scratch.picture, t.x, t.y, t.face, t.points, t.colour, t.utf8);
    const DamageRecord& written = scratch.coverage.Damage();
    if (written.all) {
      exact_ = false;
      at.push_back({0, 0, width, height});
    } else {
      at.insert(at.end(), written.rects.begin(), written.rects.end());
    }
  }
  Merge(at);
  for (const Rect& r : at) {
    Box& box = boxes_.emplace_back();
    box.at = r;
    box.mask.Resize(r.x1 - r.x0, r.y1 - r.y0);
    box.picture.Resize(r.x1 - r.x0, r.y1 - r.y0);
    for (int y = r.y0; y < r.y1; ++y) {
      Color* cover = scratch.coverage.WriteRow(y);
      const Color* drawn = scratch.picture.Row(y);
      Color* mask = box.mask.Row(y - r.y0);
      Color* picture = box.picture.Row(y - r.y0);
      for (int x = r.x0; x < r.x1; ++x) {
        if (cover[x] == kBlack) {
          mask[x - r.x0] = 0xFFFFFFFF;
          picture[x - r.x0] = 0;
        } else {
          // Part covered: the pixel would mix with what lies below, which the stamp
          // cannot know.
          if (cover[x] != kWhite) exact_ = false;
          mask[x - r.x0] = 0;
          picture[x - r.x0] = drawn[x];
        }
        cover[x] = kBlack;
      }
    }
  }
}

}  // namespace gfx
