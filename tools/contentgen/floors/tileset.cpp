// The 64 floor tiles, drawn in code: floors are seamless textures (no outlines, so rooms
// read as one surface), walls are outlined blocks with a light upper and a dark lower edge,
// and objects standing on a floor get a dark outline and two or three steps of shading,
// like the sprites that walk over them.
#include "tileset.h"

#include <array>
#include <cmath>
#include <map>
#include <stdexcept>

namespace floors {

namespace {

using gfx::Color;
using gfx::Rgb;

constexpr int N = kTilePixels;

uint32_t Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

struct Ramp {
  Color outline, dark, mid, light;
};

// Shared colours. Every tile draws from these few ramps, which keeps the set coherent and
// the palette well under 256 colours.
constexpr Color kInk = Rgb(20, 16, 24);
const Ramp kGrassR{Rgb(30, 76, 38), Rgb(52, 118, 50), Rgb(76, 150, 60), Rgb(120, 186, 82)};
const Ramp kLeafR{Rgb(10, 32, 20), Rgb(22, 66, 36), Rgb(38, 98, 46), Rgb(80, 146, 64)};
const Ramp kBarkR{Rgb(40, 26, 16), Rgb(76, 50, 30), Rgb(108, 74, 44), Rgb(140, 100, 62)};
const Ramp kDirtR{Rgb(82, 58, 36), Rgb(128, 94, 60), Rgb(154, 118, 78), Rgb(184, 150, 104)};
const Ramp kStoneR{Rgb(40, 40, 50), Rgb(92, 92, 104), Rgb(128, 128, 138), Rgb(176, 176, 184)};
const Ramp kWaterR{Rgb(20, 40, 96), Rgb(36, 78, 158), Rgb(56, 112, 196), Rgb(150, 200, 240)};
const Ramp kCaveFloorR{Rgb(58, 48, 46), Rgb(96, 82, 74), Rgb(114, 98, 86), Rgb(136, 120, 104)};
const Ramp kCaveWallR{Rgb(18, 14, 20), Rgb(44, 36, 42), Rgb(62, 52, 58), Rgb(88, 76, 78)};
const Ramp kFlagR{Rgb(54, 54, 64), Rgb(104, 104, 114), Rgb(124, 124, 134), Rgb(150, 150, 158)};
const Ramp kBrickR{Rgb(34, 24, 28), Rgb(70, 52, 56), Rgb(96, 72, 74), Rgb(126, 100, 96)};
const Ramp kMineFloorR{Rgb(74, 54, 36), Rgb(112, 86, 58), Rgb(130, 102, 70), Rgb(150, 122, 86)};
const Ramp kMineWallR{Rgb(26, 20, 16), Rgb(58, 46, 38), Rgb(80, 64, 50), Rgb(106, 86, 66)};
const Ramp kTimberR{Rgb(48, 30, 14), Rgb(106, 72, 36), Rgb(140, 98, 52), Rgb(176, 130, 74)};
const Ramp kMudR{Rgb(50, 48, 26), Rgb(96, 96, 54), Rgb(114, 112, 64), Rgb(138, 134, 80)};
const Ramp kBogR{Rgb(10, 22, 20), Rgb(22, 40, 34), Rgb(32, 56, 44), Rgb(70, 100, 64)};
// Dusky sand and old gold: white text with a one-pixel shadow must stay readable on them.
const Ramp kSandR{Rgb(118, 88, 48), Rgb(164, 132, 80), Rgb(178, 146, 94), Rgb(198, 170, 118)};
const Ramp kSandstoneR{Rgb(86, 54, 30), Rgb(150, 102, 58), Rgb(178, 128, 76), Rgb(208, 160, 100)};
const Ramp kCactusR{Rgb(18, 52, 30), Rgb(40, 104, 52), Rgb(64, 140, 66), Rgb(130, 190, 100)};
const Ramp kLavaR{Rgb(60, 18, 14), Rgb(190, 50, 12), Rgb(242, 128, 24), Rgb(255, 222, 96)};
const Ramp kLairFloorR{Rgb(60, 34, 38), Rgb(98, 62, 62), Rgb(116, 76, 74), Rgb(138, 96, 88)};
const Ramp kLairWallR{Rgb(22, 10, 16), Rgb(48, 24, 34), Rgb(68, 36, 46), Rgb(94, 56, 62)};
const Ramp kBoneR{Rgb(70, 60, 48), Rgb(176, 164, 136), Rgb(212, 202, 176), Rgb(244, 238, 220)};
const Ramp kSlimeR{Rgb(24, 60, 22), Rgb(74, 140, 48), Rgb(110, 186, 64), Rgb(180, 236, 120)};
const Ramp kSteelR{Rgb(34, 38, 48), Rgb(90, 98, 112), Rgb(114, 122, 136), Rgb(150, 158, 172)};
const Ramp kDarkSteelR{Rgb(16, 18, 26), Rgb(46, 52, 64), Rgb(66, 74, 88), Rgb(94, 104, 120)};
const Ramp kCopperR{Rgb(56, 28, 14), Rgb(140, 72, 36), Rgb(184, 108, 56), Rgb(230, 164, 104)};
const Ramp kGoldR{Rgb(96, 64, 20), Rgb(186, 142, 52), Rgb(212, 172, 72), Rgb(244, 212, 120)};
const Ramp kGoldFloorR{Rgb(78, 52, 18), Rgb(146, 110, 40), Rgb(166, 130, 54), Rgb(196, 160, 84)};
const Ramp kDeepGoldR{Rgb(42, 26, 12), Rgb(92, 62, 26), Rgb(120, 84, 34), Rgb(160, 118, 48)};
const Ramp kCarpetR{Rgb(70, 14, 22), Rgb(140, 28, 38), Rgb(176, 42, 50), Rgb(210, 80, 70)};
const Color kYellow = Rgb(250, 214, 60);
const Color kWhite = Rgb(248, 248, 240);
const Color kPink = Rgb(236, 130, 170);
const Color kCyan = Rgb(110, 230, 236);
const Color kViolet = Rgb(170, 110, 230);

struct Canvas {
  std::array<Color, N * N> px{};
  void Fill(Color c) { px.fill(c); }
  void Set(int x, int y, Color c) {
    if (x >= 0 && y >= 0 && x < N && y < N) px[y * N + x] = c;
  }
  // Wrapping write for texture details that cross the tile's edge (keeps floors seamless).
  void Wrap(int x, int y, Color c) { px[((y % N + N) % N) * N + (x % N + N) % N] = c; }
  Color Get(int x, int y) const { return px[y * N + x]; }
  void Rect(int x0, int y0, int x1, int y1, Color c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Set(x, y, c);
  }
  void HLine(int x0, int x1, int y, Color c) { Rect(x0, y, x1, y, c); }
  void VLine(int x, int y0, int y1, Color c) { Rect(x, y0, x, y1, c); }
  void Ellipse(double cx, double cy, double rx, double ry, Color c) {
    for (int y = 0; y < N; ++y)
      for (int x = 0; x < N; ++x) {
        double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
      }
  }
  // An object seen from above: outline, dark body, lit upper-left part, a highlight.
  void Blob(double cx, double cy, double rx, double ry, const Ramp& r) {
    Ellipse(cx, cy, rx + 1, ry + 1, r.outline);
    Ellipse(cx, cy, rx, ry, r.dark);
    Ellipse(cx - rx * 0.18, cy - ry * 0.2, rx * 0.72, ry * 0.7, r.mid);
    Ellipse(cx - rx * 0.4, cy - ry * 0.42, rx * 0.28, ry * 0.26, r.light);
  }
  void Speckle(int seed, Color c, int per256) {
    for (int y = 0; y < N; ++y)
      for (int x = 0; x < N; ++x)
        if (static_cast<int>(Hash(x, y, seed) & 255) < per256) Set(x, y, c);
  }
  // Small two-pixel marks with a shadow pixel below, seamless.
  void Pebbles(int seed, int count, const Ramp& r) {
    for (int i = 0; i < count; ++i) {
      int x = Hash(i, 1, seed) % N, y = Hash(i, 2, seed) % N;
      Wrap(x, y, r.light);
      Wrap(x + 1, y, r.mid);
      Wrap(x, y + 1, r.dark);
      Wrap(x + 1, y + 1, r.outline);
    }
  }
};

// Irregular stones of a natural wall: Voronoi cells on a wrapping 24 x 24 torus, outlined,
// lit on their upper and left edges, shaded on their lower edges.
void Stones(Canvas& cv, int seed, int count, const Ramp& r) {
  std::vector<std::pair<int, int>> pts;
  for (int i = 0; i < count; ++i) pts.push_back({int(Hash(i, 7, seed) % N), int(Hash(i, 9, seed) % N)});
  auto id = [&](int x, int y) {
    x = (x % N + N) % N;
    y = (y % N + N) % N;
    int best = 0, bd = 1 << 30;
    for (int i = 0; i < count; ++i) {
      int dx = std::abs(x - pts[i].first), dy = std::abs(y - pts[i].second);
      dx = std::min(dx, N - dx);
      dy = std::min(dy, N - dy);
      int d = dx * dx + dy * dy;
      if (d < bd) bd = d, best = i;
    }
    return best;
  };
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      int k = id(x, y);
      Color c = (k % 3 == 0) ? r.dark : r.mid;
      if (id(x + 1, y) != k || id(x, y + 1) != k) c = r.outline;
      else if (id(x, y - 1) != k || id(x - 1, y) != k) c = r.light;
      else if (id(x, y + 2) != k) c = r.dark;
      cv.Set(x, y, c);
    }
}

// Courses of bricks (bw x bh, every other course shifted by half a brick), each brick
// bevelled; mortar in the outline colour.
void Bricks(Canvas& cv, int bw, int bh, const Ramp& r, int seed) {
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      int course = y / bh;
      int sx = (x + (course % 2) * (bw / 2)) % N;
      int bx = sx % bw, by = y % bh;
      int brick = sx / bw + course * 7;
      Color c = (Hash(brick, course, seed) % 4 == 0) ? r.dark : r.mid;
      if (by == bh - 1 || bx == bw - 1) c = r.outline;
      else if (by == 0 || bx == 0) c = r.light;
      else if (by == bh - 2) c = r.dark;
      cv.Set(x, y, c);
    }
}

