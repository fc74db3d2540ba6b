// The full-view pictures (title, hero selection, menu frame, world map) and the window icon.
#include <cmath>
#include <stdexcept>

#include "art/figures.h"
#include "art/sheets.h"

namespace art {

namespace {

constexpr int kW = 312, kH = 216;

// Ordered dithering between two shades, for gradients that keep to the palette.
const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
bool Dither(int x, int y, double t) { return t * 16 > kBayer[y & 3][x & 3] + 0.5; }

// A vertical gradient through a list of palette indices.
void Gradient(Pic& p, int y0, int y1, const std::vector<uint8_t>& steps) {
  for (int y = y0; y < y1; ++y) {
    double f = (y - y0) / static_cast<double>(y1 - y0) * (steps.size() - 1);
    int i = std::min(static_cast<int>(f), static_cast<int>(steps.size()) - 2);
    double t = f - i;
    for (int x = 0; x < p.W(); ++x) p.Set(x, y, Dither(x, y, t) ? steps[i + 1] : steps[i]);
  }
}

// The story scrolls over the sky in white, up to x 289: there every star stays dim enough
// for the text to read over it, and only the strip beyond keeps a few bright ones.
constexpr int kStoryRight = 290;

void Stars(Pic& p, int y1, int count, int seed) {
  for (int i = 0; i < count; ++i) {
    int x = static_cast<int>(Noise(i, 1, seed) * p.W()), y = static_cast<int>(Noise(i, 2, seed) * y1);
    double b = Noise(i, 3, seed);
    bool bright = x >= kStoryRight;
    p.Set(x, y, b > 0.85 && bright ? C(Snow, 4) : b > 0.5 ? C(Cloth, 2) : C(Cloth, 1));
    if (b > 0.95) p.Set(x + 1, y, C(Cloth, 1)), p.Set(x - 1, y, C(Cloth, 1)), p.Set(x, y - 1, C(Cloth, 1)), p.Set(x, y + 1, C(Cloth, 1));
  }
}

// A ridge of hills whose top follows smooth noise.
void Ridge(Pic& p, double base, double amp, double scale, int seed, uint8_t c, uint8_t top) {
  for (int x = 0; x < p.W(); ++x) {
    double h = base - amp * SmoothNoise(x / scale, 0.5, seed) - amp * 0.4 * SmoothNoise(x / (scale / 3), 1.5, seed + 1);
    for (int y = static_cast<int>(h); y < p.H(); ++y) p.Set(x, y, y == static_cast<int>(h) ? top : c);
  }
}

void Castle(Pic& p, int cx, int ground) {
  Pen P{p, 1.0};
  uint8_t wall = C(Night, 1), edge = C(Night, 2);
  P.R(cx - 40, ground - 30, 80, 30, wall);
  for (int x = cx - 40; x < cx + 40; x += 6) P.R(x, ground - 34, 3, 4, wall);
  for (int t : {-40, -12, 14, 34}) {
    int w = t == -12 || t == 14 ? 10 : 8, h = t == -12 || t == 14 ? 62 : 46;
    P.R(cx + t - w / 2 + 2, ground - h, w, h, wall);
    P.Poly({{cx + t - w / 2 + 0.0, ground - h + 0.0}, {cx + t + 2.0, ground - h - 14.0}, {cx + t + w / 2 + 4.0, ground - h + 0.0}}, wall);
    P.R(cx + t - w / 2 + 2, ground - h, 1, h, edge);
  }
  // A few lit windows: the only warm light in the picture, low enough for the story's white
  // to read over it.
  for (auto [x, y] : std::vector<std::pair<int, int>>{{-38, -38}, {-11, -50}, {-11, -40}, {16, -54}, {35, -34}, {0, -20}, {24, -18}})
    P.R(cx + x, ground + y, 2, 3, C(Orange, 1)), P.R(cx + x, ground + y, 2, 1, C(Gold, 1));
}

// The letters' shapes, k pixels to a dot of their maps, as one mask (any colour but key).
Pic LetterMask(const std::string& assetsDir, int w, int h, int x, int y,
               const std::vector<const char*>& order) {
  auto maps = ReadPixMaps(assetsDir + "/art/title_letters.txt");
  Pic mask(w, h);
  const int k = 3;
  for (const char* name : order) {
    const PixMap* m = nullptr;
    for (auto& e : maps)
      if (e.first == name) m = &e.second;
    if (!m) throw std::runtime_error("title letter " + std::string(name) + " missing from title_letters.txt");
    for (int j = 0; j < m->h; ++j)
      for (int i = 0; i < m->w; ++i)
        if (m->At(i, j) == '#') mask.Rect(x + i * k, y + j * k, k, k, kInk);
    x += (m->w + (std::string(name) == "u" ? 0 : 2)) * k;
  }
  return mask;
}

// The title lettering as embers: a red face lit along its upper edges and darkening to its
// foot, thickened by a deep-red extrusion, rimmed dark and set in a faint red glow. No shade
// is light enough to lose the white story that scrolls across the letters.
void Letters(Pic& p, const std::string& assetsDir, int x, int y,
             const std::vector<const char*>& order) {
  const Pic mask = LetterMask(assetsDir, p.W(), p.H(), x, y, order);
  auto in = [&](int xx, int yy) { return mask.At(xx, yy) != kKey; };
  Pic face(p.W(), p.H());
  for (int yy = 0; yy < p.H(); ++yy)
    for (int xx = 0; xx < p.W(); ++xx) {
      if (in(xx, yy)) {
        uint8_t c = yy - y < 12 ? C(Red, 2) : C(HairRed, 2);
        if (!in(xx, yy + 1) || !in(xx + 1, yy)) c = C(Blood, 2);
        if (!in(xx, yy - 1) || !in(xx - 1, yy)) c = C(Red, 3);
        face.Set(xx, yy, c);
      } else if (in(xx - 1, yy - 1) || in(xx - 2, yy - 2)) {
        face.Set(xx, yy, C(Crimson, 1));
      } else if (in(xx - 3, yy - 3)) {
        face.Set(xx, yy, C(Blood, 0));
      }
    }
  Pic rim = face;
  rim.Outline(kInk);
  Pic glow = rim;
  glow.Outline(C(Crimson, 0));
  glow.Outline(C(Crimson, 0));
  for (int yy = 0; yy < p.H(); ++yy)
    for (int xx = 0; xx < p.W(); ++xx)
      if (glow.At(xx, yy) == C(Crimson, 0) && (xx + yy) % 2 == 0) p.Set(xx, yy, C(Crimson, 0));
  p.Paste(rim, 0, 0);
}

Pic Dimmed(const Pic& src) {
  Pic p = src;
  Pic out(p.W(), p.H());
  for (int y = 0; y < p.H(); ++y)
    for (int x = 0; x < p.W(); ++x) {
      uint8_t c = p.At(x, y);
      if (c == kKey) continue;
      int r = RampOf(c);
      out.Set(x, y, r < 0 ? c : C(r, ShadeOf(c) - 1));
    }
  return out;
}

void Panel(Pic& p, int x, int y, int w, int h) {
  p.Rect(x, y, w, h, C(Night, 0));
  p.Frame(x, y, w, h, C(Gold, 1));
  p.Frame(x + 1, y + 1, w - 2, h - 2, kInk);
  p.Set(x, y, C(Gold, 3)), p.Set(x + w - 1, y, C(Gold, 3));
  p.Set(x, y + h - 1, C(Gold, 3)), p.Set(x + w - 1, y + h - 1, C(Gold, 3));
}

// ------------------------------------------------------------- the world map

struct Place {
  double x, y;  // centre of the entrance sprite
};

// The entrances (sprite top-left corners + 12) and the hero's start.
const Place kEntrances[9] = {{154, 87}, {64, 117}, {77, 15}, {199, 165}, {242, 145},
                             {42, 145}, {112, 92}, {172, 63}, {272, 202}};
const Place kStart{194, 76};

enum Land { Water, Shore, Grassland, Forest_, Desert, Swamp_, Mountain, Waste, Snowfield };

double Near(double x, double y, Place p, double r) {
  double d = std::hypot(x - p.x, y - p.y) / r;
  return d >= 1 ? 0 : 1 - d * d;
}

Land LandAt(int x, int y) {
  double h = SmoothNoise(x / 40.0, y / 40.0, 7) * 0.6 + SmoothNoise(x / 14.0, y / 14.0, 8) * 0.4;
  // The sea closes in at the corners away from the roads.
  double edge = std::min({x / 312.0, (312 - x) / 312.0, y / 216.0, (216 - y) / 216.0});
  h += edge * 1.6 - 0.1;
  for (auto& e : kEntrances) h += Near(x, y, e, 26) * 1.5;
  h += Near(x, y, kStart, 30) * 1.5;
  if (Near(x, y, {120, 190}, 30) > 0) h -= Near(x, y, {120, 190}, 30) * 0.9;  // a southern bay
  if (Near(x, y, {250, 40}, 38) > 0) h -= Near(x, y, {250, 40}, 38) * 0.8;    // the eastern gulf
  if (h < 0.42) return Water;
  if (h < 0.47) return Shore;
  double n = SmoothNoise(x / 9.0, y / 9.0, 11);
  if (Near(x, y, kEntrances[5], 60) > 0.15 && x < 110) return Desert;
  if (Near(x, y, kEntrances[4], 42) > 0.1 + n * 0.2) return Swamp_;
  if (Near(x, y, kEntrances[8], 40) > 0.1 + n * 0.3) return Waste;
  // The northern range: a ragged blob of peaks with snow on its heights.
  double range = Near(x, y, {62, -6}, 78) + (n - 0.5) * 0.5;
  if (range > 0.3) return range > 0.55 ? Snowfield : Mountain;
  if (Near(x, y, kEntrances[3], 30) > 0.2 + n * 0.3) return Mountain;
  if (Near(x, y, kEntrances[0], 36) > 0.05 + n * 0.35 || Near(x, y, kEntrances[6], 26) > 0.1 + n * 0.4) return Forest_;
  if (n > 0.72 && Near(x, y, kStart, 40) == 0) return Forest_;
  return Grassland;
}

void Road(Pic& p, std::vector<Land>& land, Place a, Place b, int seed) {
  int n = static_cast<int>(std::hypot(b.x - a.x, b.y - a.y));
  for (int i = 0; i <= n; ++i) {
    double t = i / static_cast<double>(std::max(1, n));
    double wob = std::sin(t * 3.14159) * (SmoothNoise(t * 4, 0.5, seed) - 0.5) * 12;
    double x = a.x + (b.x - a.x) * t - (b.y - a.y) / std::max(1, n) * wob;
    double y = a.y + (b.y - a.y) * t + (b.x - a.x) / std::max(1, n) * wob;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        int px = static_cast<int>(x) + dx, py = static_cast<int>(y) + dy;
        if (!p.In(px, py)) continue;
        Land l = land[py * kW + px];
        bool edgePx = std::abs(dx) + std::abs(dy) == 2;
        if (l == Water || l == Shore) p.Set(px, py, edgePx ? C(Wood, 1) : C(Wood, 3));  // a bridge
        else p.Set(px, py, edgePx ? C(Tan, 1) : C(Tan, (px + py) % 5 == 0 ? 3 : 2));
      }
  }
}

void Tree(Pic& p, int x, int y, int ramp) {
  Pen P{p, 1.0};
  P.R(x, y + 2, 1, 2, C(Wood, 0));
  P.B(x + 0.5, y + 0.5, 2.6, 2.6, ramp, 0, 3);
}

void Peak(Pic& p, int x, int y, bool snow) {
  Pen P{p, 1.0};
  P.Poly({{x - 6.0, y + 5.0}, {x + 0.0, y - 5.0}, {x + 6.0, y + 5.0}}, C(Rock, 2));
  P.Poly({{x + 0.0, y - 5.0}, {x + 6.0, y + 5.0}, {x + 1.0, y + 5.0}}, C(Rock, 1));
  if (snow) P.Poly({{x - 2.5, y - 1.0}, {x + 0.0, y - 5.0}, {x + 2.5, y - 1.0}}, C(Snow, 4));
  p.Line(x - 6, y + 5, x, y - 5, C(Rock, 0));
}

}  // namespace

