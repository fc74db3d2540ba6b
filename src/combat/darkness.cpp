// The darkness of some floors: a circle of light around the hero, black beyond it.
//
// The two view buffers trade places every tick, so a buffer comes back holding the frame
// of two ticks before. On a dark floor most of that frame is still right: the floor within
// the light, already masked, and black around it. Each buffer keeps a record of what has
// been written into it since (bitmap damage), and of what has been written onto the floor
// picture meanwhile (splats); while the hero stands, only those rectangles are drawn anew.
#include "combat/shots.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
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

// The view is worked on in blocks of 8 pixels, a row's blocks as the bits of one word.
constexpr int kBlock = 8;
constexpr int kBlocks = kViewWidth / kBlock;
static_assert(kViewWidth % kBlock == 0 && kBlocks <= 64, "a row's blocks fit one word");
constexpr uint64_t kEveryBlock = kBlocks == 64 ? ~uint64_t{0} : (uint64_t{1} << kBlocks) - 1;

// The blocks [x0, x1) reaches, x0 < x1 within the view.
uint64_t BlocksOf(int x0, int x1) {
  const int b0 = x0 / kBlock, b1 = (x1 - 1) / kBlock;  // inclusive
  const uint64_t upTo = b1 == 63 ? ~uint64_t{0} : (uint64_t{1} << (b1 + 1)) - 1;
  return upTo & ~((uint64_t{1} << b0) - 1);
}

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
  uint64_t lightBlocks[kViewHeight];  // the blocks that hold any of the run
  int widest = -1;     // the widest row, when the runs are nested around it (else -1)
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
      const int l0 = m.runStart[y], l1 = m.runEnd[y];
      m.lightBlocks[y] = l0 < l1 ? BlocksOf(l0, l1) : 0;
    }
    // A circle's runs are nested: each within the next one toward its widest row.
    const auto width = [&](int y) { return m.runEnd[y] - m.runStart[y]; };
    const auto within = [&](int inner, int outer) {
      return width(inner) == 0 ||
             (m.runStart[outer] <= m.runStart[inner] && m.runEnd[inner] <= m.runEnd[outer]);
    };
    int widest = 0;
    for (int y = 1; y < kViewHeight; ++y)
      if (width(y) > width(widest)) widest = y;
    bool nested = true;
    for (int y = 0; y < widest; ++y) nested = nested && within(y, y + 1);
    for (int y = widest + 1; y < kViewHeight; ++y) nested = nested && within(y, y - 1);
    m.widest = nested ? widest : -1;
    return m;
  }();
  return d;
}

// Four pixels in one 16-byte vector, which every x86-64 has; wider generic vectors would
// go through memory where the processor has no 32-byte registers.
typedef uint32_t Four __attribute__((vector_size(16)));
constexpr Four kColourBits = {gfx::kWhite, gfx::kWhite, gfx::kWhite, gfx::kWhite};