// Square floor slabs (size s), bevelled, tones varying from slab to slab.
void Slabs(Canvas& cv, int s, const Ramp& r, int seed, bool checker) {
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      int sx = x / s, sy = y / s, bx = x % s, by = y % s;
      Color c = checker ? (((sx + sy) & 1) ? r.dark : r.mid)
                        : ((Hash(sx, sy, seed) % 3 == 0) ? r.dark : r.mid);
      if (bx == s - 1 || by == s - 1) c = r.outline;
      else if (bx == 0 || by == 0) c = r.light;
      cv.Set(x, y, c);
    }
}

void Grass(Canvas& cv, int seed, const Ramp& r = kGrassR) {
  cv.Fill(r.mid);
  cv.Speckle(seed, r.dark, 34);
  cv.Speckle(seed + 1, r.light, 18);
  for (int i = 0; i < 7; ++i) {  // tufts
    int x = Hash(i, 3, seed) % N, y = Hash(i, 4, seed) % N;
    cv.Wrap(x, y, r.light);
    cv.Wrap(x, y + 1, r.mid);
    cv.Wrap(x - 1, y + 1, r.dark);
    cv.Wrap(x + 1, y + 1, r.dark);
  }
}

void Dirt(Canvas& cv, int seed, const Ramp& r) {
  cv.Fill(r.mid);
  cv.Speckle(seed, r.dark, 40);
  cv.Speckle(seed + 1, r.light, 16);
}

void Water(Canvas& cv, int seed, const Ramp& r) {
  cv.Fill(r.mid);
  cv.Speckle(seed, r.dark, 40);
  for (int i = 0; i < 5; ++i) {  // wave crests
    int x = Hash(i, 5, seed) % N, y = Hash(i, 6, seed) % N;
    for (int k = 0; k < 4; ++k) cv.Wrap(x + k, y, k == 0 || k == 3 ? r.mid : r.light);
    for (int k = 1; k < 3; ++k) cv.Wrap(x + k, y + 1, r.dark);
  }
}