Pic MakeTitle(const std::string& assetsDir, bool english) {
  Pic p(kW, kH);
  Gradient(p, 0, 170, {C(Night, 0), C(Night, 1), C(Night, 2), C(Dusk, 1)});
  Stars(p, 120, 140, 3);
  Pen P{p, 1.0};
  // A thin crescent moon, beyond the story's right edge.
  P.E(300, 20, 9, 9, C(Bone, 3));
  P.E(296.5, 17.5, 7.8, 7.8, C(Night, 0));
  Ridge(p, 150, 30, 60, 21, C(Dusk, 0), C(Dusk, 1));
  Castle(p, 176, 150);
  Ridge(p, 166, 14, 40, 22, C(Shade, 0), C(Night, 1));
  // The band of the prompt: dark and quiet so the blinking letters read.
  Gradient(p, 166, kH, {C(Shade, 0), kInk, kBlackIx});
  // The English name, eight letters of 90 dots in all, is centred; the katakana keep
  // their place.
  if (english)
    Letters(p, assetsDir, 21, 40, {"M", "I", "R", "O", "V", "A", "A", "N"});
  else
    Letters(p, assetsDir, 48, 40, {"mi", "ro", "u", "dakuten", "small_a", "bar", "n"});
  return p;
}

Pic MakeCharas(int hero) {
  Pic p(kW, kH);
  Gradient(p, 0, kH, {C(Night, 0), C(Dusk, 0), C(Night, 0)});
  Pen P{p, 1.0};
  // A pool of light on the stones where the chosen hero stands.
  P.E(84, 150, 62, 14, C(Dusk, 1));
  P.E(84, 150, 46, 9, C(Dusk, 2));
  Pic big = DrawHuman(HeroLook(hero), 2, 0).Scaled(4);
  p.Paste(big, 36, 60);
  // The other three, small and dimmed, waiting at the side.
  int slot = 0;
  for (int h = 0; h < 4; ++h) {
    if (h == hero) continue;
    Pic small = Dimmed(DrawHuman(HeroLook(h), 2, 0).Scaled(2));
    p.Paste(small, 8 + slot * 52, 164);
    ++slot;
  }
  p.Rect(0, 0, kW, 2, C(Gold, 1));
  p.Rect(0, kH - 2, kW, 2, C(Gold, 1));
  // The label panel runs off the right edge: the longest type label is wider than the
  // space from its fixed place to the edge of the view.
  Panel(p, 163, 62, 152, 84);
  Panel(p, 163, 188, 143, 22);
  // The hero's own colour as a banner above the panel.
  const int tint[4] = {Green, Navy, Pink, Steel};
  P.R(163, 52, 149, 6, C(tint[hero], 1));
  P.R(163, 52, 149, 1, C(tint[hero], 3));
  return p;
}

