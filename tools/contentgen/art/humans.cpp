// People and people-shaped creatures: the heroes, the prison's guards, the beast-men, the
// machines that walk, and the shadow doubles. One template, read in three views: the back
// (facing up), the side (facing right; left is its mirror) and the front (facing down).
#include "art/figures.h"

namespace art {

namespace {

struct Dims {
  double bw, legW, leg0, leg1, armX0, armX1, armW;
};

Dims DimsOf(const Human& h) {
  if (h.build == 2) return {6.0, 3.4, 8.2, 12.4, 3.6, 17.9, 2.6};
  if (h.build == 1) return {3.5, 2.5, 9.6, 12.0, 6.3, 15.7, 2.0};
  return {4.2, 2.8, 9.0, 12.2, 5.8, 16.2, 2.0};
}

void Legs(const Pen& P, const Human& h, const Dims& d, int view, int pose) {
  uint8_t legC = C(h.bottom, 2), legD = C(h.bottom, 1), boot = C(h.boots, 2), bootD = C(h.boots, 1);
  if (h.skeleton) legC = C(Bone, 3), legD = C(Bone, 1), boot = C(Bone, 2), bootD = C(Bone, 1);
  if (view == 1) {
    // Profile: the far leg is darker; the steps swing the legs apart.
    double fx = 12.0, bx = 11.0, ffx = 12.2, bfx = 10.8;
    if (pose == 1) ffx = 15.0, bfx = 8.4;
    if (pose == 2) ffx = 9.0, bfx = 14.4;
    double w = d.legW * 0.95;
    P.L(bx, 17.0, bfx, 21.2, w, legD);
    P.E(bfx + 0.6, 21.8, w * 0.7, 1.1, bootD);
    P.L(fx, 17.0, ffx, 21.2, w, legC);
    P.E(ffx + 0.6, 21.8, w * 0.7, 1.1, boot);
    return;
  }
  double y0 = 17.0;
  for (int side = 0; side < 2; ++side) {
    double x = side == 0 ? d.leg0 : d.leg1;
    bool lifted = (pose == 1 && side == 0) || (pose == 2 && side == 1);
    double bottom = lifted ? 21.0 : 22.2;
    P.R(x, y0, d.legW, bottom - y0, side == 0 ? legC : legD);
    P.R(x - 0.2, bottom - 1.6, d.legW + 0.4, 1.6, side == 0 ? boot : bootD);
  }
}

void Torso(const Pen& P, const Human& h, const Dims& d, int view) {
  double bw = view == 1 ? d.bw * 0.8 : d.bw;
  if (h.robot) {
    P.R(12 - bw, 10.6, 2 * bw, 6.8, C(h.top, 2));
    P.R(12 - bw, 10.6, 2 * bw, 1, C(h.top, 3));
    P.R(12 + bw - 1, 10.6, 1, 6.8, C(h.top, 1));
    if (view != 0) P.R(11, 12.5, 2, 2, C(h.accent, 3));
    return;
  }
  if (h.skeleton) {
    P.R(11.5, 10.5, 1, 7, C(Bone, 2));
    for (double y = 11.5; y < 16; y += 2) P.R(12 - bw + 1, y, 2 * bw - 2, 1, C(Bone, 3));
    P.R(12 - bw + 1.5, 16.2, 2 * bw - 3, 1.2, C(Bone, 2));
    return;
  }
  P.B(12, 14.2, bw, 3.9, h.top);
  if (h.stripes)
    for (double y = 12; y < 17; y += 2) P.R(12 - bw + 1, y, 2 * bw - 2, 0.9, C(h.top, 0));
  if (h.dress) {
    double top = 15.0, hem = 21.6, tw = view == 1 ? 2.6 : 3.0, bwid = view == 1 ? 4.6 : 5.6;
    P.Poly({{12 - tw, top}, {12 + tw, top}, {12 + bwid, hem}, {12 - bwid, hem}}, C(h.top, 2));
    P.Poly({{12 + tw * 0.2, top}, {12 + tw, top}, {12 + bwid, hem}, {12 + bwid * 0.35, hem}}, C(h.top, 1));
    P.R(12 - bwid, hem - 1, 2 * bwid, 1, C(h.top, 3));
    P.R(12 - tw, 15.0, 2 * tw, 0.9, C(h.accent, 3));
  } else if (!h.robot) {
    P.R(12 - bw + 0.5, 16.2, 2 * bw - 1, 1, C(h.accent == h.top ? h.bottom : h.boots, 1));
  }
  if (h.build == 2 && view != 1) {
    P.B(12 - bw + 0.8, 11.8, 2.4, 2.0, h.metal);
    P.B(12 + bw - 0.8, 11.8, 2.4, 2.0, h.metal);
  }
}

void Arm(const Pen& P, const Human& h, double x0, double y0, double x1, double y1, double w, bool far) {
  uint8_t sleeve = C(h.top, far ? 1 : 2), hand = C(h.skin, far ? 1 : 2);
  if (h.skeleton) sleeve = C(Bone, far ? 1 : 3), hand = C(Bone, 2);
  if (h.robot) sleeve = C(h.metal, far ? 1 : 2), hand = C(h.metal, 3);
  P.L(x0, y0, x1, y1, w, sleeve);
  P.E(x1, y1 + 0.3, w * 0.62, w * 0.62, hand);
}

void Arms(const Pen& P, const Human& h, const Dims& d, int view, int pose, bool farOnly, bool nearOnly) {
  if (view == 1) {
    double swing = pose == 1 ? 2.6 : pose == 2 ? -2.6 : 0.4;
    if (!nearOnly) Arm(P, h, 11.2, 11.8, 11.2 - swing, 16.0, d.armW, true);
    if (!farOnly) Arm(P, h, 12.0, 11.8, 12.0 + swing, 16.2, d.armW + 0.2, false);
    return;
  }
  if (nearOnly) return;
  double lUp = pose == 1 ? 1.0 : 0, rUp = pose == 2 ? 1.0 : 0;
  Arm(P, h, d.armX0 + d.armW / 2, 11.6, d.armX0 + d.armW / 2 - 0.3, 16.4 - lUp, d.armW, false);
  Arm(P, h, d.armX1 + d.armW / 2 - 0.2, 11.6, d.armX1 + d.armW / 2 + 0.1, 16.4 - rUp, d.armW, view == 0);
}

// A machine's head: a box with an antenna and a visor.
void RobotHead(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  P.R(cx - 3.6, 2.2, 7.2, 7.4, C(h.metal, 2));
  P.R(cx - 3.6, 2.2, 7.2, 1, C(h.metal, 3));
  P.R(cx + 2.6, 2.2, 1, 7.4, C(h.metal, 1));
  P.R(cx, 0.2, 0.9, 2.2, C(h.metal, 1));
  P.Dot(cx, 0, C(h.accent, 3));
  if (view == 2) P.R(cx - 2.5, 5, 5, 1.6, h.eye);
  if (view == 1) P.R(cx + 0.8, 5, 2.8, 1.6, h.eye);
}

// A mane behind the head and pointed ears above it.
void ManeAndEars(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  if (h.mane) P.B(cx - (view == 1 ? 1 : 0), cy + 0.4, r + 2.0, r + 1.8, h.hair);
  if (h.ears) {
    uint8_t ec = C(h.skin, 1);
    if (view == 1) {
      P.Poly({{cx - 2.5, cy - 2.8}, {cx - 0.8, cy - 6.6}, {cx + 0.6, cy - 2.8}}, ec);
    } else {
      P.Poly({{cx - 4.2, cy - 1.5}, {cx - 3.6, cy - 6.4}, {cx - 1.0, cy - 3.4}}, ec);
      P.Poly({{cx + 4.2, cy - 1.5}, {cx + 3.6, cy - 6.4}, {cx + 1.0, cy - 3.4}}, ec);
    }
  }
}

// A bare skull with dark sockets.
void SkullHead(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  P.B(cx, cy, r, r, Bone);
  if (view == 2) {
    P.R(cx - 2.6, cy, 2, 2, kInk), P.R(cx + 0.6, cy, 2, 2, kInk);
    if (h.eye != kInk) P.Dot(cx - 2, cy + 0.6, h.eye), P.Dot(cx + 1.2, cy + 0.6, h.eye);
    P.R(cx - 1.5, cy + 3, 3, 1, C(Bone, 1));
  } else if (view == 1) {
    P.R(cx + 1.2, cy, 2, 2, kInk);
    P.R(cx + 1, cy + 3, 3, 1, C(Bone, 1));
  }
}

// A helmet with its visor slit, plume and horns.
void HelmetHead(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  P.B(cx, cy - 0.4, r + 0.7, r + 0.5, h.metal);
  if (h.plume) P.B(cx - (view == 1 ? 1.5 : 0), cy - 5.0, 1.6, 2.0, h.accent);
  if (h.horns) {
    uint8_t hc = C(Bone, 3);
    P.L(cx - 4.2, cy - 1.5, cx - 6.0, cy - 5.2, 1.4, hc);
    if (view != 1) P.L(cx + 4.2, cy - 1.5, cx + 6.0, cy - 5.2, 1.4, hc);
  }
  if (view == 2) {
    P.R(cx - 3.2, cy + 0.2, 6.4, 1.4, kInk);
    if (h.eye != kInk) P.Dot(cx - 2, cy + 0.4, h.eye), P.Dot(cx + 1, cy + 0.4, h.eye);
    P.R(cx - 0.5, cy + 1.6, 1, 2.4, C(h.metal, 1));
  } else if (view == 1) {
    P.R(cx + 0.8, cy + 0.2, 4.0, 1.4, kInk);
    if (h.eye != kInk) P.Dot(cx + 2.4, cy + 0.4, h.eye);
  } else {
    P.R(cx - 0.5, cy - 4.4, 1, 8, C(h.metal, 3));
  }
}

// A hood with the face showing in front.
void HoodHead(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  P.B(cx, cy - 0.2, r + 0.6, r + 0.6, h.top);
  if (view == 2) {
    P.R(cx - 3, cy - 0.6, 6, 2.2, C(h.skin, 2));
    P.R(cx - 2, cy - 0.2, 1, 1, h.eye), P.R(cx + 1, cy - 0.2, 1, 1, h.eye);
  } else if (view == 1) {
    P.R(cx + 0.8, cy - 0.6, 3.8, 2.2, C(h.skin, 2));
    P.R(cx + 2.4, cy - 0.2, 1, 1, h.eye);
    P.L(cx - 4.0, cy - 1, cx - 6.5, cy + 1 + (pose == 1 ? 1 : 0), 1.3, C(h.top, 1));
  } else {
    P.R(cx - 0.5, cy - 4, 1, 3, C(h.top, 1));
  }
}

// Hair and face of an uncovered head.
void HairAndFace(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  if (view == 0) {
    P.B(cx, cy - 0.2, r + 0.5, r + 0.4, h.hair);
  } else if (view == 2) {
    P.B(cx, cy, r, r, h.skin);
    P.B(cx, cy - 1.3, r + 0.5, r - 0.6, h.hair, 1, 4);
    P.B(cx, cy + 1.1, r - 0.7, r - 1.3, h.skin, 2, 3);
    if (h.snout) {
      P.E(cx, cy + 2.6, 2.2, 1.6, C(h.skin, 3));
      P.R(cx - 0.5, cy + 1.8, 1, 1, kInk);
    }
    P.R(cx - 2.2, cy + 0.4, 1, 2, h.eye), P.R(cx + 1.2, cy + 0.4, 1, 2, h.eye);
    if (!h.snout && h.build != 2 && h.eye == kInk) P.Dot(cx - 0.5, cy + 3, C(h.skin, 1));
  } else {
    P.B(cx, cy, r, r, h.skin);
    P.B(cx - 1.2, cy - 0.9, r + 0.3, r - 0.1, h.hair, 1, 4);
    P.B(cx + 1.3, cy + 1.0, r - 1.5, r - 1.2, h.skin, 2, 3);
    if (h.snout) {
      P.E(cx + 3.6, cy + 1.7, 2.2, 1.5, C(h.skin, 3));
      P.Dot(cx + 5.3, cy + 1.0, kInk);
    }
    P.R(cx + 1.6, cy + 0.2, 1, 2, h.eye);
  }
}

// A headband with its tails.
void Headband(const Pen& P, const Human& h, int view, int pose, double cx, double cy, double r) {
  if (view == 1) {
    P.R(cx - r + 0.8, cy - 2.2, 2 * r - 1.4, 1, C(h.accent, 2));
    P.L(cx - r + 0.4, cy - 1.8, cx - r - 2.5, cy + 0.2 + (pose == 2 ? 1 : 0), 1.0, C(h.accent, 1));
  } else {
    P.R(cx - r + 0.4, cy - 2.2, 2 * r - 0.8, 1, C(h.accent, 2));
    if (view == 0) P.L(cx, cy - 1.8, cx + 1, cy + 2.8, 1.0, C(h.accent, 1));
  }
}

void Head(const Pen& P, const Human& h, int view, int pose) {
  double cx = view == 1 ? 12.4 : 12.0, cy = 6.4, r = h.build == 2 ? 4.4 : 4.2;
  if (h.robot) return RobotHead(P, h, view, pose, cx, cy, r);
  ManeAndEars(P, h, view, pose, cx, cy, r);
  if (h.skeleton) return SkullHead(P, h, view, pose, cx, cy, r);
  if (h.helmet) return HelmetHead(P, h, view, pose, cx, cy, r);
  if (h.hood) return HoodHead(P, h, view, pose, cx, cy, r);
  HairAndFace(P, h, view, pose, cx, cy, r);
  if (h.headband) Headband(P, h, view, pose, cx, cy, r);
}

void BackWeapon(const Pen& P, const Human& h, int view) {
  // Carried weapons seen behind the body (drawn first in the front and side views).
  uint8_t steel = C(h.metal, 3), steelD = C(h.metal, 1), wood = C(Wood, 2);
  switch (h.weapon) {
    case Weapon::GreatSword:
      if (view == 2) P.L(5.5, 20, 18.5, 2.0, 2.6, steel), P.L(16.2, 5.4, 19.6, 2.2, 1.2, C(Gold, 2));
      if (view == 1) P.L(8.0, 20.5, 12.0, 1.0, 2.4, steel);
      break;
    case Weapon::Bow:
      if (view == 2) P.L(17.5, 4.0, 18.5, 9.0, 1.0, wood), P.L(18.5, 9.0, 17.0, 14.0, 1.0, wood);
      if (view == 1) P.L(9.0, 4.5, 7.2, 10.5, 1.1, wood), P.L(7.2, 10.5, 8.6, 16.0, 1.1, wood);
      break;
    case Weapon::Spear:
      if (view == 0) P.L(18.4, 0.5, 18.4, 22.5, 1.1, wood), P.R(17.8, 0, 1.4, 2.2, steel);
      break;
    default:
      break;
  }
  (void)steelD;
}

void FrontWeapon(const Pen& P, const Human& h, int view, int pose) {
  uint8_t steel = C(h.metal, 3), steelD = C(h.metal, 1), gold = C(Gold, 2), wood = C(Wood, 2);
  switch (h.weapon) {
    case Weapon::Sword:
      if (view == 2) P.R(17.6, 15.5, 1, 6.2, steel), P.R(16.6, 15.0, 3, 1, gold);
      if (view == 1) P.L(11.0, 16.5, 6.6, 20.2, 1.2, steelD), P.R(11.2, 15.8, 1.4, 1.4, gold);
      if (view == 0) P.R(5.4, 15.5, 1, 6.2, steelD), P.R(4.4, 15.0, 3, 1, gold);
      break;
    case Weapon::Dagger:
      if (view == 2) P.R(13.8, 16.0, 1, 3.2, steel), P.R(13.2, 15.8, 2.2, 0.9, gold);
      if (view == 1) P.L(11.4, 16.4, 9.0, 18.6, 1.0, steel);
      if (view == 0) P.R(9.0, 16.0, 1, 3.2, steelD);
      break;
    case Weapon::GreatSword:
      if (view == 0) P.L(5.0, 21.0, 18.0, 1.5, 2.6, steel), P.L(15.4, 4.6, 19.4, 2.0, 1.2, gold);
      break;
    case Weapon::Bow:
      if (view == 0) {
        P.L(8.2, 3.5, 5.8, 9.5, 1.1, wood), P.L(5.8, 9.5, 8.2, 16.0, 1.1, wood);
        P.L(8.2, 3.5, 8.2, 16.0, 0.6, C(Bone, 3));
        P.L(15.5, 8.5, 13.0, 15.5, 1.6, C(Brown, 1));
      }
      break;
    case Weapon::Spear: {
      double x = view == 1 ? 15.2 + (pose == 1 ? 1 : pose == 2 ? -1 : 0) : 18.4;
      if (view != 0) P.L(x, 1.5, x, 22.5, 1.1, wood), P.Poly({{x - 1, 2.5}, {x + 0.5, -0.5}, {x + 2, 2.5}}, steel);
      break;
    }
    case Weapon::Axe:
      if (view != 0) {
        double x = view == 1 ? 14.6 : 18.0;
        P.L(x, 6.0, x, 18.5, 1.1, wood);
        P.B(x + 1.6, 7.5, 2.2, 2.8, h.metal);
      }
      break;
    case Weapon::Staff:
      if (view != 0) {
        double x = view == 1 ? 14.8 : 18.0;
        P.L(x, 4.0, x, 22.5, 1.1, wood);
        P.B(x, 3.2, 1.8, 1.8, h.accent);
      }
      break;
    case Weapon::Claws:
      if (view == 2) P.R(5.6, 17.0, 0.8, 1.8, C(Bone, 3)), P.R(18.0, 17.0, 0.8, 1.8, C(Bone, 3));
      break;
    default:
      break;
  }
}

void Extras(const Pen& P, const Human& h, int view, int pose, bool behind) {
  if (h.cape && behind && view != 0) {
    uint8_t cc = C(h.accent, 1);
    if (view == 2) P.R(6.6, 11.0, 10.8, 9.0, cc);
    else P.Poly({{9.0, 10.5}, {12.0, 10.5}, {9.5, 20.5}, {5.5 - (pose ? 1 : 0), 20.5}}, cc);
  }
  if (h.cape && !behind && view == 0) {
    P.Poly({{7.0, 10.5}, {17.0, 10.5}, {18.0, 20.8}, {6.0, 20.8}}, C(h.accent, 2));
    P.R(11.5, 11.5, 1, 8.5, C(h.accent, 1));
  }
  if (h.longHair && behind && view != 0) {
    if (view == 2) P.R(7.2, 6.0, 9.6, 8.0, C(h.hair, 1));
    else P.Poly({{8.0, 6.0}, {12.0, 6.0}, {11.0, 14.5}, {7.0, 14.0}}, C(h.hair, 2));
  }
  if (h.longHair && !behind && view == 0) P.B(12, 10.5, 4.6, 4.4, h.hair);
  if (h.scarf && !behind) {
    uint8_t sc = C(h.accent, 2);
    if (view == 1) {
      P.R(9.8, 10.2, 5.2, 1.6, sc);
      double wave = pose == 1 ? 1.0 : pose == 2 ? -0.5 : 0;
      P.L(10.0, 11.0, 5.5, 12.5 + wave, 1.5, C(h.accent, 1));
    } else {
      P.R(8.6, 10.2, 6.8, 1.6, sc);
      if (view == 0) P.L(11.0, 11.5, 10.0, 15.0 + (pose == 1 ? 1 : 0), 1.4, C(h.accent, 1));
    }
  }
  if (h.tail && behind) {
    double w = pose == 1 ? 1.2 : pose == 2 ? -1.2 : 0;
    if (view == 1) P.L(9.5, 16.5, 4.8, 19.0 + w, 1.8, C(h.skin, 1));
    if (view == 2) P.L(14.0, 17.0, 17.5 + w, 20.5, 1.6, C(h.skin, 1));
  }
  if (h.tail && !behind && view == 0) P.L(12.0, 16.5, 13.0 + (pose == 1 ? 2 : pose == 2 ? -2 : 0), 21.5, 1.8, C(h.skin, 1));
}

Pic DrawView(const Human& h, int view, int pose, int s) {
  Pic pic(s, s);
  Pen P{pic, s / 24.0};
  Dims d = DimsOf(h);
  Extras(P, h, view, pose, true);
  if (view != 0) BackWeapon(P, h, view);
  if (view == 1) Arms(P, h, d, view, pose, true, false);
  Legs(P, h, d, view, pose);
  Torso(P, h, d, view);
  if (view == 0) BackWeapon(P, h, view);
  Arms(P, h, d, view, pose, false, view == 1);
  Extras(P, h, view, pose, false);
  Head(P, h, view, pose);
  FrontWeapon(P, h, view, pose);
  pic.Outline();
  pic.FillHoles();
  return pic;
}

}  // namespace

void GroundShadow(Pic& p, double cx, double cy, double rx, double ry) {
  for (int y = static_cast<int>(cy - ry - 1); y <= static_cast<int>(cy + ry + 1); ++y)
    for (int x = static_cast<int>(cx - rx - 1); x <= static_cast<int>(cx + rx + 1); ++x) {
      double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0 && p.At(x, y) == kKey) p.Set(x, y, C(Shade, 0));
    }
}