void Lava(Canvas& cv, int seed) {
  // Glowing cracks between dark crust plates: the crust is the wall-stone pattern turned
  // inside out, the outline becoming the glow.
  Ramp crust{kLavaR.light, Rgb(74, 30, 22), Rgb(96, 40, 26), kLavaR.mid};
  Stones(cv, seed, 6, crust);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x)
      if (cv.Get(x, y) == kLavaR.light) {
        if (Hash(x, y, seed + 3) % 3 == 0) cv.Set(x, y, kLavaR.mid);
        if (y + 1 < N && cv.Get(x, y + 1) != kLavaR.light && cv.Get(x, y + 1) != kLavaR.mid)
          cv.Set(x, y + 1, kLavaR.dark);
      }
}

// A flight of steps set into a frame. down: the steps sink into darkness toward the bottom;
// up: they rise toward a lit top step. The frame colours tell the rough (cut rock) from the
// built (steel and gold) pair.
void Stairs(Canvas& cv, bool down, const Ramp& frame, const Ramp& steps, Color trim) {
  cv.Fill(frame.mid);
  cv.Rect(0, 0, 23, 0, frame.light);
  cv.Rect(0, 0, 0, 23, frame.light);
  cv.Rect(0, 23, 23, 23, frame.outline);
  cv.Rect(23, 0, 23, 23, frame.outline);
  cv.Rect(1, 22, 22, 22, frame.dark);
  cv.Rect(3, 3, 20, 20, kInk);
  const Color downTones[5] = {steps.light, steps.mid, steps.dark, steps.outline, kInk};
  const Color upTones[5] = {kWhite, steps.light, steps.mid, steps.dark, steps.outline};
  for (int i = 0; i < 5; ++i) {
    int y0 = 4 + i * 3;
    Color tone = down ? downTones[i] : upTones[i];
    int inset = down ? i : 4 - i;  // the far end of the flight looks narrower
    cv.Rect(4 + inset, y0, 19 - inset, y0 + 1, tone);
    cv.Rect(4 + inset, y0 + 2, 19 - inset, y0 + 2, down ? kInk : steps.outline);
  }
  // Side posts in the trim colour.
  cv.Rect(2, 2, 2, 21, trim);
  cv.Rect(21, 2, 21, 21, trim);
  // A small arrow on the landing: pointing into the flight.
  if (down) {
    cv.Set(11, 20, trim), cv.Set(12, 20, trim);
    cv.HLine(10, 13, 19, trim);
  } else {
    cv.Set(11, 1, trim), cv.Set(12, 1, trim);
    cv.HLine(10, 13, 2, trim);
  }
}

void Bone(Canvas& cv, int x0, int y0, int len, bool vertical) {
  for (int k = 0; k < len; ++k) {
    int x = vertical ? x0 : x0 + k, y = vertical ? y0 + k : y0;
    cv.Set(x, y, kBoneR.light);
    cv.Set(vertical ? x + 1 : x, vertical ? y : y + 1, kBoneR.outline);
  }
  int ex = vertical ? x0 : x0 + len - 1, ey = vertical ? y0 + len - 1 : y0;
  cv.Set(x0 - (vertical ? 1 : 0), y0 - (vertical ? 0 : 1), kBoneR.mid);
  cv.Set(ex + (vertical ? 1 : 0), ey + (vertical ? 0 : 1), kBoneR.mid);
}

void Skull(Canvas& cv, int cx, int cy) {
  cv.Ellipse(cx, cy, 4, 3.6, kBoneR.outline);
  cv.Ellipse(cx, cy, 3, 2.8, kBoneR.mid);
  cv.Ellipse(cx - 0.8, cy - 0.8, 1.8, 1.5, kBoneR.light);
  cv.Set(int(cx) - 2, int(cy), kInk);
  cv.Set(int(cx) + 1, int(cy), kInk);
  cv.Set(int(cx) - 1, int(cy) + 2, kBoneR.dark);
  cv.Set(int(cx), int(cy) + 2, kBoneR.dark);
}

void Flame(Canvas& cv, int cx, int cy) {
  cv.Ellipse(cx, cy, 3.5, 5, kLavaR.dark);
  cv.Ellipse(cx, cy + 1, 2.5, 3.5, kLavaR.mid);
  cv.Ellipse(cx, cy + 2, 1.2, 2, kLavaR.light);
}

void PaintGrass(Canvas& cv) {
  Grass(cv, 11);
}

void PaintFlowers(Canvas& cv) {
  Grass(cv, 12);
  for (int i = 0; i < 5; ++i) {
    int x = 3 + Hash(i, 1, 40) % 18, y = 3 + Hash(i, 2, 40) % 18;
    Color petal = (i % 2) ? kWhite : kPink;
    cv.Set(x - 1, y, petal), cv.Set(x + 1, y, petal), cv.Set(x, y - 1, petal);
    cv.Set(x, y + 1, petal), cv.Set(x, y, kYellow), cv.Set(x + 1, y + 1, kGrassR.outline);
  }
}

void PaintDirtPath(Canvas& cv) {
  Dirt(cv, 13, kDirtR);
  cv.Pebbles(14, 4, kStoneR);
}

void PaintTree(Canvas& cv) {
  Grass(cv, 15, Ramp{kLeafR.outline, kLeafR.outline, kGrassR.outline, kGrassR.dark});
  cv.Rect(10, 16, 13, 22, kBarkR.outline);
  cv.Rect(11, 16, 12, 21, kBarkR.mid);
  cv.Blob(12, 10.5, 10.5, 9.5, kLeafR);
  for (int i = 0; i < 6; ++i)  // leaf clusters
    cv.Set(5 + Hash(i, 3, 16) % 14, 4 + Hash(i, 4, 16) % 11, kLeafR.light);
}

void PaintBoulder(Canvas& cv) {
  Grass(cv, 17);
  cv.Ellipse(12, 18, 10, 4, kGrassR.outline);
  cv.Blob(12, 12.5, 9, 8, kStoneR);
}

void PaintPond(Canvas& cv) {
  Water(cv, 18, kWaterR);
}