// ------------------------------------------------------------- the menu frame
//
// The menu pages draw their texts at fixed places, and the longest of them (item names,
// the crawling key help) run past the right edge of the view or across its whole width.
// So the frame is drawn around what the pages draw: the panels share their dividers, the
// right-hand panels and the key-help strip run off the edge, and every line lies in a gap
// that no text or icon ever reaches. The panels' ground is one flat colour and the item
// wells another, so nothing drawn on them ever meets a line.

constexpr int kDividerX = 171;   // between the item grid (up to x 169) and the texts (from 175)
constexpr int kDividerY = 177;   // between the notes (down to y 175) and the action line (181)
constexpr int kStripTop = 198;   // the key-help strip: the help line fills rows 199 to 211
constexpr int kStripBottom = 212;

// A gold rule with a dark edge under or beside it.
void RuleH(Pic& p, int x0, int x1, int y) {
  p.Rect(x0, y, x1 - x0 + 1, 1, C(Gold, 2));
  p.Rect(x0, y + 1, x1 - x0 + 1, 1, C(Gold, 0));
}
void RuleV(Pic& p, int x, int y0, int y1) {
  p.Rect(x, y0, 1, y1 - y0 + 1, C(Gold, 2));
  p.Rect(x + 1, y0, 1, y1 - y0 + 1, C(Gold, 0));
}