Pic DrawHuman(const Human& h, int facing, int pose, int s) {
  int view = facing == 0 ? 0 : facing == 2 ? 2 : 1;
  Pic pic = DrawView(h, view, pose, s);
  double k = s / 24.0;
  GroundShadow(pic, 12 * k, 22.6 * k, (h.build == 2 ? 6.5 : 5.0) * k, 1.3 * k);
  pic.FillHoles(C(Shade, 0));  // gaps closed off by the shadow are shadow too
  if (facing == 3) pic = pic.MirrorX();
  return pic;
}

Human HeroLook(int hero) {
  Human h;
  switch (hero) {
    case 0:  // the all-round adventurer: green tunic, red headband, a sword at the hip
      h.hair = HairBrown, h.top = Green, h.bottom = Brown, h.boots = Wood, h.accent = Red;
      h.headband = true, h.weapon = Weapon::Sword;
      break;
    case 1:  // the quick one: dark hooded garb, a red scarf, a dagger at the belt
      h.build = 1, h.top = Navy, h.bottom = Navy, h.boots = HairBlack, h.accent = Red;
      h.hood = true, h.scarf = true, h.weapon = Weapon::Dagger;
      break;
    case 2:  // the archer: long fair hair, a rose dress, the bow on her back
      h.build = 1, h.hair = HairBlond, h.top = Pink, h.bottom = Skin, h.boots = Brown;
      h.accent = Bone, h.dress = true, h.longHair = true, h.weapon = Weapon::Bow;
      break;
    default:  // the warrior: full plate, a plumed helm, the great sword on his back
      h.build = 2, h.top = Steel, h.bottom = DkGrey, h.boots = DkGrey, h.accent = Crimson;
      h.metal = Steel, h.helmet = true, h.plume = true, h.weapon = Weapon::GreatSword;
      h.cape = true;
      break;
  }
  return h;
}

Human ShadowLook(int hero) {
  Human h = HeroLook(hero);
  auto dark = [](int r) {
    switch (r) {
      case Skin: return Dusk;
      case Steel: return DkGrey;
      case Green: case Navy: case Pink: return Shade;
      case Red: case Crimson: return Blood;
      case HairBrown: case HairBlond: return HairBlack;
      default: return Shade;
    }
  };
  h.skin = dark(h.skin), h.hair = dark(h.hair), h.top = h.top == Navy ? Oil : dark(h.top), h.bottom = Oil;
  h.boots = Oil, h.accent = hero == 1 ? Blood : Crimson, h.metal = DkGrey;
  if (hero == 1) h.skin = Oil;
  h.eye = C(Red, 4);
  return h;
}

}  // namespace art