void PaintFence(Canvas& cv) {
  Grass(cv, 19);
  for (int y : {8, 15}) {
    cv.Rect(0, y - 1, 23, y + 2, kBarkR.outline);
    cv.Rect(0, y, 23, y, kBarkR.light);
    cv.Rect(0, y + 1, 23, y + 1, kBarkR.mid);
  }
  for (int x : {4, 17}) {
    cv.Rect(x - 1, 4, x + 3, 21, kBarkR.outline);
    cv.Rect(x, 5, x + 2, 20, kBarkR.mid);
    cv.Rect(x, 5, x, 20, kBarkR.light);
  }
}

void PaintSpring(Canvas& cv) {
  cv.Fill(kFlagR.mid);
  cv.Speckle(20, kFlagR.dark, 40);
  cv.Ellipse(12, 12, 11.5, 11.5, kFlagR.outline);
  cv.Ellipse(12, 12, 10.5, 10.5, kFlagR.light);
  cv.Ellipse(12, 12.5, 9, 9, kWaterR.outline);
  cv.Ellipse(12, 12.5, 8, 8, kWaterR.mid);
  cv.Ellipse(12, 12.5, 5.5, 5.5, kWaterR.light);
  cv.Ellipse(12, 12.5, 4, 4, kWaterR.mid);
  cv.Ellipse(12, 12.5, 1.6, 1.6, kCyan);
  cv.Set(7, 8, kWhite), cv.Set(16, 15, kWhite), cv.Set(15, 7, kWhite), cv.Set(12, 4, kWhite);
}

void PaintCaveFloor(Canvas& cv) {
  Dirt(cv, 21, kCaveFloorR);
  for (int i = 0; i < 3; ++i) {  // hairline cracks
    int x = Hash(i, 1, 22) % N, y = Hash(i, 2, 22) % N;
    for (int k = 0; k < 4; ++k) cv.Wrap(x + k, y + (k / 2), kCaveFloorR.outline);
  }
}

void PaintCavePebbles(Canvas& cv) {
  Dirt(cv, 23, kCaveFloorR);
  cv.Pebbles(24, 9, kStoneR);
}

void PaintCaveWall(Canvas& cv) {
  Stones(cv, 25, 7, kCaveWallR);
}

void PaintStalagmite(Canvas& cv) {
  Dirt(cv, 26, kCaveFloorR);
  cv.Ellipse(12, 20, 9, 3, kCaveFloorR.outline);
  for (int y = 2; y <= 21; ++y) {
    int half = (y - 2) * 8 / 19;
    cv.HLine(12 - half - 1, 12 + half + 1, y, kInk);
    cv.HLine(12 - half, 12 + half, y, kStoneR.mid);
    cv.HLine(12 + half / 2 + 1, 12 + half, y, kStoneR.dark);
    if (half > 1) cv.HLine(12 - half + 1, 12 - half / 2, y, kStoneR.light);
  }
}

void PaintPrisonFloor(Canvas& cv) {
  Slabs(cv, 12, kFlagR, 27, false);
  cv.Speckle(28, kFlagR.dark, 16);
}

void PaintPrisonWall(Canvas& cv) {
  Bricks(cv, 8, 6, kBrickR, 29);
}

void PaintPrisonBars(Canvas& cv) {
  cv.Fill(Rgb(30, 28, 36));
  cv.Speckle(30, kBrickR.outline, 40);
  for (int y : {3, 19}) {
    cv.Rect(0, y - 1, 23, y + 1, kInk);
    cv.HLine(0, 23, y, kSteelR.mid);
  }
  for (int x = 2; x < 24; x += 6) {
    cv.Rect(x - 1, 0, x + 2, 23, kInk);
    cv.Rect(x, 0, x, 23, kSteelR.light);
    cv.Rect(x + 1, 0, x + 1, 23, kSteelR.dark);
  }
}

void PaintPrisonStraw(Canvas& cv) {
  Slabs(cv, 12, kFlagR, 27, false);
  for (int i = 0; i < 16; ++i) {
    int x = Hash(i, 1, 31) % N, y = Hash(i, 2, 31) % N, len = 3 + Hash(i, 3, 31) % 4;
    bool diag = Hash(i, 4, 31) & 1;
    for (int k = 0; k < len; ++k) cv.Wrap(x + k, y + (diag ? k / 2 : 0), (k & 1) ? kSandR.mid : kSandR.light);
  }
}

void PaintMineFloor(Canvas& cv) {
  Dirt(cv, 32, kMineFloorR);
  cv.Pebbles(33, 3, kMineWallR);
}

void PaintMineWall(Canvas& cv) {
  Stones(cv, 34, 6, kMineWallR);
  for (int i = 0; i < 3; ++i) {  // glints of ore
    int x = Hash(i, 1, 35) % 22, y = Hash(i, 2, 35) % 22;
    cv.Set(x, y, kGoldR.light);
    cv.Set(x + 1, y + 1, kGoldR.dark);
  }
}

void PaintMineRails(Canvas& cv) {
  Dirt(cv, 32, kMineFloorR);
  for (int y = 1; y < N; y += 6) {
    cv.Rect(3, y, 20, y + 2, kTimberR.outline);
    cv.Rect(3, y, 20, y + 1, kTimberR.mid);
    cv.HLine(3, 20, y, kTimberR.light);
  }
  for (int x : {6, 16}) {
    cv.Rect(x, 0, x + 1, 23, kSteelR.light);
    cv.Rect(x + 2, 0, x + 2, 23, kSteelR.outline);
  }
}

void PaintMineTimber(Canvas& cv) {
  Stones(cv, 34, 6, kMineWallR);
  cv.Rect(0, 2, 23, 7, kTimberR.outline);
  cv.Rect(0, 3, 23, 5, kTimberR.mid);
  cv.HLine(0, 23, 3, kTimberR.light);
  for (int x : {3, 17}) {
    cv.Rect(x - 1, 2, x + 4, 23, kTimberR.outline);
    cv.Rect(x, 3, x + 3, 23, kTimberR.mid);
    cv.Rect(x, 3, x, 23, kTimberR.light);
    cv.Rect(x + 3, 8, x + 3, 23, kTimberR.dark);
  }
}

void PaintSwampMud(Canvas& cv) {
  Dirt(cv, 36, kMudR);
  cv.Pebbles(37, 2, kMudR);
}