// A small gold lozenge where two rules meet.
void Stud(Pic& p, int cx, int cy) {
  for (int k = -2; k <= 2; ++k) p.Rect(cx - (2 - std::abs(k)), cy + k, 2 * (2 - std::abs(k)) + 1, 1, C(Gold, 2));
  p.Set(cx - 1, cy - 1, C(Gold, 4)), p.Set(cx, cy - 1, C(Gold, 3)), p.Set(cx - 1, cy, C(Gold, 3));
  p.Set(cx + 1, cy + 1, C(Gold, 0)), p.Set(cx, cy + 2, C(Gold, 0)), p.Set(cx + 2, cy, C(Gold, 0));
}

// The 8 x 8 wells of the carried items: flat, with cut corners, so the cursor that rings a
// well lies on plain ground wherever it stands.
void Wells(Pic& p) {
  for (int k = 0; k < 64; ++k) {
    int x = (k % 8) * 20 + 8, y = (k / 8) * 20 + 8;
    p.Rect(x, y, 19, 19, C(Navy, 1));
    for (auto [cx, cy] : {std::pair{x, y}, {x + 18, y}, {x, y + 18}, {x + 18, y + 18}}) p.Set(cx, cy, C(Night, 0));
  }
}

// The strip the key help crawls through, from edge to edge like a marquee.
void HelpStrip(Pic& p) {
  p.Rect(0, kStripTop, kW, kStripBottom - kStripTop + 1, C(Navy, 1));
  p.Rect(0, kStripTop - 1, kW, 1, C(Gold, 0));
  p.Rect(0, kStripTop - 2, kW, 1, C(Gold, 2));
  p.Rect(0, kStripBottom + 1, kW, 1, C(Gold, 2));
  p.Rect(0, kStripBottom + 2, kW, 1, C(Gold, 0));
  p.Rect(0, kStripBottom + 3, kW, 1, C(Gold, 1));
}

