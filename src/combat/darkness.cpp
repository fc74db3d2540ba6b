// The darkness of some floors: a circle of light around the hero, black beyond it.
//
// The two view buffers trade places every tick, so a buffer comes back holding the frame
// of two ticks before. On a dark floor most of that frame is still right: the floor within
// the light, already masked, and black around it. Each buffer keeps a record of what has
// been written into it since (bitmap damage), and of what has been written onto the floor
// picture meanwhile (splats); while the hero stands, only those rectangles are drawn anew.
#include "combat/shots.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "gfx/sprite.h"
#include "state/window_model.h"
#include "state/state.h"
#include "screens/pictures.h"

namespace {

bool IsDarkFloorAt(int dungeon, int floor) {
  switch (dungeon) {
    case 4: return floor >= 0 && floor <= 6;
    case 5: return floor == 4 || floor == 7;
    case 6: return true;
    default: return false;
  }
}

}  // namespace

bool IsDarkFloor() { return IsDarkFloorAt(G.DungeonIndex, G.FloorIndex); }

bool DarknessCoversTheTick() {
  if (!IsDarkFloor()) return false;
  // Game over: no floor events, the mask follows on the same floor.
  if (G.GameMode == kModeGameOver) return true;
  if (G.GameMode != kModePlay) return false;
  // In play the one change of floor within a tick is a stair, one floor up or down; a
  // stair out of the dungeon shows the world map, which draws the whole frame anew.
  const int d = G.DungeonIndex, f = G.FloorIndex;
  return (f == 9 || IsDarkFloorAt(d, f + 1)) && (f == 0 || IsDarkFloorAt(d, f - 1));
}

namespace {

// The mask never changes: it is drawn once, the way the game has always drawn it onto
// Backdrop (black, then a white circle), and copied there in a dark tick after anything
// else has written to Backdrop; a plain copy costs a fraction of the fill and the ellipse,
// and Backdrop ends up holding the same pixels.
// Each of its rows is black, then one white run, then black again, so ANDing a row of the
// view with it clears the row outside the run and keeps the colour bits inside it.
struct Darkness {
  gfx::Bitmap picture;
  int runStart[kViewHeight];
  int runEnd[kViewHeight];  // exclusive; equal to runStart for a row without white
  bool simple = true;  // every row is one run (else the plain AND is used)
};

const Darkness& DarknessPicture() {
  static const Darkness d = [] {
    Darkness m;
    m.picture.Resize(kViewWidth, kViewHeight);
    gfx::FillRect(m.picture, 0, 0, kViewWidth, kViewHeight, gfx::kBlack);
    // A circle of radius 90 around the centre of the hero's cell.
    gfx::FillEllipse(m.picture, 66, 18, 246, 198, gfx::kWhite);
    for (int y = 0; y < kViewHeight; ++y) {
      const gfx::Color* row = m.picture.Row(y);
      int x0 = 0;
      while (x0 < kViewWidth && row[x0] == gfx::kBlack) ++x0;
      int x1 = x0;
      while (x1 < kViewWidth && row[x1] == gfx::kWhite) ++x1;
      for (int x = x1; x < kViewWidth; ++x) m.simple = m.simple && row[x] == gfx::kBlack;
      m.runStart[y] = x0 < kViewWidth ? x0 : 0;
      m.runEnd[y] = x0 < kViewWidth ? x1 : 0;
    }
    return m;
  }();
  return d;
}

typedef uint32_t Four __attribute__((vector_size(16)));
constexpr Four kColourBits = {gfx::kWhite, gfx::kWhite, gfx::kWhite, gfx::kWhite};

typedef uint32_t Eight __attribute__((vector_size(32)));

// d[i] = s[i] & white for n >= 8 pixels of distinct rows, eight at a time.
__attribute__((target("avx"))) void KeepColourBitsWide(gfx::Color* d, const gfx::Color* s, int n) {
  const Eight white = {gfx::kWhite, gfx::kWhite, gfx::kWhite, gfx::kWhite,
                       gfx::kWhite, gfx::kWhite, gfx::kWhite, gfx::kWhite};
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    Eight v;
    std::memcpy(&v, s + i, sizeof v);
    v &= white;
    std::memcpy(d + i, &v, sizeof v);
  }
  Eight v;
  std::memcpy(&v, s + n - 8, sizeof v);
  v &= white;
  std::memcpy(d + n - 8, &v, sizeof v);
}