void PaintSwampBog(Canvas& cv) {
  Water(cv, 38, kBogR);
  for (int i = 0; i < 3; ++i) {  // bubbles
    int x = Hash(i, 1, 39) % N, y = Hash(i, 2, 39) % N;
    cv.Wrap(x, y, kMudR.light);
    cv.Wrap(x + 1, y + 1, kBogR.outline);
  }
}

void PaintSwampReeds(Canvas& cv) {
  Dirt(cv, 36, kMudR);
  for (int i = 0; i < 7; ++i) {
    int x = 2 + Hash(i, 1, 41) % 20, top = 3 + Hash(i, 2, 41) % 8;
    cv.VLine(x + 1, top + 1, 21, kCactusR.outline);
    cv.VLine(x, top, 20, (i & 1) ? kCactusR.mid : kSlimeR.mid);
    if (i % 3 == 0) cv.Rect(x, top - 2, x + 1, top + 1, kBarkR.mid), cv.Set(x, top - 2, kBarkR.light);
  }
}

void PaintSwampDeadTree(Canvas& cv) {
  Dirt(cv, 36, kMudR);
  cv.Ellipse(12, 19, 9, 3.5, kMudR.outline);
  cv.Rect(9, 4, 15, 21, kInk);
  cv.Rect(10, 5, 14, 20, kBarkR.dark);
  cv.Rect(10, 5, 11, 20, kBarkR.mid);
  for (int k = 0; k < 7; ++k) {  // two bare branches
    cv.Set(9 - k, 8 - k / 2, kBarkR.dark), cv.Set(9 - k, 9 - k / 2, kInk);
    cv.Set(15 + k, 11 - k / 2, kBarkR.dark), cv.Set(15 + k, 12 - k / 2, kInk);
  }
  cv.Ellipse(12, 5, 3.5, 1.5, kBarkR.outline);
}

void PaintStairDownRough(Canvas& cv) {
  Stairs(cv, true, kStoneR, kCaveFloorR, kDirtR.light);
}

void PaintStairUpRough(Canvas& cv) {
  Stairs(cv, false, kStoneR, kDirtR, kDirtR.light);
}

void PaintSand(Canvas& cv) {
  cv.Fill(kSandR.mid);
  cv.Speckle(42, kSandR.dark, 30);
  cv.Speckle(43, kSandR.light, 20);
  for (int i = 0; i < 3; ++i) {  // wind ripples
    int y0 = 3 + i * 8;
    for (int x = 0; x < N; ++x) {
      int y = y0 + int(std::lround(1.5 * std::sin(x * 2 * 3.14159265 / 24 + i)));
      cv.Wrap(x, y, kSandR.light);
      cv.Wrap(x, y + 1, kSandR.dark);
    }
  }
}

void PaintSandstoneWall(Canvas& cv) {
  Bricks(cv, 12, 8, kSandstoneR, 44);
}

void PaintCactus(Canvas& cv) {
  cv.Fill(kSandR.mid);
  cv.Speckle(42, kSandR.dark, 30);
  cv.Ellipse(12, 21, 7, 2.5, kSandR.outline);
  cv.Rect(8, 2, 15, 21, kCactusR.outline);
  cv.Rect(9, 3, 14, 21, kCactusR.mid);
  cv.Rect(9, 3, 10, 21, kCactusR.light);
  cv.Rect(13, 3, 14, 21, kCactusR.dark);
  cv.Rect(2, 7, 8, 14, kCactusR.outline), cv.Rect(3, 8, 7, 13, kCactusR.mid);
  cv.Rect(3, 5, 6, 8, kCactusR.outline), cv.Rect(4, 6, 5, 9, kCactusR.light);
  cv.Rect(15, 10, 21, 16, kCactusR.outline), cv.Rect(16, 11, 20, 15, kCactusR.mid);
  cv.Rect(18, 6, 21, 11, kCactusR.outline), cv.Rect(19, 7, 20, 12, kCactusR.dark);
  for (int y = 5; y < 20; y += 4) cv.Set(11, y, kWhite);
}

void PaintSandBones(Canvas& cv) {
  cv.Fill(kSandR.mid);
  cv.Speckle(42, kSandR.dark, 30);
  cv.Speckle(43, kSandR.light, 20);
  Skull(cv, 8, 9);
  Bone(cv, 13, 15, 7, false);
  Bone(cv, 17, 4, 5, true);
}

void PaintHotFloor(Canvas& cv) {
  Lava(cv, 45);
}

void PaintTempleTiles(Canvas& cv) {
  Slabs(cv, 12, kSandstoneR, 46, true);
  for (int cy : {5, 17})
    for (int cx : {5, 17}) cv.Set(cx, cy, kSandR.light), cv.Set(cx + 1, cy + 1, kSandstoneR.outline);
}

void PaintLairFloor(Canvas& cv) {
  Dirt(cv, 47, kLairFloorR);
  {  // claw scratches
    int x = Hash(0, 1, 48) % N, y = Hash(0, 2, 48) % N;
    for (int s = 0; s < 3; ++s)
      for (int k = 0; k < 4; ++k) cv.Wrap(x + s * 2 + k / 2, y + k, kLairFloorR.dark);
  }
}

void PaintLairWall(Canvas& cv) {
  Stones(cv, 49, 6, kLairWallR);
  for (int i = 0; i < 2; ++i) {  // roots
    int x = Hash(i, 1, 50) % N;
    for (int y = 0; y < N; ++y) cv.Set((x + int(2 * std::sin(y * 0.5 + i)) + N) % N, y, kBarkR.dark);
  }
}

void PaintBonePile(Canvas& cv) {
  Dirt(cv, 47, kLairFloorR);
  cv.Ellipse(12, 15, 11, 7, kLairFloorR.outline);
  Bone(cv, 3, 16, 9, false);
  Bone(cv, 11, 18, 10, false);
  Bone(cv, 6, 8, 8, true);
  Bone(cv, 17, 7, 9, true);
  Skull(cv, 12, 10);
}