Pic MakeWaku() {
  Pic p(kW, kH, C(Night, 0));
  Wells(p);
  HelpStrip(p);
  // The outer edge: along the top, and down the left side to the key-help strip.
  p.Rect(0, 0, kW, 1, C(Gold, 1));
  RuleH(p, 0, kW - 1, 2);
  p.Rect(0, 0, 1, kStripTop - 2, C(Gold, 1));
  RuleV(p, 2, 2, kStripTop - 3);
  // The dividers between the grid, the texts and the action line.
  RuleV(p, kDividerX, 4, kDividerY - 1);
  RuleH(p, 4, kW - 1, kDividerY);
  // The right-hand panel's sections: the equipment, the weapon's values, the notes.
  for (int y : {24, 95, 144}) p.Rect(kDividerX + 5, y, kW - kDividerX - 5, 1, C(Gold, 1));
  Stud(p, kDividerX, 2);
  Stud(p, kDividerX, kDividerY);
  Stud(p, 2, kDividerY);
  Stud(p, 2, 2);
  return p;
}

// The ground colour of one pixel of the given land.
uint8_t GroundColour(Land l, int x, int y) {
  double n = Noise(x, y, 5), m = SmoothNoise(x / 6.0, y / 6.0, 9);
  uint8_t c = 0;
  switch (l) {
    case Water: {
      bool deep = SmoothNoise(x / 20.0, y / 20.0, 4) < 0.45;
      c = deep ? C(Deep, 2) : C(Sea, 1);
      if (n > 0.985) c = C(Sea, 2);
      if ((x + y * 3) % 29 == 0 && m > 0.6) c = C(Sea, 2);
      break;
    }
    case Shore: c = n > 0.5 ? C(Sand, 3) : C(Sand, 2); break;
    case Grassland: c = m > 0.55 ? (Dither(x, y, (m - 0.55) * 4) ? C(Grass, 3) : C(Grass, 2)) : C(Grass, 2); break;
    case Forest_: c = C(Forest, 1); break;
    case Desert: c = m > 0.5 ? C(Sand, 2) : (Dither(x, y, m * 2) ? C(Sand, 2) : C(Sand, 1)); break;
    case Swamp_: c = m > 0.62 ? C(Sea, 1) : (n > 0.6 ? C(Swamp, 1) : C(Swamp, 2)); break;
    case Mountain: c = n > 0.5 ? C(Rock, 2) : C(Rock, 1); break;
    case Waste: c = m > 0.7 ? C(Crimson, 1) : (n > 0.5 ? C(Oil, 2) : C(Oil, 1)); break;
    case Snowfield: c = n > 0.4 ? C(Snow, 3) : C(Snow, 2); break;
  }
  return c;
}

