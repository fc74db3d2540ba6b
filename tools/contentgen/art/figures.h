// The figures of the game: heroes, monsters and bosses, each drawn by rule from a body
// template and its own colours, in four facings (0 up, 1 right, 2 down, 3 left) and three
// poses (0 standing, 1 and 2 the two steps of the walk).
#pragma once

#include <cmath>
#include <functional>

#include "art/paint.h"

namespace art {

// Coordinates of a body are given for a 24 x 24 cell and scaled by k, so that one template
// serves a 24-pixel monster and a 44-pixel boss alike.
struct Pen {
  Pic& p;
  double k;
  int X(double x) const { return static_cast<int>(std::floor(x * k + 1e-6)); }
  void R(double x, double y, double w, double h, uint8_t c) const {
    int x0 = X(x), y0 = X(y), x1 = X(x + w), y1 = X(y + h);
    if (x1 <= x0) x1 = x0 + 1;
    if (y1 <= y0) y1 = y0 + 1;
    p.Rect(x0, y0, x1 - x0, y1 - y0, c);
  }
  void E(double cx, double cy, double rx, double ry, uint8_t c) const { p.Ellipse(cx * k, cy * k, rx * k, ry * k, c); }
  void B(double cx, double cy, double rx, double ry, int ramp, int lo = 0, int hi = 4) const {
    p.Ball(cx * k, cy * k, rx * k, ry * k, ramp, lo, hi);
  }
  void L(double x0, double y0, double x1, double y1, double w, uint8_t c) const {
    p.Stroke(x0 * k, y0 * k, x1 * k, y1 * k, std::max(1.0, w * k), c);
  }
  void Dot(double x, double y, uint8_t c) const { R(x, y, 1, 1, c); }
  void Block(double x, double y, double w, double h, int ramp) const {
    p.Block(X(x), X(y), std::max(1, X(x + w) - X(x)), std::max(1, X(y + h) - X(y)), ramp);
  }
  void Poly(std::vector<std::pair<double, double>> pts, uint8_t c) const {
    for (auto& q : pts) q.first *= k, q.second *= k;
    p.Polygon(pts, c);
  }
};

enum class Weapon { None, Sword, Dagger, Bow, GreatSword, Spear, Axe, Staff, Claws };

// A person or a creature that stands on two legs.
struct Human {
  int skin = Skin, hair = HairBrown, top = Green, bottom = Brown, boots = Wood, accent = Red;
  int metal = Steel;
  int build = 0;  // 0 normal, 1 slim, 2 big
  bool dress = false, hood = false, helmet = false, longHair = false, headband = false;
  bool scarf = false, plume = false, horns = false, snout = false, ears = false, tail = false;
  bool skeleton = false, robot = false, mane = false, stripes = false, cape = false;
  Weapon weapon = Weapon::None;
  uint8_t eye = kInk;
};

// Draws one figure into a fresh cell of size s (24 or 44).
Pic DrawHuman(const Human& h, int facing, int pose, int s = 24);

// The body kinds of the monster sheets.
enum class Body { Human, Quad, Insect, Spider, Bat, Blob, Ghost, Tank, Orb, Serpent, Golem };

struct Creature {
  Body body = Body::Blob;
  Human human;        // for Body::Human
  int main = Green;   // body colour
  int second = Lime;  // belly, wings, markings
  int third = Bone;   // horns, claws, teeth
  uint8_t eye = kWhiteIx;
  double size = 1.0;  // relative to the cell
  bool horn = false, wings = false, tusks = false, spikes = false, crown = false, tail = true;
};

Pic DrawCreature(const Creature& c, int facing, int pose, int s = 24);

// The four heroes; index 0..3.
Human HeroLook(int hero);
// A hero's dark double of the last dungeon.
Human ShadowLook(int hero);

// Paints a soft shadow under a figure standing on the bottom of the cell.
void GroundShadow(Pic& p, double cx, double cy, double rx, double ry);

}  // namespace art