bool WideVectors() {
  static const bool wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx") != 0);
  return wide;
}

// d[i] = s[i] & white for n pixels, four at a time (an optimised build makes no vectors of
// a plain loop here). The last four are taken as one step even where they overlap the step
// before: keeping bits twice gives the same pixels. s may be d itself.
void KeepColourBits(gfx::Color* d, const gfx::Color* s, int n) {
  if (n < 4) {
    for (int i = 0; i < n; ++i) d[i] = s[i] & gfx::kWhite;
    return;
  }
  const auto step = [&](int i) {
    Four v;
    std::memcpy(&v, s + i, sizeof v);
    v &= kColourBits;
    std::memcpy(d + i, &v, sizeof v);
  };
  if (d != s && n >= 8 && WideVectors()) return KeepColourBitsWide(d, s, n);
  if (d == s) {
    for (int i = 0; i + 4 < n; i += 4) step(i);
    step(n - 4);
  } else {
    int i = 0;
    for (; i + 4 <= n; i += 4) step(i);
    for (; i < n; ++i) d[i] = s[i] & gfx::kWhite;
  }
}

// The columns [x0, x1) of row y of the view as the mask leaves them: black outside the
// light, and inside it the colour bits of `from` (the row itself, or the floor's row).
void MaskSpan(gfx::Bitmap& view, const Darkness& dark, int y, int x0, int x1,
              const gfx::Color* from) {
  gfx::Color* row = view.WriteRow(y);
  const int l0 = std::max(x0, dark.runStart[y]), l1 = std::min(x1, dark.runEnd[y]);
  if (l0 >= l1) {
    std::fill(row + x0, row + x1, gfx::kBlack);
    return;
  }
  std::fill(row + x0, row + l0, gfx::kBlack);
  KeepColourBits(row + l0, (from ? from : row) + l0, l1 - l0);
  std::fill(row + l1, row + x1, gfx::kBlack);
}

// The floor's window at (sx, sy) for a view row, when that window lies wholly on the floor.
const gfx::Color* FloorRow(const gfx::Bitmap& floor, int sx, int sy, int y) {
  return floor.Row(sy + y) + sx;
}

bool WindowOnFloor(const gfx::Bitmap& floor, int sx, int sy) {
  return !floor.Empty() && sx >= 0 && sy >= 0 &&
         static_cast<int64_t>(sx) + kViewWidth <= floor.Width() &&
         static_cast<int64_t>(sy) + kViewHeight <= floor.Height();
}

// What a view buffer held when the lit floor was last drawn into it: the floor's window at
// (sx, sy) masked, black around it. Its damage record says what has been written into it
// since; floorWrites what has been written onto the floor picture since, in floor pixels.
struct LitFrame {
  const gfx::Color* pixels = nullptr;  // which buffer (the pixels travel when buffers trade)
  const gfx::Color* floorPixels = nullptr;
  int sx = 0, sy = 0;
  bool floorAnywhere = true;
  std::vector<gfx::Rect> floorWrites;
};

constexpr size_t kMostFloorWrites = 200;
LitFrame litFrames[2];
int nextLitFrame = 0;

const gfx::Color* PixelsOf(const gfx::Bitmap& b) { return b.Pixels().data(); }

// Hands what has been written onto the floor since the last look to every buffer's record.
void PassOnFloorWrites(gfx::Bitmap& floor) {
  const gfx::DamageRecord& written = floor.Damage();
  for (LitFrame& kept : litFrames) {
    if (kept.floorAnywhere) continue;
    if (written.all || kept.floorWrites.size() + written.rects.size() > kMostFloorWrites) {
      kept.floorAnywhere = true;
      kept.floorWrites.clear();
    } else {
      kept.floorWrites.insert(kept.floorWrites.end(), written.rects.begin(), written.rects.end());
    }
  }
  floor.ClearDamage();
}