void PaintLairNest(Canvas& cv) {
  Dirt(cv, 47, kLairFloorR);
  for (int i = 0; i < 14; ++i) {  // twigs and tufts of fur
    int x = Hash(i, 1, 51) % N, y = Hash(i, 2, 51) % N, len = 3 + Hash(i, 3, 51) % 4;
    Color c = (i % 3 == 0) ? kBoneR.mid : kBarkR.mid;
    for (int k = 0; k < len; ++k) cv.Wrap(x + k, y + ((i & 1) ? k / 2 : -k / 2), c);
  }
}

void PaintMetalFloor(Canvas& cv) {
  cv.Fill(kSteelR.mid);
  cv.Speckle(52, kSteelR.dark, 14);
  cv.HLine(0, 23, 0, kSteelR.light), cv.VLine(0, 0, 23, kSteelR.light);
  cv.HLine(0, 23, 23, kSteelR.outline), cv.VLine(23, 0, 23, kSteelR.outline);
  for (int y : {3, 20})
    for (int x : {3, 20}) cv.Set(x, y, kSteelR.light), cv.Set(x + 1, y + 1, kSteelR.outline);
}

void PaintMetalWall(Canvas& cv) {
  cv.Fill(kDarkSteelR.mid);
  for (int x = 0; x < N; x += 8) {
    cv.VLine(x, 0, 23, kDarkSteelR.light);
    cv.VLine(x + 6, 0, 23, kDarkSteelR.dark);
    cv.VLine(x + 7, 0, 23, kDarkSteelR.outline);
  }
  cv.HLine(0, 23, 11, kDarkSteelR.outline), cv.HLine(0, 23, 12, kDarkSteelR.light);
  for (int x = 3; x < N; x += 8) cv.Set(x, 5, kSteelR.light), cv.Set(x, 18, kSteelR.light);
}

void PaintStairDownBuilt(Canvas& cv) {
  Stairs(cv, true, kSteelR, kSteelR, kGoldR.light);
}

void PaintStairUpBuilt(Canvas& cv) {
  Stairs(cv, false, kSteelR, kGoldR, kGoldR.light);
}

void PaintMetalGrate(Canvas& cv) {
  cv.Fill(kDarkSteelR.outline);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      if (x % 4 == 0 || y % 4 == 0) cv.Set(x, y, kSteelR.dark);
      if ((x % 4 == 0 && y % 4 == 1) || (y % 4 == 0 && x % 4 == 1)) cv.Set(x, y, kSteelR.mid);
    }
}

void PaintPipes(Canvas& cv) {
  cv.Fill(kDarkSteelR.dark);
  for (int y0 : {2, 13}) {
    cv.Rect(0, y0, 23, y0 + 8, kCopperR.outline);
    cv.Rect(0, y0 + 1, 23, y0 + 7, kCopperR.mid);
    cv.Rect(0, y0 + 1, 23, y0 + 2, kCopperR.light);
    cv.Rect(0, y0 + 6, 23, y0 + 7, kCopperR.dark);
    int jx = (y0 == 2) ? 6 : 16;
    cv.Rect(jx, y0 - 1, jx + 3, y0 + 9, kInk);
    cv.Rect(jx + 1, y0, jx + 2, y0 + 8, kSteelR.light);
  }
}

void PaintGearBlock(Canvas& cv) {
  cv.Fill(kDarkSteelR.mid);
  cv.HLine(0, 23, 0, kDarkSteelR.light), cv.VLine(0, 0, 23, kDarkSteelR.light);
  cv.HLine(0, 23, 23, kDarkSteelR.outline), cv.VLine(23, 0, 23, kDarkSteelR.outline);
  for (int k = 0; k < 8; ++k) {  // teeth
    double a = k * 3.14159265 / 4;
    cv.Ellipse(12 + 8.5 * std::cos(a), 12 + 8.5 * std::sin(a), 2.2, 2.2, kInk);
  }
  cv.Ellipse(12, 12, 8.5, 8.5, kInk);
  cv.Ellipse(12, 12, 7.5, 7.5, kCopperR.mid);
  for (int k = 0; k < 8; ++k) {
    double a = k * 3.14159265 / 4;
    cv.Ellipse(12 + 8.5 * std::cos(a), 12 + 8.5 * std::sin(a), 1.4, 1.4, kCopperR.mid);
  }
  cv.Ellipse(10.5, 10.5, 4, 4, kCopperR.light);
  cv.Ellipse(12, 12, 2.5, 2.5, kInk);
}

void PaintHazardFloor(Canvas& cv) {
  cv.Fill(kSteelR.mid);
  cv.Speckle(52, kSteelR.dark, 14);
  for (int y = 4; y < 20; ++y)
    for (int x = 0; x < N; ++x) cv.Set(x, y, ((x + y) / 4) % 2 ? kYellow : kInk);
  cv.HLine(0, 23, 3, kSteelR.outline), cv.HLine(0, 23, 20, kSteelR.light);
}

void PaintGoldFloor(Canvas& cv) {
  Slabs(cv, 12, kGoldFloorR, 53, true);
  cv.Speckle(54, kGoldFloorR.light, 6);
}

void PaintGoldWall(Canvas& cv) {
  Bricks(cv, 12, 6, kDeepGoldR, 55);
}

void PaintCarpet(Canvas& cv) {
  cv.Fill(kCarpetR.mid);
  cv.Speckle(56, kCarpetR.dark, 30);
  for (int k = -3; k <= 3; ++k) {  // a small gold lozenge
    int w = 3 - std::abs(k);
    cv.HLine(12 - w, 12 + w, 12 + k, kGoldR.mid);
  }
  cv.Set(12, 12, kCarpetR.light);
}

void PaintGoldPillar(Canvas& cv) {
  Slabs(cv, 12, kGoldFloorR, 53, true);
  cv.Ellipse(13, 14, 10, 9, kDeepGoldR.outline);
  cv.Blob(12, 12, 9, 9, Ramp{kInk, kDeepGoldR.mid, kGoldR.mid, kGoldR.light});
  cv.Ellipse(12, 12, 4, 4, kDeepGoldR.light);
}

