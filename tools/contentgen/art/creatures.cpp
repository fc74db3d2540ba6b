// The creature templates: four-legged beasts, insects and spiders (seen from above and
// turned to face their way), bats, blobs, ghosts and machines.
#include "art/figures.h"

namespace art {

namespace {

// Seen from above: u runs along the facing, v across it, both from the cell's centre.
struct TopPen {
  const Pen& P;
  int facing;
  double cx = 12, cy = 12;
  std::pair<double, double> At(double u, double v) const {
    switch (facing) {
      case 0: return {cx + v, cy - u};
      case 1: return {cx + u, cy + v};
      case 2: return {cx - v, cy + u};
      default: return {cx - u, cy - v};
    }
  }
  bool Across() const { return facing == 0 || facing == 2; }
  void B(double u, double v, double ru, double rv, int ramp, int lo = 0, int hi = 4) const {
    auto [x, y] = At(u, v);
    Across() ? P.B(x, y, rv, ru, ramp, lo, hi) : P.B(x, y, ru, rv, ramp, lo, hi);
  }
  void E(double u, double v, double ru, double rv, uint8_t c) const {
    auto [x, y] = At(u, v);
    Across() ? P.E(x, y, rv, ru, c) : P.E(x, y, ru, rv, c);
  }
  void L(double u0, double v0, double u1, double v1, double w, uint8_t c) const {
    auto a = At(u0, v0), b = At(u1, v1);
    P.L(a.first, a.second, b.first, b.second, w, c);
  }
};

void InsectBody(const Pen& P, const Creature& c, int facing, int pose, bool spider) {
  TopPen T{P, facing};
  double z = c.size;
  uint8_t leg = C(c.main, 0);
  int legs = spider ? 4 : 3;
  for (int i = 0; i < legs; ++i) {
    double u = (spider ? 2.5 : 1.5) - i * (spider ? 2.0 : 2.6);
    double swing = ((i + pose) % 2 == 0 ? 1.0 : -1.0) * (pose == 0 ? 0.0 : 1.2);
    for (int side = -1; side <= 1; side += 2) {
      double kneeU = u + swing * side * 0.5 + (spider ? 1.0 : 0.0), kneeV = side * (spider ? 6.5 : 5.5) * z;
      double footU = u - 1.5 + swing * side, footV = side * (spider ? 9.5 : 8.0) * z;
      T.L(u * z, side * 2.0 * z, kneeU * z, kneeV, 1.1, leg);
      T.L(kneeU * z, kneeV, footU * z, footV, 1.1, leg);
    }
  }
  if (spider) {
    T.B(-3.5 * z, 0, 5.0 * z, 4.6 * z, c.main);
    T.E(-4.0 * z, 0, 1.6 * z, 1.2 * z, C(c.second, 3));
    T.B(2.4 * z, 0, 3.2 * z, 3.0 * z, c.main);
    for (int e = -1; e <= 1; e += 2) T.E(4.2 * z, e * 1.1 * z, 0.7, 0.7, c.eye);
    T.L(5.2 * z, -1.0 * z, 6.6 * z, -1.6 * z, 1.0, C(c.third, 2));
    T.L(5.2 * z, 1.0 * z, 6.6 * z, 1.6 * z, 1.0, C(c.third, 2));
    return;
  }
  T.B(-2.0 * z, 0, 6.0 * z, 5.0 * z, c.main);
  T.L(-7.5 * z, 0, 3.0 * z, 0, 0.9, C(c.main, 0));  // the split of the wing cases
  T.E(-1.0 * z, -2.4 * z, 1.6 * z, 1.0 * z, C(c.second, 3));
  T.B(4.8 * z, 0, 2.6 * z, 3.2 * z, c.main, 0, 2);
  for (int e = -1; e <= 1; e += 2) T.E(5.6 * z, e * 1.9 * z, 0.7, 0.7, c.eye);
  if (c.horn) {
    T.L(6.5 * z, 0, 10.2 * z, 0, 1.6 * z, C(c.third, 3));
    T.L(9.0 * z, 0, 10.4 * z, -1.5 * z, 1.2 * z, C(c.third, 3));
  } else {
    T.L(6.5 * z, -1.2 * z, 8.6 * z, -2.4 * z, 1.0, C(c.third, 2));
    T.L(6.5 * z, 1.2 * z, 8.6 * z, 2.4 * z, 1.0, C(c.third, 2));
  }
}

// What every view of a four-legged body shares: its size, leg and claw colours, the stride
// of the walk and where the feet stand.
struct QuadLegs {
  double z, step, base;
  uint8_t legF, legB, claw;
};

// The side view, facing right: wings, tail, far legs, body, near legs, head.
void QuadSide(const Pen& P, const Creature& c, int pose, const QuadLegs& q) {
  const double z = q.z, step = q.step, base = q.base;
  const uint8_t legF = q.legF, legB = q.legB, claw = q.claw;
  double bx = 11.5, by = base - 6.5 * z;
  if (c.wings) {
    double flap = pose == 1 ? -3 : pose == 2 ? 1 : -1;
    P.Poly({{bx - 3 * z, by - 2 * z}, {bx + 1 * z, by - 9 * z + flap}, {bx + 5 * z, by - 2 * z}}, C(c.second, 1));
    P.Poly({{bx - 1 * z, by - 2 * z}, {bx + 1 * z, by - 7 * z + flap}, {bx + 3 * z, by - 2 * z}}, C(c.second, 2));
  }
  if (c.tail) P.L(bx - 5.5 * z, by - 0.5, bx - 9.5 * z, by - 2.5 * z + step * 0.5, 1.6 * z, C(c.main, 1));
  // far legs, body, near legs, head
  P.L(bx - 3.5 * z - step, by + 2, bx - 3.5 * z - step, base - 0.5, 1.8 * z, legB);
  P.L(bx + 3.5 * z + step, by + 2, bx + 3.5 * z + step, base - 0.5, 1.8 * z, legB);
  P.B(bx, by, 6.5 * z, 4.2 * z, c.main);
  P.E(bx + 0.5, by + 2.6 * z, 4.5 * z, 1.3 * z, C(c.second, 3));
  if (c.spikes)
    for (int i = -2; i <= 2; ++i)
      P.Poly({{bx + i * 2.4 * z - 1.1 * z, by - 3.4 * z}, {bx + i * 2.4 * z, by - 5.6 * z}, {bx + i * 2.4 * z + 1.1 * z, by - 3.4 * z}},
             C(c.third, 2));
  P.L(bx - 4.0 * z + step, by + 2, bx - 4.0 * z + step, base - 0.5, 2.0 * z, legF);
  P.L(bx + 3.0 * z - step, by + 2, bx + 3.0 * z - step, base - 0.5, 2.0 * z, legF);
  P.R(bx - 4.0 * z + step - 0.5, base - 1, 1.2, 1, claw);
  P.R(bx + 3.0 * z - step - 0.5, base - 1, 1.2, 1, claw);
  double hx = bx + 6.4 * z, hy = by - 1.8 * z;
  P.B(hx, hy, 3.4 * z, 3.1 * z, c.main);
  P.B(hx + 2.8 * z, hy + 1.2 * z, 1.9 * z, 1.5 * z, c.second, 1, 4);
  P.Dot(hx + 4.4 * z, hy + 0.6 * z, kInk);
  P.R(hx + 0.6 * z, hy - 1.0 * z, 1.2 * z > 1 ? 1.2 * z : 1, 1.2 * z > 1 ? 1.2 * z : 1, c.eye);
  P.Poly({{hx - 2.6 * z, hy - 1.8 * z}, {hx - 1.8 * z, hy - 4.4 * z}, {hx - 0.4 * z, hy - 2.4 * z}}, C(c.main, 1));
  if (c.tusks) P.L(hx + 3.0 * z, hy + 2.4 * z, hx + 3.6 * z, hy + 0.6 * z, 1.0 * z, claw);
  if (c.horn) P.L(hx + 1.0 * z, hy - 2.6 * z, hx + 2.6 * z, hy - 5.8 * z, 1.4 * z, claw);
  if (c.crown) P.Poly({{hx - 2 * z, hy - 2.6 * z}, {hx - 2 * z, hy - 5 * z}, {hx - 0.6 * z, hy - 3.6 * z}, {hx + 0.4 * z, hy - 5.4 * z}, {hx + 1.4 * z, hy - 3.6 * z}, {hx + 2.6 * z, hy - 5 * z}, {hx + 2.6 * z, hy - 2.6 * z}}, C(Gold, 3));
}

// Seen from behind: the rump, the tail, and the back of the head.
void QuadBack(const Pen& P, const Creature& c, int pose, const QuadLegs& q) {
  const double z = q.z, step = q.step, base = q.base;
  const uint8_t legB = q.legB, claw = q.claw;
  const double lift0 = pose == 1 ? 1.2 : 0, lift1 = pose == 2 ? 1.2 : 0;
  const double cx = 12, by = base - 6.0 * z;
  P.L(cx - 4.2 * z, by + 2, cx - 4.2 * z, base - 0.5 - lift0, 2.2 * z, legB);
  P.L(cx + 4.2 * z, by + 2, cx + 4.2 * z, base - 0.5 - lift1, 2.2 * z, legB);
  P.B(cx, by, 5.6 * z, 5.0 * z, c.main);
  if (c.spikes)
    for (int i = -1; i <= 1; ++i) P.Poly({{cx - 1.2 * z, by + i * 3 * z}, {cx, by + i * 3 * z - 2.6 * z}, {cx + 1.2 * z, by + i * 3 * z}}, C(c.third, 2));
  if (c.tail) P.L(cx, by + 4.0 * z, cx + step, base + 0.5, 1.8 * z, C(c.main, 1));
  P.B(cx, by - 5.0 * z, 3.2 * z, 2.6 * z, c.main, 0, 2);
  P.Poly({{cx - 3.0 * z, by - 6 * z}, {cx - 2.4 * z, by - 9 * z}, {cx - 0.8 * z, by - 6.8 * z}}, C(c.main, 1));
  P.Poly({{cx + 3.0 * z, by - 6 * z}, {cx + 2.4 * z, by - 9 * z}, {cx + 0.8 * z, by - 6.8 * z}}, C(c.main, 1));
  if (c.horn) P.L(cx, by - 7 * z, cx, by - 10 * z, 1.4 * z, claw);
}

// Seen from the front: the body behind the face.
void QuadFront(const Pen& P, const Creature& c, int pose, const QuadLegs& q) {
  const double z = q.z, base = q.base;
  const uint8_t legF = q.legF, claw = q.claw;
  const double lift0 = pose == 1 ? 1.2 : 0, lift1 = pose == 2 ? 1.2 : 0;
  const double cx = 12, by = base - 6.0 * z;
  P.B(cx, by - 0.5, 5.8 * z, 4.6 * z, c.main);
  P.L(cx - 3.6 * z, by + 2, cx - 3.6 * z, base - 0.5 - lift0, 2.2 * z, legF);
  P.L(cx + 3.6 * z, by + 2, cx + 3.6 * z, base - 0.5 - lift1, 2.2 * z, legF);
  P.R(cx - 3.6 * z - 1, base - 1 - lift0, 2, 1, claw);
  P.R(cx + 3.6 * z - 1, base - 1 - lift1, 2, 1, claw);
  double hy = by - 1.2 * z;
  P.Poly({{cx - 3.6 * z, hy - 1.6 * z}, {cx - 3.2 * z, hy - 5.0 * z}, {cx - 1.2 * z, hy - 2.8 * z}}, C(c.main, 1));
  P.Poly({{cx + 3.6 * z, hy - 1.6 * z}, {cx + 3.2 * z, hy - 5.0 * z}, {cx + 1.2 * z, hy - 2.8 * z}}, C(c.main, 1));
  P.B(cx, hy, 3.8 * z, 3.4 * z, c.main);
  P.B(cx, hy + 2.0 * z, 2.2 * z, 1.6 * z, c.second, 1, 4);
  P.Dot(cx - 0.5, hy + 1.3 * z, kInk);
  double e = std::max(1.0, 1.1 * z);
  P.R(cx - 2.2 * z, hy - 1.0 * z, e, e, c.eye);
  P.R(cx + 1.2 * z, hy - 1.0 * z, e, e, c.eye);
  if (c.tusks) {
    P.L(cx - 1.6 * z, hy + 2.6 * z, cx - 2.4 * z, hy + 0.8 * z, 1.0 * z, claw);
    P.L(cx + 1.6 * z, hy + 2.6 * z, cx + 2.4 * z, hy + 0.8 * z, 1.0 * z, claw);
  }
  if (c.horn) P.L(cx, hy - 2.8 * z, cx, hy - 6.2 * z, 1.4 * z, claw);
  if (c.crown) P.Poly({{cx - 2.6 * z, hy - 2.8 * z}, {cx - 2.6 * z, hy - 5.4 * z}, {cx - 1.2 * z, hy - 4 * z}, {cx, hy - 5.8 * z}, {cx + 1.2 * z, hy - 4 * z}, {cx + 2.6 * z, hy - 5.4 * z}, {cx + 2.6 * z, hy - 2.8 * z}}, C(Gold, 3));
}

void QuadBody(const Pen& P, const Creature& c, int view, int pose) {
  QuadLegs q{c.size, pose == 1 ? 1.4 : pose == 2 ? -1.4 : 0, 12 + 9.0 * c.size,
             C(c.main, 2), C(c.main, 1), C(c.third, 3)};
  if (q.base > 22.5) q.base = 22.5;
  if (view == 1) return QuadSide(P, c, pose, q);
  const double z = q.z, cx = 12, by = q.base - 6.0 * z;
  if (c.wings) {
    double flap = pose == 1 ? -2.5 : pose == 2 ? 1.5 : 0;
    for (int s = -1; s <= 1; s += 2)
      P.Poly({{cx + s * 3 * z, by - 2 * z}, {cx + s * 11.0 * z, by - 7 * z + flap}, {cx + s * 10 * z, by + 1 * z}, {cx + s * 4 * z, by + 1.5 * z}}, C(c.second, 1));
  }
  if (view == 0) QuadBack(P, c, pose, q);
  else QuadFront(P, c, pose, q);
}

void BatBody(const Pen& P, const Creature& c, int view, int pose) {
  double z = c.size, cy = 10.0;
  double flap = pose == 1 ? -4.0 : pose == 2 ? 2.5 : -1.0;
  uint8_t wing = C(c.second, 1), wingL = C(c.second, 2);
  for (int s = -1; s <= 1; s += 2) {
    if (view == 1 && s < 0) continue;
    double dir = view == 1 ? -1 : s;
    P.Poly({{12 + dir * 2 * z, cy - 1 * z}, {12 + dir * 10.5 * z, cy - 3 * z + flap}, {12 + dir * 9 * z, cy + 3 * z + flap * 0.3},
            {12 + dir * 6 * z, cy + 1.5 * z}, {12 + dir * 4 * z, cy + 3.5 * z}},
           view == 1 ? wing : (s < 0 ? wingL : wing));
  }
  P.B(12, cy + 1, 3.6 * z, 4.0 * z, c.main);
  double hx = view == 1 ? 13.5 : 12;
  P.B(hx, cy - 3.0 * z, 3.0 * z, 2.6 * z, c.main);
  P.Poly({{hx - 2.6 * z, cy - 4 * z}, {hx - 2.4 * z, cy - 7.5 * z}, {hx - 0.8 * z, cy - 5 * z}}, C(c.main, 1));
  P.Poly({{hx + 2.6 * z, cy - 4 * z}, {hx + 2.4 * z, cy - 7.5 * z}, {hx + 0.8 * z, cy - 5 * z}}, C(c.main, 1));
  if (view == 2) {
    P.Dot(hx - 1.5 * z, cy - 3.2 * z, c.eye), P.Dot(hx + 1.0 * z, cy - 3.2 * z, c.eye);
    P.Dot(hx - 0.8 * z, cy - 1.4 * z, C(Bone, 4)), P.Dot(hx + 0.4 * z, cy - 1.4 * z, C(Bone, 4));
  } else if (view == 1) {
    P.Dot(hx + 1.4 * z, cy - 3.2 * z, c.eye);
  }
}

void BlobBody(const Pen& P, const Creature& c, int view, int pose) {
  double z = c.size;
  double rx = 7.0 * z, ry = 6.2 * z;
  if (pose == 1) rx += 0.8, ry -= 0.8;
  if (pose == 2) rx -= 0.6, ry += 0.6;
  double cy = 22.6 - ry;
  if (c.spikes)
    for (int i = -2; i <= 2; ++i) {
      double x = 12 + i * rx * 0.42;
      double top = cy - ry * (1.0 - 0.12 * i * i) + 0.5;
      P.Poly({{x - 1.6 * z, top + 1.5}, {x + 0.2, top - 3.2 * z}, {x + 1.6 * z, top + 1.5}}, C(c.third, 2));
    }
  P.B(12, cy, rx, ry, c.main);
  P.E(12 - rx * 0.35, cy - ry * 0.5, rx * 0.22, ry * 0.16, C(c.main, 4));
  if (c.horn) P.L(12, cy - ry + 1, 12, cy - ry - 3.5 * z, 1.5 * z, C(c.third, 3));
  if (c.crown) P.Poly({{12 - 3 * z, cy - ry + 1}, {12 - 3 * z, cy - ry - 2.5 * z}, {12 - 1.5 * z, cy - ry - 1 * z}, {12, cy - ry - 3 * z}, {12 + 1.5 * z, cy - ry - 1 * z}, {12 + 3 * z, cy - ry - 2.5 * z}, {12 + 3 * z, cy - ry + 1}}, C(Gold, 3));
  double e = std::max(1.0, 1.3 * z);
  if (view == 2) {
    P.R(12 - 3.0 * z, cy - 0.8 * z, e, e * 1.6, c.eye);
    P.R(12 + 2.0 * z, cy - 0.8 * z, e, e * 1.6, c.eye);
    P.R(12 - 1.8 * z, cy + 2.4 * z, 3.6 * z, 1, C(c.main, 0));
  } else if (view == 1) {
    P.R(12 + 3.4 * z, cy - 0.8 * z, e, e * 1.6, c.eye);
    P.R(12 + 4.0 * z, cy + 2.4 * z, 2.2 * z, 1, C(c.main, 0));
  }
}

void GhostBody(const Pen& P, const Creature& c, int view, int pose) {
  double z = c.size, bob = pose == 1 ? -1.0 : pose == 2 ? 1.0 : 0;
  double cy = 9.5 + bob, hx = view == 1 ? 12.8 : 12;
  double wave = pose == 1 ? 1.5 : pose == 2 ? -1.5 : 0;
  // The tail trails away from where it goes.
  double tx = view == 1 ? 8.0 + wave : 12 + wave;
  P.Poly({{hx - 5.6 * z, cy}, {hx + 5.6 * z, cy}, {tx + 2.5 * z, cy + 9.5 * z}, {tx - 1.0, cy + 12.5 * z}, {tx - 3.0 * z, cy + 9.0 * z}}, C(c.main, 1));
  P.Poly({{hx - 4.4 * z, cy}, {hx + 2.0 * z, cy}, {tx + 0.5, cy + 9.0 * z}, {tx - 2.2 * z, cy + 8.0 * z}}, C(c.main, 2));
  if (c.spikes)
    for (int i = -1; i <= 1; ++i)
      P.Poly({{hx + i * 3.2 * z - 1.8 * z, cy - 3.5 * z}, {hx + i * 3.2 * z + wave * 0.5, cy - 8.5 * z + (i == 0 ? -1.5 : 0)}, {hx + i * 3.2 * z + 1.8 * z, cy - 3.5 * z}}, C(c.main, 3));
  P.B(hx, cy, 5.8 * z, 5.6 * z, c.main);
  if (c.horn) {
    P.L(hx - 3.6 * z, cy - 3.5 * z, hx - 5.6 * z, cy - 7.5 * z, 1.4 * z, C(c.third, 3));
    P.L(hx + 3.6 * z, cy - 3.5 * z, hx + 5.6 * z, cy - 7.5 * z, 1.4 * z, C(c.third, 3));
  }
  if (c.crown) P.Poly({{hx - 3 * z, cy - 4 * z}, {hx - 3 * z, cy - 7 * z}, {hx - 1.5 * z, cy - 5.5 * z}, {hx, cy - 7.5 * z}, {hx + 1.5 * z, cy - 5.5 * z}, {hx + 3 * z, cy - 7 * z}, {hx + 3 * z, cy - 4 * z}}, C(Gold, 3));
  if (c.wings) {  // little arms
    P.L(hx - 5 * z, cy + 2.5 * z, hx - 8 * z, cy + 4.5 * z - bob, 1.8 * z, C(c.main, 1));
    if (view != 1) P.L(hx + 5 * z, cy + 2.5 * z, hx + 8 * z, cy + 4.5 * z + bob, 1.8 * z, C(c.main, 2));
  }
  double e = std::max(1.0, 1.6 * z);
  if (view == 2) {
    P.R(hx - 2.8 * z, cy - 0.5 * z, e, e * 1.4, kInk), P.R(hx + 1.2 * z, cy - 0.5 * z, e, e * 1.4, kInk);
    P.Dot(hx - 2.6 * z, cy - 0.2 * z, c.eye), P.Dot(hx + 1.4 * z, cy - 0.2 * z, c.eye);
    P.R(hx - 1.0 * z, cy + 2.6 * z, 2.0 * z, 1.4 * z, kInk);
  } else if (view == 1) {
    P.R(hx + 2.4 * z, cy - 0.5 * z, e, e * 1.4, kInk);
    P.Dot(hx + 2.6 * z, cy - 0.2 * z, c.eye);
  }
}

void TankBody(const Pen& P, const Creature& c, int facing, int pose) {
  double z = c.size;
  double w = 7.5 * z, top = 22.4 - 9.5 * z;
  // Treads
  uint8_t tread = C(DkGrey, 1), treadL = C(DkGrey, 3);
  P.R(12 - w - 0.5, top + 5.5 * z, 2 * w + 1, 4.0 * z, tread);
  for (double x = 12 - w + pose * 1.0; x < 12 + w; x += 3.0) P.R(x, top + 6.0 * z, 1, 3.0 * z, treadL);
  P.R(12 - w, top + 1.5 * z, 2 * w, 4.5 * z, C(c.main, 2));
  P.R(12 - w, top + 1.5 * z, 2 * w, 1, C(c.main, 3));
  P.R(12 - w, top + 5.5 * z, 2 * w, 1, C(c.main, 1));
  P.R(12 - w + 1.5, top + 3.0 * z, 1.5, 1.5, C(c.second, 3));
  P.R(12 + w - 3.0, top + 3.0 * z, 1.5, 1.5, C(c.second, 3));
  // Turret and gun, pointing the way it faces.
  double ty = top + 0.5 * z;
  uint8_t gun = C(Steel, 1);
  if (facing == 0) P.L(12, ty, 12, ty - 6.5 * z, 2.0 * z, gun);
  P.B(12, ty, 4.2 * z, 3.4 * z, c.main);
  if (facing == 1) P.L(14, ty, 12 + 10.5 * z, ty, 2.0 * z, gun);
  if (facing == 3) P.L(10, ty, 12 - 10.5 * z, ty, 2.0 * z, gun);
  if (facing == 2) {
    P.E(12, ty + 1.0 * z, 1.6 * z, 1.6 * z, gun);
    P.Dot(12 - 0.5, ty + 0.5 * z, kInk);
  }
  P.R(12 - 1.5 * z, ty - 1.5 * z, 3.0 * z, 1.0, c.eye);
}

void OrbBody(const Pen& P, const Creature& c, int facing, int pose) {
  double z = c.size, bob = pose == 1 ? -1.0 : pose == 2 ? 1.0 : 0;
  double cy = 11 + bob;
  // rotor
  double span = pose == 1 ? 5 : pose == 2 ? 2.5 : 7;
  P.R(12 - span * z, cy - 7.6 * z, 2 * span * z, 1.2, C(Steel, 3));
  P.R(11.5, cy - 7.0 * z, 1, 2.0 * z, C(Steel, 1));
  P.B(12, cy, 6.0 * z, 5.8 * z, c.main);
  P.R(12 - 6.0 * z, cy + 0.5, 12.0 * z, 1, C(c.main, 0));
  double ex = facing == 1 ? 15.2 : facing == 3 ? 8.8 : 12, ey = facing == 0 ? cy - 3.2 : cy - 0.8;
  if (facing != 0) {
    P.E(ex, ey, 2.2 * z, 2.2 * z, kInk);
    P.E(ex, ey, 1.3 * z, 1.3 * z, c.eye);
    P.Dot(ex - 0.6, ey - 0.6, C(Bone, 4));
  } else {
    P.R(12 - 2.0 * z, cy - 2.0 * z, 4.0 * z, 2.0 * z, C(c.main, 1));
  }
  P.L(12 - 5.0 * z, cy + 4.0 * z, 12 - 6.0 * z, cy + 7.5 * z, 1.0, C(Steel, 2));
  P.L(12 + 5.0 * z, cy + 4.0 * z, 12 + 6.0 * z, cy + 7.5 * z, 1.0, C(Steel, 2));
}

void SerpentBody(const Pen& P, const Creature& c, int facing, int pose) {
  TopPen T{P, facing};
  double z = c.size, ph = pose * 1.3;
  for (int i = 6; i >= 0; --i) {
    double u = 6.0 - i * 2.4, v = std::sin(i * 1.1 + ph) * 2.4;
    double r = (3.2 - i * 0.25) * z;
    T.B(u * z, v * z, r, r, c.main);
    if (i % 2 == 0) T.E(u * z, v * z, r * 0.45, r * 0.45, C(c.second, 3));
  }
  T.B(8.2 * z, std::sin(ph) * 1.0, 3.0 * z, 2.6 * z, c.main);
  T.E(9.4 * z, -1.4 * z, 0.8, 0.8, c.eye);
  T.E(9.4 * z, 1.4 * z, 0.8, 0.8, c.eye);
  T.L(11.0 * z, 0, 12.5 * z, 0, 0.9, C(Red, 3));
}

// A stone golem: a broad, hunched body of fitted stones on two stumps, a small head sunk
// between boulder shoulders, long arms ending in great fists that nearly reach the ground,
// moss on its shoulders. Seams of the main ramp's darkest shade show the stones it is built
// of, and a molten core (the third ramp) glows through its chest and the cracks around it.
struct GolemParts {
  const Pen& P;
  const Creature& c;
  uint8_t Shade(int s) const { return C(c.main, s); }
  // A shape lit from the upper left: its face, a lit band on the left, a dark band on the
  // right, each given as the polygon's points.
  using Pts = std::vector<std::pair<double, double>>;
  void Lit(const Pts& face, const Pts& light, const Pts& dark) const {
    P.Poly(face, Shade(2));
    P.Poly(light, Shade(3));
    P.Poly(dark, Shade(1));
  }
  void Fist(double x, double y) const {
    P.Block(x, y, 4.4, 3.8, c.main);
    P.R(x + 1.1, y + 0.4, 0.8, 1.8, Shade(0)), P.R(x + 2.5, y + 0.4, 0.8, 1.8, Shade(0));
  }
  void Stump(double x, double y) const {
    P.Block(x, y, 3.4, 4.6, c.main);
    P.R(x - 0.4, y + 3.6, 4.2, 1.0, Shade(0));
  }
  void Moss(double x, double y, double rx) const {
    P.E(x, y, rx, rx * 0.55, C(c.second, 2));
    P.Dot(x - 0.4 * rx, y - 0.2, C(c.second, 3));
  }
  void Crack(double x0, double y0, double x1, double y1, int shade) const {
    P.L(x0, y0, x1, y1, 0.8, C(c.third, shade));
  }
  void Seam(double x0, double y0, double x1, double y1) const { P.L(x0, y0, x1, y1, 0.7, Shade(0)); }
};

void GolemArm(const GolemParts& G, double side, double swing) {
  const double sx = 12 + side * 7.0;  // the shoulder
  G.P.L(sx, 10.5, sx + side * 0.8, 14.8 + swing * 0.5, 3.0, G.Shade(2));
  G.P.L(sx - side * 0.3, 10.5, sx + side * 0.5, 14.8 + swing * 0.5, 1.0, G.Shade(side < 0 ? 3 : 1));
  G.Fist(sx + side * 0.8 - 2.2, 15.6 + swing);
}

void GolemTorsoFront(const GolemParts& G) {
  G.Lit({{5, 8.5}, {19, 8.5}, {17.6, 15.2}, {15, 18}, {9, 18}, {6.4, 15.2}},
        {{5, 8.5}, {9.6, 8.5}, {9.2, 18}, {9, 18}, {6.4, 15.2}},
        {{15.8, 8.5}, {19, 8.5}, {17.6, 15.2}, {15, 18}, {14.8, 18}});
  G.P.R(6, 8.5, 12, 0.8, G.Shade(4));
  G.P.B(5.6, 9.4, 3.0, 2.6, G.c.main);  // the shoulders
  G.P.B(18.4, 9.4, 3.0, 2.6, G.c.main);
  G.Seam(6.6, 12.6, 10.0, 13.4);
  G.Seam(14.6, 15.8, 17.2, 14.6);
  G.Seam(9.4, 16.4, 12.4, 16.8);
  G.Moss(5.2, 7.6, 1.9);
  G.Moss(18.8, 7.8, 1.5);
}

void GolemFront(const GolemParts& G, int pose, bool back) {
  const double swing = pose == 1 ? 1.0 : pose == 2 ? -1.0 : 0;
  G.Stump(7.8, 17.2 - (pose == 1 ? 0.8 : 0));
  G.Stump(12.8, 17.2 - (pose == 2 ? 0.8 : 0));
  GolemTorsoFront(G);
  GolemArm(G, -1, swing);
  GolemArm(G, 1, -swing);
  if (back) {
    G.P.B(12, 6.8, 2.8, 2.4, G.c.main);  // the back of the head
    G.Crack(11.0, 10.6, 13.2, 13.8, 1);
    G.Crack(13.2, 13.8, 12.4, 16.0, 1);
    G.Moss(13.0, 10.2, 1.7);
    return;
  }
  G.P.B(12, 6.6, 2.9, 2.5, G.c.main);
  G.P.R(9.2, 5.2, 5.6, 0.9, G.Shade(0));  // the brow
  G.P.R(10.0, 6.4, 1.4, 0.9, G.c.eye);
  G.P.R(12.6, 6.4, 1.4, 0.9, G.c.eye);
  G.Crack(12, 12.8, 8.8, 10.0, 2);
  G.Crack(12, 12.8, 15.0, 16.6, 2);
  G.Crack(12, 12.8, 15.6, 10.6, 1);
  G.P.E(12, 12.8, 2.3, 2.1, C(G.c.third, 2));
  G.P.E(12, 12.8, 1.4, 1.3, C(G.c.third, 4));
  G.P.Dot(11.4, 12.2, kWhiteIx);
}

void GolemSide(const GolemParts& G, int pose) {
  const double step = pose == 1 ? 1.4 : pose == 2 ? -1.4 : 0, reach = step * 0.6;
  G.P.L(9.6, 10.4, 7.4 - reach, 15.0, 2.6, G.Shade(0));  // far arm, dark behind the body
  G.P.Block(5.2 - reach, 15.0, 3.8, 3.4, G.c.main);
  G.Stump(8.0 - step, 17.2);  // far leg
  G.Lit({{6.8, 8.6}, {14.6, 7.8}, {15.8, 12.4}, {14.2, 17.6}, {8, 17.6}, {6.4, 12.8}},
        {{6.8, 8.6}, {10.2, 8.4}, {9.8, 17.6}, {8, 17.6}, {6.4, 12.8}},
        {{14.0, 7.9}, {14.6, 7.8}, {15.8, 12.4}, {14.2, 17.6}, {13.4, 17.6}});
  G.Stump(11.6 + step, 17.2);  // near leg
  G.P.B(10.2, 9.0, 3.4, 2.4, G.c.main);  // the hump of the back
  G.Seam(7.2, 12.4, 10.6, 13.4);
  G.Seam(8.4, 16.2, 12.0, 16.8);
  G.Moss(9.4, 7.0, 2.1);
  G.P.B(16.2, 9.6, 2.4, 2.2, G.c.main);  // the head, thrust forward and low
  G.P.R(15.0, 8.3, 3.6, 0.9, G.Shade(0));
  G.P.R(17.0, 9.3, 1.4, 0.9, G.c.eye);
  G.Crack(13.6, 11.8, 15.2, 14.6, 2);
  G.Crack(13.6, 11.8, 15.0, 10.6, 1);
  // The near arm, bent forward at the elbow, its fist held clear of the body.
  G.P.L(12.2, 10.4, 15.0 + reach, 13.0, 3.0, G.Shade(2));
  G.P.L(12.0, 9.8, 14.8 + reach, 12.4, 1.0, G.Shade(3));
  G.P.L(15.0 + reach, 13.0, 16.6 + reach, 15.0, 3.2, G.Shade(2));
  G.P.R(15.0 + reach, 14.6, 0.8, 4.0, kInk);
  G.Fist(15.6 + reach, 14.6);
}

void GolemBody(const Pen& P, const Creature& c, int view, int pose) {
  GolemParts G{P, c};
  if (view == 1) GolemSide(G, pose);
  else GolemFront(G, pose, view == 0);
}

}  // namespace

Pic DrawCreature(const Creature& c, int facing, int pose, int s) {
  if (c.body == Body::Human) return DrawHuman(c.human, facing, pose, s);
  Pic pic(s, s);
  Pen P{pic, s / 24.0};
  int view = facing == 0 ? 0 : facing == 2 ? 2 : 1;
  bool mirror = facing == 3;
  bool flying = false;
  double shadowR = 6.0 * c.size;
  switch (c.body) {
    case Body::Insect: InsectBody(P, c, facing, pose, false), mirror = false; break;
    case Body::Spider: InsectBody(P, c, facing, pose, true), mirror = false; break;
    case Body::Serpent: SerpentBody(P, c, facing, pose), mirror = false; break;
    case Body::Quad: QuadBody(P, c, view, pose); break;
    case Body::Bat: BatBody(P, c, view, pose), flying = true; break;
    case Body::Blob: BlobBody(P, c, view, pose); break;
    case Body::Ghost: GhostBody(P, c, view, pose), flying = true; break;
    case Body::Tank: TankBody(P, c, facing, pose), mirror = false; break;
    case Body::Orb: OrbBody(P, c, facing, pose), mirror = false, flying = true; break;
    case Body::Golem: GolemBody(P, c, view, pose); break;
    default: break;
  }
  pic.Outline();
  pic.FillHoles();
  double k = s / 24.0;
  if (flying) GroundShadow(pic, 12 * k, 22.4 * k, 4.5 * c.size * k, 1.2 * k);
  else if (c.body == Body::Quad || c.body == Body::Blob || c.body == Body::Golem) GroundShadow(pic, 12 * k, 22.6 * k, shadowR * k, 1.3 * k);
  pic.FillHoles(C(Shade, 0));  // gaps closed off by the shadow are shadow too
  if (mirror) pic = pic.MirrorX();
  return pic;
}

}  // namespace art