LitFrame& LitFrameFor(const gfx::Bitmap& frame) {
  for (LitFrame& kept : litFrames)
    if (kept.pixels == PixelsOf(frame)) return kept;
  LitFrame& fresh = litFrames[nextLitFrame];
  nextLitFrame ^= 1;
  fresh = LitFrame{};
  fresh.pixels = PixelsOf(frame);
  return fresh;
}

// Draws rectangle r of the view (clipped to it) as the finished dark frame has it.
void RedrawRect(gfx::Bitmap& frame, const Darkness& dark, const gfx::Bitmap& floor, int sx, int sy,
                gfx::Rect r) {
  r.x0 = std::max(r.x0, 0), r.y0 = std::max(r.y0, 0);
  r.x1 = std::min(r.x1, kViewWidth), r.y1 = std::min(r.y1, kViewHeight);
  for (int y = r.y0; y < r.y1; ++y)
    if (r.x0 < r.x1) MaskSpan(frame, dark, y, r.x0, r.x1, FloorRow(floor, sx, sy, y));
}

// Rectangle r of the view (clipped to it) made black where it lies outside the light.
void DarkenOutside(gfx::Bitmap& frame, const Darkness& dark, gfx::Rect r) {
  r.x0 = std::max(r.x0, 0), r.y0 = std::max(r.y0, 0);
  r.x1 = std::min(r.x1, kViewWidth), r.y1 = std::min(r.y1, kViewHeight);
  for (int y = r.y0; y < r.y1; ++y) {
    if (r.x0 >= r.x1) break;
    gfx::Color* row = frame.WriteRow(y);
    const int l0 = dark.runStart[y], l1 = dark.runEnd[y];
    if (l0 >= l1) {
      std::fill(row + r.x0, row + r.x1, gfx::kBlack);
      continue;
    }
    if (r.x0 < l0) std::fill(row + r.x0, row + std::min(r.x1, l0), gfx::kBlack);
    if (r.x1 > l1) std::fill(row + std::max(r.x0, l1), row + r.x1, gfx::kBlack);
  }
}

// The view drawn as the finished dark frame has it, row after row: black, the floor's
// colour bits within the light, black. Where the frame's damage record holds, its pixels
// outside the light are black already but for the rectangles written since.
void DrawWholeLitFrame(gfx::Bitmap& frame, const Darkness& dark, const gfx::Bitmap& floor, int sx,
                       int sy) {
  if (WindowOnFloor(floor, sx, sy) && !frame.Damage().all) {
    for (const gfx::Rect& r : frame.Damage().rects) DarkenOutside(frame, dark, r);
    // The floor's rows lie far apart in its picture, too far for the processor to guess
    // the next one: a few rows ahead are asked for while this one is copied.
    constexpr int kAhead = 3;
    for (int y = 0; y < kViewHeight; ++y) {
      if (y + kAhead < kViewHeight) {
        const int a = y + kAhead;
        const gfx::Color* next = FloorRow(floor, sx, sy, a);
        const gfx::Color* out = std::as_const(frame).Row(a);
        for (int x = dark.runStart[a]; x < dark.runEnd[a]; x += 16) {
          __builtin_prefetch(next + x, 0);
          __builtin_prefetch(out + x, 1);
        }
      }
      MaskSpan(frame, dark, y, dark.runStart[y], dark.runEnd[y], FloorRow(floor, sx, sy, y));
    }
    return;
  }
  if (WindowOnFloor(floor, sx, sy)) {
    for (int y = 0; y < kViewHeight; ++y)
      MaskSpan(frame, dark, y, 0, kViewWidth, FloorRow(floor, sx, sy, y));
    return;
  }
  // Near the floor's edges the clipped copy of the whole view does it, then the mask.
  DrawFloorWindowWithin(frame, dark.runStart, dark.runEnd);
  for (int y = 0; y < kViewHeight; ++y) MaskSpan(frame, dark, y, 0, kViewWidth, nullptr);
}

// The revision Backdrop had when the mask was last copied there; none before the first.
bool backdropMasked = false;
uint64_t backdropMaskedAt = 0;

}  // namespace