void PaintStatue(Canvas& cv) {
  Slabs(cv, 12, kGoldFloorR, 53, true);
  cv.Rect(3, 14, 20, 22, kInk);
  cv.Rect(4, 15, 19, 21, kStoneR.dark);
  cv.HLine(4, 19, 15, kStoneR.light);
  cv.Ellipse(12, 6, 4, 4, kInk), cv.Ellipse(12, 6, 3, 3, kStoneR.mid);
  cv.Rect(8, 9, 16, 16, kInk), cv.Rect(9, 10, 15, 16, kStoneR.mid);
  cv.Rect(9, 10, 10, 16, kStoneR.light);
  cv.Set(11, 5, kStoneR.light);
}

void PaintVoid(Canvas& cv) {
  cv.Fill(Rgb(10, 8, 16));
  cv.Speckle(57, Rgb(30, 24, 44), 10);
}

void PaintBrazier(Canvas& cv) {
  Slabs(cv, 12, kGoldFloorR, 53, true);
  cv.Ellipse(12, 16, 8, 6, kInk);
  cv.Ellipse(12, 15.5, 7, 5, kDeepGoldR.mid);
  cv.Ellipse(11, 14.5, 4, 2.5, kGoldR.light);
  Flame(cv, 12, 9);
}

void PaintCavePool(Canvas& cv) {
  Water(cv, 58, Ramp{Rgb(10, 26, 40), Rgb(22, 52, 74), Rgb(34, 74, 98), Rgb(96, 150, 170)});
}

void PaintPrisonBones(Canvas& cv) {
  Slabs(cv, 12, kFlagR, 27, false);
  Skull(cv, 16, 8);
  Bone(cv, 4, 14, 8, false);
  Bone(cv, 7, 3, 6, true);
}

void PaintMineCrate(Canvas& cv) {
  Dirt(cv, 32, kMineFloorR);
  cv.Rect(2, 2, 21, 21, kTimberR.outline);
  cv.Rect(3, 3, 20, 20, kTimberR.mid);
  for (int y = 3; y <= 20; y += 6) cv.HLine(3, 20, y, kTimberR.light), cv.HLine(3, 20, y + 5, kTimberR.dark);
  for (int k = 0; k < 18; ++k) cv.Set(3 + k, 3 + k, kTimberR.outline), cv.Set(4 + k, 3 + k, kTimberR.light);
  cv.Rect(3, 3, 20, 3, kTimberR.light);
}

void PaintSwampStones(Canvas& cv) {
  Water(cv, 38, kBogR);
  for (int i = 0; i < 4; ++i) {
    int cx = 6 + (i % 2) * 12, cy = 6 + (i / 2) * 12;
    cv.Blob(cx + (Hash(i, 1, 59) % 3) - 1.0, cy + (Hash(i, 2, 59) % 3) - 1.0, 4.5, 3.5, kStoneR);
  }
}

void PaintPalm(Canvas& cv) {
  cv.Fill(kSandR.mid);
  cv.Speckle(42, kSandR.dark, 30);
  cv.Ellipse(14, 16, 9, 6, kSandR.outline);
  for (int k = 0; k < 6; ++k) {  // fronds
    double a = k * 3.14159265 / 3 + 0.3;
    for (int s = 2; s < 11; ++s) {
      int x = int(12 + s * std::cos(a)), y = int(11 + s * std::sin(a));
      cv.Set(x, y, kCactusR.mid);
      cv.Set(x, y + 1, kCactusR.outline);
      if (s < 7) cv.Set(x + 1, y, kCactusR.light);
    }
  }
  cv.Ellipse(12, 11, 2.5, 2.5, kBarkR.outline), cv.Ellipse(12, 11, 1.5, 1.5, kBarkR.light);
}

void PaintSlimePool(Canvas& cv) {
  Water(cv, 60, kSlimeR);
  for (int i = 0; i < 3; ++i) {
    int x = Hash(i, 1, 61) % 20, y = Hash(i, 2, 61) % 20;
    cv.Ellipse(x + 2, y + 2, 2, 2, kSlimeR.outline), cv.Ellipse(x + 1.6, y + 1.6, 1.2, 1.2, kSlimeR.light);
  }
}

void PaintMachineLamp(Canvas& cv) {
  cv.Fill(kSteelR.mid);
  cv.HLine(0, 23, 0, kSteelR.light), cv.VLine(0, 0, 23, kSteelR.light);
  cv.HLine(0, 23, 23, kSteelR.outline), cv.VLine(23, 0, 23, kSteelR.outline);
  cv.Ellipse(12, 12, 7, 7, kInk);
  cv.Ellipse(12, 12, 6, 6, Rgb(40, 120, 140));
  cv.Ellipse(12, 12, 4, 4, kCyan);
  cv.Ellipse(11, 11, 1.5, 1.5, kWhite);
}

void PaintBanner(Canvas& cv) {
  Bricks(cv, 12, 6, kDeepGoldR, 55);
  cv.Rect(5, 1, 18, 22, kInk);
  cv.Rect(6, 2, 17, 20, kCarpetR.mid);
  cv.Rect(6, 2, 7, 20, kCarpetR.light);
  cv.Rect(16, 2, 17, 20, kCarpetR.dark);
  cv.HLine(4, 19, 1, kGoldR.light);
  for (int k = -2; k <= 2; ++k) cv.HLine(12 - (2 - std::abs(k)), 12 + (2 - std::abs(k)) - 1, 10 + k, kGoldR.light);
  cv.Set(6, 21, kCarpetR.dark), cv.Set(17, 21, kCarpetR.dark), cv.Set(11, 21, kCarpetR.dark);
}

void PaintTallGrass(Canvas& cv) {
  Grass(cv, 62);
  for (int i = 0; i < 12; ++i) {
    int x = Hash(i, 1, 63) % N, y = 4 + Hash(i, 2, 63) % 18;
    cv.Wrap(x, y, kGrassR.light), cv.Wrap(x, y - 1, kGrassR.light), cv.Wrap(x + 1, y - 2, kGrassR.mid);
    cv.Wrap(x + 1, y + 1, kGrassR.outline);
  }
}

void PaintBridge(Canvas& cv) {
  cv.Fill(kBarkR.outline);
  for (int y = 0; y < N; y += 6) {
    cv.Rect(0, y, 23, y + 4, kTimberR.mid);
    cv.HLine(0, 23, y, kTimberR.light);
    cv.HLine(0, 23, y + 4, kTimberR.dark);
    cv.Set(3 + (y % 12), y + 2, kTimberR.outline);
  }
}