// The coast line: water pixels beside land.
void Coast(Pic& p, const std::vector<Land>& land) {
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      if (land[y * kW + x] != Water) continue;
      bool coast = false;
      for (int d = 0; d < 4; ++d) {
        int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
        if (nx >= 0 && ny >= 0 && nx < kW && ny < kH && land[ny * kW + nx] != Water) coast = true;
      }
      if (coast) p.Set(x, y, C(Sea, 3));
    }
}

// Woods, peaks and dunes, scattered by rule and kept off the roads and the entrances.
void Scatter(Pic& p, const std::vector<Land>& land) {
  auto clear = [&](int x, int y) {
    for (auto& e : kEntrances)
      if (std::abs(x - e.x) < 16 && std::abs(y - e.y) < 16) return false;
    if (std::abs(x - kStart.x) < 16 && std::abs(y - kStart.y) < 16) return false;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        uint8_t c = p.At(x + dx, y + dy);
        if (RampOf(c) == Tan || RampOf(c) == Wood) return false;
      }
    return true;
  };
  for (int y = 2; y < kH - 4; y += 4)
    for (int x = 2 + (y / 4 % 2) * 2; x < kW - 3; x += 4) {
      Land l = land[y * kW + x];
      int jx = x + static_cast<int>(Noise(x, y, 40) * 3), jy = y + static_cast<int>(Noise(x, y, 41) * 3);
      if (!clear(jx, jy)) continue;
      if (l == Forest_ && Noise(x, y, 42) > 0.2) Tree(p, jx, jy, Noise(x, y, 43) > 0.5 ? Forest : DkGreen);
      if (l == Swamp_ && Noise(x, y, 44) > 0.82) Tree(p, jx, jy, Olive);
      if (l == Grassland && Noise(x, y, 45) > 0.93) Tree(p, jx, jy, Grass);
    }
  for (int y = 6; y < kH - 6; y += 9)
    for (int x = 6 + (y / 9 % 2) * 5; x < kW - 6; x += 10) {
      Land l = land[y * kW + x];
      if ((l == Mountain || l == Snowfield) && clear(x, y) && Noise(x, y, 46) > 0.25) Peak(p, x, y, l == Snowfield || y < 30);
      if (l == Desert && clear(x, y) && Noise(x, y, 47) > 0.6) {
        Pen P{p, 1.0};
        P.E(x, y, 5, 1.5, C(Sand, 3));
        P.E(x + 1, y + 1, 4, 1, C(Sand, 1));
      }
    }
}