void DrawLitFloorWindow(gfx::Bitmap& frame) {
  const Darkness& dark = DarknessPicture();
  if (!dark.simple || frame.Width() != kViewWidth || frame.Height() != kViewHeight)
    return DrawFloorWindow(frame);
  gfx::Bitmap& floor = Window.FloorPicture.Picture;
  const int sx = G.HeroX - 144, sy = G.HeroY - 96;  // as DrawFloorWindow places it
  PassOnFloorWrites(floor);
  LitFrame& kept = LitFrameFor(frame);
  const bool stillRight = !frame.Damage().all && !kept.floorAnywhere &&
                          kept.floorPixels == PixelsOf(floor) && kept.sx == sx && kept.sy == sy &&
                          WindowOnFloor(floor, sx, sy);
  if (stillRight) {
    for (const gfx::Rect& r : frame.Damage().rects) RedrawRect(frame, dark, floor, sx, sy, r);
    for (const gfx::Rect& f : kept.floorWrites)
      RedrawRect(frame, dark, floor, sx, sy, {f.x0 - sx, f.y0 - sy, f.x1 - sx, f.y1 - sy});
  } else {
    DrawWholeLitFrame(frame, dark, floor, sx, sy);
  }
  frame.ClearDamage();
  kept.floorPixels = PixelsOf(floor);
  kept.sx = sx, kept.sy = sy;
  kept.floorAnywhere = false;
  kept.floorWrites.clear();
  // Until the mask, sprites wholly in the dark are not drawn either.
  static gfx::LitStretches lit;
  lit = {&frame, dark.runStart, dark.runEnd, kViewHeight};
  gfx::SetLitStretches(&lit);
}

void DarknessMask() {
  // What is drawn from here on is seen wherever it lies.
  gfx::SetLitStretches(nullptr);
  const Darkness& dark = DarknessPicture();
  gfx::Bitmap& backdrop = Window.Backdrop.Picture;
  gfx::Bitmap& view = Window.Frame.Picture;
  if (!dark.simple || view.Width() != kViewWidth || view.Height() < kViewHeight) {
    if (backdrop.Width() != kViewWidth || backdrop.Height() != kViewHeight) backdrop.Resize(kViewWidth, kViewHeight);
    gfx::BitBlt(backdrop, 0, 0, kViewWidth, kViewHeight, &dark.picture, 0, 0, gfx::Rop::Copy);
    gfx::BitBlt(view, 0, 0, kViewWidth, kViewHeight, &backdrop, 0, 0, gfx::Rop::And);
    return;
  }
  // The view ANDed with the mask, the mask taken from its runs: black clears the row
  // outside the run, white keeps the colour bits inside it. Where the view keeps a damage
  // record, its pixels outside the record are masked already (the lit floor drew them so).
  const gfx::DamageRecord& written = view.Damage();
  if (view.Height() == kViewHeight && !written.all) {
    for (gfx::Rect r : written.rects) {
      r.x1 = std::min(r.x1, kViewWidth), r.y1 = std::min(r.y1, kViewHeight);
      for (int y = r.y0; y < r.y1; ++y)
        if (r.x0 < r.x1) MaskSpan(view, dark, y, r.x0, r.x1, nullptr);
    }
  } else {
    for (int y = 0; y < kViewHeight; ++y) MaskSpan(view, dark, y, 0, kViewWidth, nullptr);
  }
  // Backdrop is given the mask, as the game has always drawn it there; while nothing has
  // written to Backdrop since the last copy it still holds it, and the copy is left out.
  const bool sized = backdrop.Width() == kViewWidth && backdrop.Height() == kViewHeight;
  if (!sized || !backdropMasked || backdrop.Revision() != backdropMaskedAt) {
    if (!sized) backdrop.Resize(kViewWidth, kViewHeight);
    gfx::BitBlt(backdrop, 0, 0, kViewWidth, kViewHeight, &dark.picture, 0, 0, gfx::Rop::Copy);
    backdropMasked = true;
    backdropMaskedAt = backdrop.Revision();
  }
}