inline Four Load(const gfx::Color* p) {
  Four v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(gfx::Color* p, Four v) { std::memcpy(p, &v, sizeof v); }

// n pixels made black, or given the colour bits of `from` (which may be d itself), eight
// at a time; the last eight are taken as one step even where they overlap the step before,
// which gives the same pixels.
inline void Blacken(gfx::Color* d, int n) {
  if (n < kBlock) {
    for (int i = 0; i < n; ++i) d[i] = gfx::kBlack;
    return;
  }
  const Four black = {};
  for (int i = 0; i < n - kBlock; i += kBlock) Store(d + i, black), Store(d + i + 4, black);
  Store(d + n - 8, black), Store(d + n - 4, black);
}

inline void KeepColourBits(gfx::Color* d, const gfx::Color* from, int n) {
  if (n < kBlock) {
    for (int i = 0; i < n; ++i) d[i] = from[i] & gfx::kWhite;
    return;
  }
  const Four t0 = Load(from + n - 8) & kColourBits, t1 = Load(from + n - 4) & kColourBits;
  for (int i = 0; i < n - kBlock; i += kBlock) {
    const Four v0 = Load(from + i) & kColourBits, v1 = Load(from + i + 4) & kColourBits;
    Store(d + i, v0), Store(d + i + 4, v1);
  }
  Store(d + n - 8, t0), Store(d + n - 4, t1);
}

// The blocks `blocks` of view row y as the mask leaves them: black outside the light, and
// within it the colour bits of `from` (the row itself, or the floor's row for it). Each
// stretch of neighbouring blocks is done at once: black, light, black.
void MaskBlocks(gfx::Bitmap& view, const Darkness& dark, int y, uint64_t blocks,
                const gfx::Color* from) {
  if (!blocks) return;
  gfx::Color* row = view.WriteRow(y);
  if (!from) from = row;
  const int l0 = dark.runStart[y], l1 = dark.runEnd[y];
  while (blocks) {
    const int b0 = __builtin_ctzll(blocks);
    const uint64_t above = ~(blocks >> b0);
    const int n = above ? __builtin_ctzll(above) : 64 - b0;
    blocks = b0 + n >= 64 ? 0 : blocks & (~uint64_t{0} << (b0 + n));
    const int x0 = b0 * kBlock, x1 = (b0 + n) * kBlock;
    const int a = l0 < l1 ? std::clamp(l0, x0, x1) : x1, b = l0 < l1 ? std::clamp(l1, x0, x1) : x1;
    Blacken(row + x0, a - x0);
    KeepColourBits(row + a, from + a, b - a);
    Blacken(row + b, x1 - b);
  }
}

// Where a view buffer has been written, row by row, as the blocks any written rectangle
// reaches. A crowd writes a few hundred small rectangles that overlap one another (a coin
// under an item, a monster under its markers); one pass over each row's blocks costs far
// less than one over each rectangle's rows. Redrawing a whole block is harmless: its pixels
// outside the rectangles already hold what the redraw gives them.
struct WrittenBlocks {
  uint64_t row[kViewHeight] = {};

  // Rectangle r moved by (dx, dy), clipped to the view.
  void Add(const gfx::Rect& r, int dx = 0, int dy = 0) {
    const int x0 = std::max(r.x0 + dx, 0), x1 = std::min(r.x1 + dx, kViewWidth);
    const int y0 = std::max(r.y0 + dy, 0), y1 = std::min(r.y1 + dy, kViewHeight);
    if (x0 >= x1 || y0 >= y1) return;
    const uint64_t bits = BlocksOf(x0, x1);
    for (int y = y0; y < y1; ++y) row[y] |= bits;
  }
  void Add(const std::vector<gfx::Rect>& rects) {
    for (const gfx::Rect& r : rects) Add(r);
  }
};

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

// The view drawn as the finished dark frame has it: black, the floor's colour bits within
// the light, black. Where the frame's damage record holds, its pixels outside the light are
// black already but for the blocks written since, and only the light and those are drawn.
void DrawWholeLitFrame(gfx::Bitmap& frame, const Darkness& dark, const gfx::Bitmap& floor, int sx,
                       int sy) {
  if (WindowOnFloor(floor, sx, sy)) {
    WrittenBlocks written;
    if (frame.Damage().all) std::fill(std::begin(written.row), std::end(written.row), kEveryBlock);
    else written.Add(frame.Damage().rects);
    // The floor's rows lie far apart in its picture, too far for the processor to guess
    // the next one: a few rows ahead are asked for while this one is drawn.
    constexpr int kAhead = 8;
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
      MaskBlocks(frame, dark, y, written.row[y] | dark.lightBlocks[y], FloorRow(floor, sx, sy, y));
    }
    return;
  }
  // Near the floor's edges the clipped copy of the whole view does it, then the mask.
  DrawFloorWindowWithin(frame, dark.runStart, dark.runEnd);
  for (int y = 0; y < kViewHeight; ++y) MaskBlocks(frame, dark, y, kEveryBlock, nullptr);
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
    WrittenBlocks written;
    written.Add(frame.Damage().rects);
    for (const gfx::Rect& f : kept.floorWrites) written.Add(f, -sx, -sy);
    for (int y = 0; y < kViewHeight; ++y)
      MaskBlocks(frame, dark, y, written.row[y], FloorRow(floor, sx, sy, y));
  } else {
    DrawWholeLitFrame(frame, dark, floor, sx, sy);
  }
  frame.ClearDamage();
  kept.floorPixels = PixelsOf(floor);
  kept.sx = sx, kept.sy = sy;
  kept.floorAnywhere = false;
  kept.floorWrites.clear();
  // Until the mask, sprites are drawn only where the light falls, as the mask leaves them.
  static gfx::LitStretches lit;
  gfx::SetLitStretches(nullptr);
  lit.target = &frame;
  lit.start = dark.runStart, lit.end = dark.runEnd, lit.rows = kViewHeight;
  lit.widest = dark.widest;
  gfx::SetLitStretches(&lit);
}

void DarknessMask() {
  const Darkness& dark = DarknessPicture();
  gfx::Bitmap& backdrop = Window.Backdrop.Picture;
  gfx::Bitmap& view = Window.Frame.Picture;
  // Where the view keeps a damage record, its pixels outside the record are masked already:
  // the lit floor and the sprites since were drawn so. The record is read before the lit
  // stretches end and hand those sprites on to it.
  const bool recorded = dark.simple && view.Width() == kViewWidth &&
                        view.Height() == kViewHeight && !view.Damage().all;
  WrittenBlocks blocks;
  if (recorded) blocks.Add(view.Damage().rects);
  // What is drawn from here on is seen wherever it lies.
  gfx::SetLitStretches(nullptr);
  if (!dark.simple || view.Width() != kViewWidth || view.Height() < kViewHeight) {
    if (backdrop.Width() != kViewWidth || backdrop.Height() != kViewHeight) backdrop.Resize(kViewWidth, kViewHeight);
    gfx::BitBlt(backdrop, 0, 0, kViewWidth, kViewHeight, &dark.picture, 0, 0, gfx::Rop::Copy);
    gfx::BitBlt(view, 0, 0, kViewWidth, kViewHeight, &backdrop, 0, 0, gfx::Rop::And);
    return;
  }
  // The view ANDed with the mask, the mask taken from its runs: black clears the row
  // outside the run, white keeps the colour bits inside it.
  for (int y = 0; y < kViewHeight; ++y)
    MaskBlocks(view, dark, y, recorded ? blocks.row[y] : kEveryBlock, nullptr);
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