// The hero's home village, beside the start.
void Village(Pic& p) {
  Pen P{p, 1.0};
  for (auto [hx, hy] : std::vector<std::pair<int, int>>{{210, 58}, {219, 63}, {208, 68}}) {
    P.Block(hx, hy, 6, 5, Tan);
    P.Poly({{hx - 1.0, hy + 0.5}, {hx + 3.0, hy - 3.5}, {hx + 7.0, hy + 0.5}}, C(Crimson, 2));
    P.Dot(hx + 2, hy + 2, C(Wood, 0));
  }
}

Pic MakeMainMap() {
  Pic p(kW, kH);
  std::vector<Land> land(kW * kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) land[y * kW + x] = LandAt(x, y);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) p.Set(x, y, GroundColour(land[y * kW + x], x, y));
  Coast(p, land);
  // Roads from the hero's home to every door, laid before the woods so the trees flank them.
  // A tree of roads, as the land was settled: home, the forest, and out from there.
  const int links[9][2] = {{-1, 0}, {0, 6}, {6, 1}, {1, 5}, {-1, 7}, {7, 2}, {0, 3}, {3, 4}, {3, 8}};
  for (int i = 0; i < 9; ++i)
    Road(p, land, links[i][0] < 0 ? kStart : kEntrances[links[i][0]], kEntrances[links[i][1]], i + 30);
  Scatter(p, land);
  Village(p);
  return p;
}

const std::vector<gfx::Color>& IconPalette() {
  static const std::vector<gfx::Color> pal = [] {
    const auto& full = Palette();
    std::vector<gfx::Color> p = {full[kBlackIx], full[kInk], full[C(Navy, 0)], full[C(Navy, 2)],
                                 full[C(Gold, 1)], full[C(Gold, 3)], full[C(Yellow, 4)], full[C(Skin, 2)],
                                 full[C(Skin, 1)], full[C(HairBrown, 2)], full[C(Green, 1)], full[C(Green, 3)],
                                 full[C(Red, 2)], full[kWhiteIx], full[C(Steel, 3)], full[C(Wood, 1)]};
    return p;
  }();
  return pal;
}

Pic MakeIcon() {
  Pic p(32, 32, C(Navy, 0));
  Pen P{p, 1.0};
  P.E(16, 16, 15, 15, C(Navy, 2));
  P.E(16, 16, 13, 13, C(Navy, 0));
  // A sword behind the adventurer's head.
  P.L(6, 27, 26, 5, 2.5, C(Steel, 3));
  P.L(7, 20, 12, 25, 1.6, C(Gold, 3));
  Pic hero = DrawHuman(HeroLook(0), 2, 0, 48).Crop(8, 0, 32, 32);
  p.Paste(hero, 0, 3);
  // Down to the icon's sixteen colours, by nearest colour.
  const auto& full = Palette();
  const auto& pal = IconPalette();
  Pic out(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      gfx::Color c = full[p.At(x, y)];
      int best = 0;
      long bestD = 1L << 40;
      for (int i = 0; i < 16; ++i) {
        long dr = static_cast<long>(c & 255) - (pal[i] & 255), dg = static_cast<long>((c >> 8) & 255) - ((pal[i] >> 8) & 255),
             db = static_cast<long>((c >> 16) & 255) - ((pal[i] >> 16) & 255);
        long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestD) bestD = d, best = i;
      }
      out.Set(x, y, static_cast<uint8_t>(best));
    }
  return out;
}

}  // namespace art
