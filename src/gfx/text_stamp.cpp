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

}  // namespace

void TextStamp::Draw(Bitmap& dst, const std::vector<StampText>& texts) {
  if (dst.Empty()) return;
  if (!valid_ || texts != texts_ || dst.Width() != mask_.Width() || dst.Height() != mask_.Height())
    Make(dst.Width(), dst.Height(), texts);
  if (!exact_) {
    for (const StampText& t : texts) DrawText(dst, t.x, t.y, t.face, t.points, t.colour, t.utf8);
    return;
  }
  for (const Rect& b : boxes_)
    MaskedBlt(dst, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, mask_, picture_, b.x0, b.y0);
}

void TextStamp::Make(int width, int height, const std::vector<StampText>& texts) {
  ++made_;
  texts_ = texts;
  valid_ = true;
  exact_ = true;
  boxes_.clear();
  if (mask_.Width() != width || mask_.Height() != height) {
    mask_.Resize(width, height);
    picture_.Resize(width, height);
    coverage_.Resize(width, height);
  }
  // Each text drawn in white onto black says which pixels it covers and how much; drawn in
  // its colour onto the picture, over the texts before it, it leaves the colours the view
  // would have where they are covered whole.
  for (const StampText& t : texts) {
    coverage_.ClearDamage();
    DrawText(coverage_, t.x, t.y, t.face, t.points, kWhite, t.utf8);
    DrawText(picture_, t.x, t.y, t.face, t.points, t.colour, t.utf8);
    const DamageRecord& written = coverage_.Damage();
    if (written.all) {
      exact_ = false;
      boxes_.push_back({0, 0, width, height});
    } else {
      boxes_.insert(boxes_.end(), written.rects.begin(), written.rects.end());
    }
  }
  Merge(boxes_);
  for (const Rect& b : boxes_) {
    for (int y = b.y0; y < b.y1; ++y) {
      Color* cover = coverage_.WriteRow(y);
      Color* mask = mask_.WriteRow(y);
      Color* picture = picture_.WriteRow(y);
      for (int x = b.x0; x < b.x1; ++x) {
        if (cover[x] == kBlack) {
          mask[x] = 0xFFFFFFFF;
          picture[x] = 0;
        } else {
          // Part covered: the pixel would mix with what lies below, which the stamp
          // cannot know.
          if (cover[x] != kWhite) exact_ = false;
          mask[x] = 0;
        }
        cover[x] = kBlack;
      }
    }
  }
}

}  // namespace gfx