void PaintCaveCrystal(Canvas& cv) {
  Stones(cv, 25, 7, kCaveWallR);
  for (int i = 0; i < 3; ++i) {
    int x = 5 + i * 6, top = 4 + (i % 2) * 5;
    Color c = (i == 1) ? kViolet : kCyan;
    for (int y = top; y < top + 10; ++y) {
      int w = std::min(2, (y - top) / 2);
      cv.HLine(x - w - 1, x + w + 1, y, kInk);
      cv.HLine(x - w, x + w, y, c);
      cv.Set(x - w, y, kWhite);
    }
  }
}

void PaintPrisonTorch(Canvas& cv) {
  Bricks(cv, 8, 6, kBrickR, 29);
  cv.Rect(10, 11, 13, 21, kInk);
  cv.Rect(11, 12, 12, 20, kTimberR.mid);
  Flame(cv, 11.5, 7);
}

void PaintRubble(Canvas& cv) {
  Dirt(cv, 21, kCaveFloorR);
  for (int i = 0; i < 4; ++i) {
    int x = 4 + Hash(i, 1, 64) % 16, y = 4 + Hash(i, 2, 64) % 16;
    cv.Blob(x, y, 2.5 + (i % 2), 2, kStoneR);
  }
}

using TilePainter = void (*)(Canvas&);

// One painter per tile value, in value order.
const TilePainter kTilePainters[kTileCount] = {
    PaintGrass, PaintFlowers, PaintDirtPath, PaintTree,
    PaintBoulder, PaintPond, PaintFence, PaintSpring,
    PaintCaveFloor, PaintCavePebbles, PaintCaveWall, PaintStalagmite,
    PaintPrisonFloor, PaintPrisonWall, PaintPrisonBars, PaintPrisonStraw,
    PaintMineFloor, PaintMineWall, PaintMineRails, PaintMineTimber,
    PaintSwampMud, PaintSwampBog, PaintSwampReeds, PaintSwampDeadTree,
    PaintStairDownRough, PaintStairUpRough, PaintSand, PaintSandstoneWall,
    PaintCactus, PaintSandBones, PaintHotFloor, PaintTempleTiles,
    PaintLairFloor, PaintLairWall, PaintBonePile, PaintLairNest,
    PaintMetalFloor, PaintMetalWall, PaintStairDownBuilt, PaintStairUpBuilt,
    PaintMetalGrate, PaintPipes, PaintGearBlock, PaintHazardFloor,
    PaintGoldFloor, PaintGoldWall, PaintCarpet, PaintGoldPillar,
    PaintStatue, PaintVoid, PaintBrazier, PaintCavePool,
    PaintPrisonBones, PaintMineCrate, PaintSwampStones, PaintPalm,
    PaintSlimePool, PaintMachineLamp, PaintBanner, PaintTallGrass,
    PaintBridge, PaintCaveCrystal, PaintPrisonTorch, PaintRubble,
};

void Draw(Canvas& cv, int v) {
  if (v < 0 || v >= kTileCount) throw std::logic_error("no picture for tile value");
  kTilePainters[v](cv);
}

}  // namespace

bool IsSolidTile(int v) {
  switch (v) {
    case kTree: case kBoulder: case kPond: case kFence:
    case kCaveWall: case kStalagmite: case kPrisonWall: case kPrisonBars:
    case kMineWall: case kMineTimber: case kSwampBog: case kSwampDeadTree:
    case kSandstoneWall: case kCactus:
    case kLairWall: case kBonePile: case kMetalWall:
    case kPipes: case kGearBlock: case kGoldWall: case kGoldPillar:
    case kStatue: case kVoid: case kBrazier: case kCavePool: case kMineCrate: case kPalm:
    case kSlimePool: case kBanner: case kCaveCrystal: case kPrisonTorch:
      return true;
    default:
      return v < 0 || v >= kTileCount;
  }
}

const char* TileName(int v) {
  static const char* const kNames[kTileCount] = {
      "grass", "flowers", "dirt path", "tree", "boulder", "pond", "fence", "spring",
      "cave floor", "cave pebbles", "cave wall", "stalagmite", "prison floor", "prison wall",
      "iron bars", "prison straw", "mine floor", "mine wall", "mine rails", "mine timber",
      "swamp mud", "bog", "reeds", "dead tree", "stair down (rough)", "stair up (rough)",
      "sand", "sandstone wall", "cactus", "sand with bones", "hot floor (lava)", "temple tiles",
      "lair floor", "lair wall", "bone pile", "nest litter", "metal floor", "metal wall",
      "stair down (built)", "stair up (built)", "metal grate", "pipes", "gear block",
      "hazard stripes", "gold floor", "gold wall", "carpet", "gold pillar", "statue", "void",
      "brazier", "cave pool", "prison bones", "crate", "stepping stones", "palm", "slime pool",
      "floor lamp", "banner wall", "tall grass", "bridge", "crystal wall", "torch wall",
      "rubble"};
  return (v >= 0 && v < kTileCount) ? kNames[v] : "unused";
}

gfx::Bitmap DrawTileSheet() {
  gfx::Bitmap sheet(8 * N, 8 * N);
  for (int v = 0; v < kTileCount; ++v) {
    Canvas cv;
    Draw(cv, v);
    for (int y = 0; y < N; ++y)
      for (int x = 0; x < N; ++x) sheet.SetPixel((v % 8) * N + x, (v / 8) * N + y, cv.Get(x, y));
  }
  return sheet;
}

void IndexBitmap(const gfx::Bitmap& bitmap, std::vector<gfx::Color>& palette,
                 std::vector<uint8_t>& indices) {
  std::map<gfx::Color, int> seen;
  palette.clear();
  indices.clear();
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      gfx::Color c = bitmap.Pixel(x, y);
      auto it = seen.find(c);
      if (it == seen.end()) {
        if (palette.size() == 256) throw std::runtime_error("tile sheet uses more than 256 colours");
        it = seen.emplace(c, static_cast<int>(palette.size())).first;
        palette.push_back(c);
      }
      indices.push_back(static_cast<uint8_t>(it->second));
    }
}

}  // namespace floors
