// Things: the item icons, the status-bar icons, the spinning coin, the weapons and shots,
// the splats and the markers.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "art/figures.h"
#include "art/sheets.h"

namespace art {

namespace {

// ---------------------------------------------------------------- item icons (15 x 15)

enum class Icon { Sword, Rapier, Dagger, Kris, Bow, Crossbow, Great, Cleaver, TwinBlade, Herb, Herb2,
                  Potion, Stone, Light, Garb, Dress, Heavy, Safe, Key, Exit, Fist, Star, Ring, Gem, Scroll };

// How one item's icon is drawn: its shape, its two colour ramps and how finely it is worked.
struct IconLook {
  Icon kind;
  int a, b;      // main and second ramp
  int detail;    // 0 plain .. 3 finest: gems, glints, trims
};

void Glint(Pic& p, int x, int y) {
  p.Set(x, y, kWhiteIx);
  p.Set(x - 1, y, C(Yellow, 4)), p.Set(x + 1, y, C(Yellow, 4));
  p.Set(x, y - 1, C(Yellow, 4)), p.Set(x, y + 1, C(Yellow, 4));
}

void Blade(const Pen& P, double x0, double y0, double x1, double y1, double w, int ramp) {
  P.L(x0, y0, x1, y1, w, C(ramp, 2));
  P.L(x0 - 0.4, y0 - 0.4, x1 - 0.4, y1 - 0.4, std::max(1.0, w * 0.35), C(ramp, 4));
}

void BladeIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  bool thin = s.kind == Icon::Rapier;
  Blade(P, 5, 10, 12.5, 2.5, thin ? 1.2 : 2.0, a);
  P.L(2.5, 8.5, 6.5, 12.5, 1.3, C(b, 2));   // guard
  P.L(2.0, 13.0, 4.5, 10.5, 1.4, C(Wood, 1));  // grip
  P.Dot(1.5, 13.5, C(b, 3));
  if (s.detail >= 2) P.Dot(4.5, 10.5, C(Red, 4));
}

void DaggerIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  if (s.kind == Icon::Kris) {
    P.L(6.5, 8.5, 8.5, 7.5, 1.8, C(a, 2)), P.L(8.5, 7.5, 9.5, 5.0, 1.8, C(a, 2));
    P.L(9.5, 5.0, 12, 3.0, 1.6, C(a, 3));
  } else {
    Blade(P, 6.5, 8.5, 12, 3, 1.8, a);
  }
  P.L(4.5, 7.5, 7.5, 10.5, 1.2, C(b, 2));
  P.L(3.0, 12.0, 5.5, 9.5, 1.6, C(Wood, 1));
  if (s.detail >= 2) P.Dot(6, 9, C(Cyan, 4));
}

void BowIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  for (int i = 0; i <= 10; ++i) {
    double t = i / 10.0, y = 1.5 + t * 12, x = 3.5 + std::sin(t * 3.14159) * 7.5;
    P.E(x, y, 1.0, 1.0, C(a, t < 0.5 ? 3 : 2));
  }
  P.L(3.5, 1.8, 3.5, 13.2, 0.6, C(Bone, 4));
  P.L(4, 7.5, 13.5, 7.5, 0.8, C(Wood, 3));
  P.Poly({{12, 6}, {14.5, 7.5}, {12, 9}}, C(Steel, 3));
  if (s.detail >= 2) P.Dot(10, 7, C(b, 4));
}

void CrossbowIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.L(2, 12.5, 11, 3.5, 2.0, C(Wood, 2));
  P.L(4, 2.5, 13, 10.5, 1.3, C(a, 2));
  P.L(4, 2.5, 13, 10.5, 0.6, C(a, 4));
  P.L(4.5, 3.5, 12, 11, 0.5, C(Bone, 4));
  if (s.detail >= 1) P.L(5, 12.5, 13, 4.5, 1.0, C(b, 2));
}

void GreatBladeIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  Blade(P, 5, 10, 13, 2, 3.2, a);
  if (s.kind == Icon::TwinBlade) Blade(P, 3, 8, 9, 1.5, 1.8, a);
  P.L(2, 8, 7, 13, 1.6, C(b, 2));
  P.L(1.2, 14, 4, 11, 1.6, C(Wood, 1));
  if (s.detail >= 2) P.Dot(4.5, 10.5, C(Cyan, 4));
}

void CleaverIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a;
  P.Poly({{5, 9}, {10, 2}, {14, 4.5}, {8.5, 11.5}}, C(a, 2));
  P.L(10, 2.3, 14, 4.6, 0.8, C(a, 4));
  P.L(1.5, 13.5, 6, 9.5, 1.8, C(Wood, 1));
}

void HerbIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.L(7.5, 13.5, 7.5, 6, 1.0, C(DkGreen, 1));
  P.B(4.6, 8.0, 3.0, 1.8, a);
  P.B(10.4, 7.0, 3.0, 1.8, a);
  P.B(7.5, 3.8, 1.8, 3.0, a);
  if (s.kind == Icon::Herb2) P.E(7.5, 3.2, 1.4, 1.4, C(b, 3)), P.Dot(7.2, 2.8, C(Yellow, 4));
}

void PotionIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a;
  P.R(6, 1, 3, 2, C(Wood, 2));
  P.R(5.5, 3, 4, 3, C(Ice, 3));
  P.B(7.5, 9.5, 5.0, 4.6, Ice, 2, 4);
  P.B(7.5, 10.3, 4.2, 3.6, a);
  P.E(5.5, 8.0, 1.0, 1.4, kWhiteIx);
  if (s.detail >= 2) Glint(p, 11, 6);
}

void StoneIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a;
  P.B(7.5, 8.5, 6.0, 5.0, a);
  P.Poly({{4, 7}, {7, 4.5}, {9, 6.5}, {6, 9}}, C(a, 4));
  Glint(p, 11, 5);
}

void LightIcon(Pic& p, const Pen& P, const IconLook& s) { // a jerkin with short sleeves
  const int a = s.a, b = s.b;
  P.Poly({{2, 4}, {5, 2}, {10, 2}, {13, 4}, {12, 7}, {10.5, 6}, {10.5, 13}, {4.5, 13}, {4.5, 6}, {3, 7}}, C(a, 2));
  P.Poly({{5, 2}, {7.5, 5}, {10, 2}}, C(a, 0));
  P.R(4.5, 9, 6, 1, C(b, 1));
  P.L(3, 4, 4.5, 6, 0.8, C(a, 3));
  if (s.detail >= 1) P.Dot(7, 10.5, C(b, 4));
  if (s.detail >= 3) Glint(p, 11, 10);
}

void GarbIcon(Pic& p, const Pen& P, const IconLook& s) { // a wrapped ninja garb with a sash
  const int a = s.a, b = s.b;
  P.Poly({{1.5, 5}, {5, 2}, {10, 2}, {13.5, 5}, {12, 8}, {10.5, 7}, {11, 13.5}, {4, 13.5}, {4.5, 7}, {3, 8}}, C(a, 2));
  P.L(5, 2.5, 9.5, 8, 1.0, C(a, 0));
  P.L(10, 2.5, 7.5, 6, 0.8, C(a, 4));
  P.R(4.5, 8.5, 6.5, 1.5, C(b, 2));
  if (s.detail >= 2) P.Dot(7.5, 11.5, C(b, 4));
}

// A gown seen from the front: puffed sleeves, a fitted bodice with a scooped neck, a sash
// tied in a bow at the waist and a bell skirt falling in folds to a trimmed hem.
void DressIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.Poly({{5.6, 7.2}, {9.4, 7.2}, {14, 14}, {1, 14}}, C(a, 2));      // the skirt
  P.Poly({{8.6, 7.2}, {9.4, 7.2}, {14, 14}, {11.2, 14}}, C(a, 1));   // its shaded side
  P.L(6.6, 8.4, 4.2, 13.2, 0.7, C(a, 3));                            // folds
  P.L(8.2, 8.4, 9.6, 13.2, 0.7, C(a, 1));
  P.R(1.4, 13, 12.4, 1, C(b, 3));                                    // the hem
  P.Poly({{5, 1.6}, {10, 1.6}, {9.4, 7.2}, {5.6, 7.2}}, C(a, 2));    // the bodice
  P.Poly({{8.6, 1.6}, {10, 1.6}, {9.4, 7.2}, {8.8, 7.2}}, C(a, 1));
  P.E(7.5, 1.3, 1.7, 1.5, kKey);                                     // the scooped neck
  P.B(4.2, 3.2, 1.9, 1.6, a);                                        // the sleeves
  P.B(10.8, 3.2, 1.9, 1.6, a, 0, 3);
  P.R(5.2, 6.4, 4.6, 1.2, C(b, 2));                                  // the sash and its bow
  P.Dot(6.6, 6.4, C(b, 4)), P.Dot(8.4, 6.4, C(b, 4));
  P.Dot(7.5, 7.6, C(b, 1));
  if (s.detail >= 2) P.Dot(7.5, 4.4, C(b, 4)), P.Dot(4.2, 13, C(b, 4)), P.Dot(10.8, 13, C(b, 4));
}

void HeavyIcon(Pic& p, const Pen& P, const IconLook& s) { // a breastplate with pauldrons
  const int a = s.a, b = s.b;
  P.B(3.5, 4.5, 2.6, 2.2, a);
  P.B(11.5, 4.5, 2.6, 2.2, a);
  P.Poly({{4, 3}, {11, 3}, {11, 9}, {7.5, 13.5}, {4, 9}}, C(a, 2));
  P.L(5, 4, 5, 9, 1.0, C(a, 4));
  P.L(7.5, 3.5, 7.5, 12.5, 0.8, C(a, 1));
  if (s.detail >= 1) P.R(4.5, 7.5, 6, 1, C(b, 2));
  if (s.detail >= 3) Glint(p, 10, 5);
}

void SafeIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.Block(2, 2, 11, 11, a);
  P.E(7.5, 7.5, 2.5, 2.5, C(b, 3));
  P.Dot(7.5, 7.5, kInk);
  P.R(10.5, 6, 1, 3, C(b, 2));
}

void KeyIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.E(3.8, 7.5, 3.0, 3.0, C(a, 2));
  P.E(3.3, 7.0, 1.6, 1.6, C(a, 4));
  P.E(3.8, 7.5, 1.1, 1.1, kKey);
  P.R(6, 6.5, 7.5, 2, C(a, 2));
  P.R(6, 6.5, 7.5, 1, C(a, 4));
  P.R(10, 8.5, 1.5, 2.5, C(a, 2)), P.R(12.5, 8.5, 1.5, 3.0, C(a, 2));
  if (s.detail >= 1) P.Dot(4.5, 4.5, C(b, 4));
}

void ExitIcon(Pic& p, const Pen& P, const IconLook& s) { // the green sign of an emergency exit
  P.Block(1, 2, 13, 11, Green);
  P.R(9, 4, 3.5, 7, C(Snow, 4));
  P.B(5.5, 4.2, 1.3, 1.3, Snow, 3, 4);
  P.L(5, 6, 4.5, 9, 1.3, C(Snow, 4));
  P.L(4.5, 9, 3, 11, 1.0, C(Snow, 4));
  P.L(4.5, 9, 7, 11, 1.0, C(Snow, 4));
  P.L(5, 6.5, 7.5, 8, 1.0, C(Snow, 4));
  P.L(5, 6.5, 2.5, 7.5, 1.0, C(Snow, 4));
}

void FistIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.B(8, 7.5, 5.0, 4.4, a);
  for (int i = 0; i < 4; ++i) P.R(10, 3.8 + i * 2.0, 2.5, 1, C(a, 1));
  P.R(2, 6, 3, 4, C(b, 2));
  P.R(1, 6.5, 1, 3, C(Orange, 4));
}

void StarIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.Poly({{7.5, 0.5}, {9, 6}, {14.5, 7.5}, {9, 9}, {7.5, 14.5}, {6, 9}, {0.5, 7.5}, {6, 6}}, C(a, 2));
  P.Poly({{7.5, 0.5}, {9, 6}, {7.5, 7.5}, {6, 6}}, C(a, 4));
  P.E(7.5, 7.5, 1.4, 1.4, C(b, 1));
}

void RingIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.E(7.5, 9, 4.5, 4.0, C(a, 2));
  P.E(7.5, 9, 2.8, 2.4, kKey);
  P.B(7.5, 4, 2.2, 2.0, b);
}

void GemIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a;
  P.Poly({{4, 3}, {11, 3}, {13.5, 6}, {7.5, 13}, {1.5, 6}}, C(a, 2));
  P.Poly({{4, 3}, {11, 3}, {13.5, 6}, {1.5, 6}}, C(a, 4));
  P.Poly({{7.5, 6}, {13.5, 6}, {7.5, 13}}, C(a, 1));
}

void ScrollIcon(Pic& p, const Pen& P, const IconLook& s) {
  const int a = s.a, b = s.b;
  P.R(3, 3, 9, 9, C(a, 3));
  P.B(3, 7.5, 1.6, 4.8, b);
  P.B(12, 7.5, 1.6, 4.8, b);
  for (int y = 5; y < 11; y += 2) P.R(5, y, 5, 1, C(a, 1));
}

using IconPainter = void (*)(Pic& p, const Pen& P, const IconLook& s);

// One painter per kind of icon, in the order of Icon.
const IconPainter kIconPainters[] = {
    BladeIcon,      // Sword
    BladeIcon,      // Rapier
    DaggerIcon,     // Dagger
    DaggerIcon,     // Kris
    BowIcon,        // Bow
    CrossbowIcon,   // Crossbow
    GreatBladeIcon, // Great
    CleaverIcon,    // Cleaver
    GreatBladeIcon, // TwinBlade
    HerbIcon,       // Herb
    HerbIcon,       // Herb2
    PotionIcon,     // Potion
    StoneIcon,      // Stone
    LightIcon,      // Light
    GarbIcon,       // Garb
    DressIcon,      // Dress
    HeavyIcon,      // Heavy
    SafeIcon,       // Safe
    KeyIcon,        // Key
    ExitIcon,       // Exit
    FistIcon,       // Fist
    StarIcon,       // Star
    RingIcon,       // Ring
    GemIcon,        // Gem
    ScrollIcon,     // Scroll
};

Pic DrawIcon(const IconLook& s) {
  Pic p(15, 15);
  Pen P{p, 1.0};
  kIconPainters[static_cast<int>(s.kind)](p, P, s);
  p.Outline();
  return p;
}

// The weapons: ten tiers of four classes, icons 2 to 41.
IconLook WeaponIcon(int icon) {
  using I = Icon;
  int t = (icon - 2) / 4, cls = (icon - 2) % 4;
  static const IconLook swords[10] = {
      {I::Sword, Steel, Brown, 0},  {I::Sword, Steel, Gold, 1},   {I::Rapier, Snow, Gold, 1},
      {I::Sword, Cloth, Steel, 1},  {I::Sword, Orange, Red, 2},   {I::Sword, Ice, Cyan, 2},
      {I::Sword, Lime, DkGreen, 2}, {I::Sword, Violet, Crimson, 3}, {I::Sword, Yellow, Snow, 3},
      {I::Sword, Cyan, Snow, 3}};
  static const IconLook daggers[10] = {
      {I::Dagger, Steel, Brown, 0}, {I::Dagger, Steel, Gold, 1},  {I::Kris, Gold, Brown, 1},
      {I::Dagger, Tan, Brown, 1},   {I::Dagger, Lime, Violet, 2}, {I::Dagger, Cloth, Steel, 2},
      {I::Dagger, Gold, Cyan, 3},   {I::Dagger, DkGrey, Red, 1},  {I::Star, Steel, DkGrey, 2},
      {I::Fist, Red, Steel, 3}};
  static const IconLook bows[10] = {
      {I::Bow, Wood, Brown, 0},     {I::Bow, Wood, Gold, 1},      {I::Crossbow, Steel, Brown, 1},
      {I::Crossbow, Cloth, Red, 1}, {I::Bow, Brown, Red, 2},      {I::Bow, Ice, Cyan, 2},
      {I::Bow, Grey, DkGrey, 0},    {I::Crossbow, DkGrey, Gold, 3}, {I::Bow, Gold, Yellow, 3},
      {I::Star, Yellow, Orange, 3}};
  static const IconLook greats[10] = {
      {I::Great, Steel, Brown, 0},  {I::Great, Steel, Gold, 1},   {I::Cleaver, Steel, Wood, 1},
      {I::Great, DkGrey, Steel, 2}, {I::TwinBlade, Steel, Gold, 2}, {I::Great, Crimson, DkGrey, 2},
      {I::Great, Grey, Steel, 2},   {I::Great, Yellow, Orange, 3}, {I::Great, Snow, Gold, 3},
      {I::Great, Magenta, Gold, 3}};
  const IconLook* table = cls == 0 ? swords : cls == 1 ? daggers : cls == 2 ? bows : greats;
  // Icon 40 closes the bow column with the great moth-shuriken; 41 is a spare blade.
  if (icon == 40) return bows[9];
  if (icon == 41) return greats[9];
  return table[t];
}

// The garments: nine tiers of four families, icons 42 to 77.
IconLook GarmentIcon(int icon) {
  int t = (icon - 42) / 4, fam = (icon - 42) % 4;
  static const int light[9] = {Brown, Wood, Green, Pink, Purple, Blue, Red, Cyan, Steel};
  static const int garb[9] = {Blue, Red, Bone, Crimson, HairBlack, Red, Purple, Navy, Gold};
  static const int dress[9] = {Tan, Cloth, Magenta, Red, Ice, Orange, Bone, Gold, Cyan};
  static const int heavy[9] = {Grey, Steel, Steel, Olive, DkGreen, Gold, DkGrey, Lime, Snow};
  int detail = t < 2 ? 0 : t < 5 ? 1 : t < 7 ? 2 : 3;
  if (fam == 0) return {Icon::Light, light[t], Brown, detail};
  if (fam == 1) return {Icon::Garb, garb[t], t == 2 ? Red : Gold, detail};
  if (fam == 2) return {Icon::Dress, dress[t], dress[t] == Gold ? Snow : Gold, detail};
  if (t == 6) return {Icon::Safe, DkGrey, Gold, 2};
  return {Icon::Heavy, heavy[t], t == 2 ? Red : Gold, detail};
}

IconLook IconFor(int icon) {
  using I = Icon;
  if (icon == 0) return {I::Herb, Green, Lime, 0};
  if (icon == 1) return {I::Herb2, Lime, Pink, 1};
  if (icon >= 2 && icon <= 41) return WeaponIcon(icon);
  if (icon >= 42 && icon <= 77) return GarmentIcon(icon);
  if (icon >= 82 && icon <= 85) {
    static const int liquid[4] = {Red, Blue, Green, Gold};
    return {Icon::Potion, liquid[icon - 82], Snow, icon - 82};
  }
  if (icon == 86) return {Icon::Stone, Cyan, Snow, 2};
  if (icon == 87) return {Icon::Exit, Green, Snow, 0};
  if (icon >= 88 && icon <= 96) {
    static const int keys[9] = {Wood, Green, DkGrey, Cyan, Olive, Sand, Orange, Steel, Gold};
    return {Icon::Key, keys[icon - 88], Snow, icon >= 92 ? 1 : 0};
  }
  // The spare cells: rings, gems and scrolls, so that no cell of the sheet is bare.
  static const IconLook spare[] = {{Icon::Ring, Gold, Red, 1},  {Icon::Gem, Red, Snow, 1},
                                   {Icon::Scroll, Sand, Wood, 0}, {Icon::Ring, Steel, Cyan, 1},
                                   {Icon::Gem, Cyan, Snow, 1},  {Icon::Gem, Lime, Snow, 1},
                                   {Icon::Scroll, Bone, Red, 0}, {Icon::Ring, Gold, Purple, 1},
                                   {Icon::Gem, Purple, Snow, 1}};
  int k = icon >= 97 ? icon - 97 + 4 : icon - 78;
  return spare[k % 9];
}

// ---------------------------------------------------------------- shots and held weapons (24 x 24)

Pic HeldBlade(int ramp, int hilt, double width, double len, bool flame) {
  Pic p(24, 24);
  Pen P{p, 1.0};
  double x0 = 24 - len;
  if (flame)
    for (int i = 0; i < 5; ++i) P.B(x0 + 4 + i * 3.5, 10.2 - (i % 2), 2.2, 2.4, Orange, 2, 4);
  P.Poly({{x0 + 3, 12 - width / 2}, {22.5, 12 - width / 2}, {23.5, 12}, {22.5, 12 + width / 2}, {x0 + 3, 12 + width / 2}}, C(ramp, 2));
  P.R(x0 + 3, 12 - width / 2, 20 - x0, 1, C(ramp, 4));
  P.R(x0 + 2, 12 - width / 2 - 2, 1.6, width + 4, C(hilt, 2));
  P.R(x0 - 2.5, 11.2, 4.5, 1.8, C(Wood, 1));
  P.Dot(x0 - 3.2, 11.5, C(hilt, 3));
  p.Outline();
  return p;
}

Pic Bolt(int ramp, double len, double w, bool core) {
  Pic p(24, 24);
  Pen P{p, 1.0};
  double x0 = 12 - len / 2;
  P.E(12, 12, len / 2, w / 2 + 0.5, C(ramp, 1));
  P.E(12.5, 12, len / 2 - 1, w / 2, C(ramp, 3));
  if (core) P.E(13, 12, len / 2 - 3, w / 4 + 0.3, kWhiteIx);
  P.R(x0 - 3, 11.5, 2, 1, C(ramp, 2));
  return p;
}

// A flying sword with its wake: three streaks of cut air trail from its hilt, widest and
// brightest where the sword has just passed and fading out behind it. The air has no
// outline, so the streaks read as motion and not as things.
void Streak(Pic& p, int y, int x0, int x1, int thickFrom, int dy) {
  for (int x = x0; x <= x1; ++x) {
    double t = (x - x0) / static_cast<double>(std::max(1, x1 - x0));  // 0 far .. 1 at the hilt
    uint8_t c = t < 0.3 ? C(Cloth, 2) : t < 0.65 ? C(Ice, 3) : C(Snow, 4);
    if (p.At(x, y) == kKey) p.Set(x, y, c);
    if (x >= thickFrom && p.At(x, y + dy) == kKey) p.Set(x, y + dy, t < 0.65 ? C(Cloth, 2) : C(Ice, 3));
  }
}

Pic FlyingSword() {
  Pic p = HeldBlade(Steel, Gold, 3, 16, false);
  Streak(p, 9, 0, 8, 5, -1);
  Streak(p, 15, 0, 8, 5, 1);
  Streak(p, 12, 0, 2, 3, 0);
  return p;
}

// The looks that are a held blade, outlined already.
std::optional<Pic> HeldLook(int look) {
  switch (look) {
    case 0: return HeldBlade(Steel, Gold, 3, 19, false);
    case 1: return FlyingSword();
    case 6: return HeldBlade(Steel, Gold, 5, 22, false);
    case 8: return HeldBlade(Red, Gold, 3, 19, true);
    case 10: return HeldBlade(Ice, Cyan, 3, 19, false);
    default: return std::nullopt;
  }
}

void DaggerLook(Pic& p, const Pen& P, int look) {
  // a dagger
  P.Poly({{10, 10.5}, {19.5, 10.5}, {21.5, 12}, {19.5, 13.5}, {10, 13.5}}, C(Steel, 2));
  P.R(10, 10.5, 9, 1, C(Steel, 4));
  P.R(9, 8.5, 1.6, 7, C(Gold, 2));
  P.R(5, 11, 4, 2, C(Wood, 1));
}

void PoisonDaggerLook(Pic& p, const Pen& P, int look) {
  // the poison dagger, dripping
  P.Poly({{10, 10.5}, {19.5, 10.5}, {21.5, 12}, {19.5, 13.5}, {10, 13.5}}, C(Lime, 2));
  P.R(10, 10.5, 9, 1, C(Lime, 4));
  P.R(9, 8.5, 1.6, 7, C(Violet, 2));
  P.R(5, 11, 4, 2, C(Wood, 1));
  P.E(15, 16.5, 1.0, 1.5, C(Green, 3));
}

void HeldBowLook(Pic& p, const Pen& P, int look) {
  // a bow held out, arrow nocked
  int wood = look == 4 ? Wood : Gold;
  for (int i = 0; i <= 16; ++i) {
    double t = i / 16.0, y = 2 + t * 20, x = 9 + std::sin(t * 3.14159) * 6;
    P.E(x, y, 1.1, 1.1, C(wood, t < 0.5 ? 3 : 2));
  }
  P.L(9, 2.5, 9, 21.5, 0.6, C(Bone, 4));
  P.R(5, 11.5, 15, 1, C(Wood, 3));
  P.Poly({{19, 10}, {22, 12}, {19, 14}}, C(Steel, 3));
  if (look == 19) P.L(13, 4, 17, 8, 1.0, C(Yellow, 4)), P.L(17, 8, 14, 10, 1.0, C(Yellow, 4));
}

void ArrowLook(Pic& p, const Pen& P, int look) {
  // an arrow
  P.R(3, 11.5, 16, 1.2, C(Wood, 3));
  P.Poly({{18, 9.5}, {22.5, 12}, {18, 14.5}}, C(Steel, 3));
  P.Poly({{2, 9}, {6, 11.5}, {2, 11.5}}, C(Red, 3));
  P.Poly({{2, 15}, {6, 12.5}, {2, 12.5}}, C(Red, 2));
}

void ShockWaveLook(Pic& p, const Pen& P, int look) {
  // the great sword's shock wave
  for (int i = 0; i < 3; ++i) {
    double r = 9 - i * 0.8;
    for (double a = -1.2; a <= 1.2; a += 0.05)
      P.E(8 + i * 2 + std::cos(a) * r, 12 + std::sin(a) * r * 1.1, 1.2 - i * 0.2, 1.2 - i * 0.2, C(Steel, 2 + i));
  }
}

void FireballLook(Pic& p, const Pen& P, int look) {
  // a fireball
  P.Poly({{2, 12}, {10, 7}, {12, 12}, {10, 17}}, C(Red, 2));
  P.B(14, 12, 6, 5.5, Orange, 1, 4);
  P.E(15, 11.5, 3, 2.6, C(Yellow, 4));
  P.E(15.5, 11, 1.4, 1.2, kWhiteIx);
}

void IceShardLook(Pic& p, const Pen& P, int look) {
  // an ice shard
  P.Poly({{4, 12}, {12, 8}, {21, 12}, {12, 16}}, C(Ice, 2));
  P.Poly({{4, 12}, {12, 8}, {21, 12}}, C(Ice, 4));
  P.L(3, 8, 6, 9, 0.8, C(Ice, 3)), P.L(3, 16, 6, 15, 0.8, C(Ice, 3));
}

void PoisonGlobLook(Pic& p, const Pen& P, int look) {
  // a glob of poison
  P.Poly({{3, 12}, {10, 9}, {10, 15}}, C(Green, 1));
  P.B(14, 12, 5.5, 5, Lime, 1, 4);
  P.E(12, 10, 1.2, 1.2, C(Lime, 4));
  P.E(16, 14, 1.0, 1.0, C(Violet, 2));
}

void HolyLightLook(Pic& p, const Pen& P, int look) {
  // holy light
  for (int a = 0; a < 8; ++a) {
    double ang = a * 3.14159 / 4;
    P.L(12, 12, 12 + std::cos(ang) * (a % 2 ? 7 : 10), 12 + std::sin(ang) * (a % 2 ? 7 : 10), 1.2, C(Yellow, 3));
  }
  P.B(12, 12, 4.5, 4.5, Yellow, 3, 4);
  P.E(12, 12, 2.2, 2.2, kWhiteIx);
}

void RocketFistLook(Pic& p, const Pen& P, int look) {
  // the rocket fist
  P.Poly({{1, 12}, {6, 8.5}, {6, 15.5}}, C(Orange, 3));
  P.Poly({{3, 12}, {6, 10}, {6, 14}}, C(Yellow, 4));
  P.R(6, 9, 4, 6, C(Steel, 2));
  P.B(14.5, 12, 6, 5.2, Red);
  for (int i = 0; i < 4; ++i) P.R(17, 8 + i * 2.2, 3, 1, C(Red, 0));
}

void KunaiLook(Pic& p, const Pen& P, int look) {
  // a kunai
  P.Poly({{11, 10}, {21.5, 12}, {11, 14}}, C(DkGrey, 3));
  P.R(5, 11.3, 6, 1.5, C(DkGrey, 1));
  P.E(3.5, 12, 2, 2, C(DkGrey, 2));
  P.E(3.5, 12, 0.9, 0.9, kKey);
}

void ShurikenLook(Pic& p, const Pen& P, int look) {
  // a shuriken
  P.Poly({{12, 3}, {13.5, 10.5}, {21, 12}, {13.5, 13.5}, {12, 21}, {10.5, 13.5}, {3, 12}, {10.5, 10.5}}, C(Steel, 2));
  P.Poly({{12, 3}, {13.5, 10.5}, {12, 12}, {10.5, 10.5}}, C(Steel, 4));
  P.Poly({{3, 12}, {10.5, 10.5}, {12, 12}, {10.5, 13.5}}, C(Steel, 3));
  P.E(12, 12, 1.2, 1.2, kKey);
}

void SpinningCleaverLook(Pic& p, const Pen& P, int look) {
  // a spinning cleaver
  P.Poly({{8, 5}, {19, 7}, {20, 15}, {8, 13}}, C(Steel, 2));
  P.L(8, 5.5, 19, 7.5, 1.0, C(Steel, 4));
  P.L(3, 16, 9, 12, 2.0, C(Wood, 2));
  P.L(10, 19, 17, 19, 0.8, C(Snow, 3));
}

void WindBladeLook(Pic& p, const Pen& P, int look) {
  // a wind blade
  for (double a = -1.3; a <= 1.3; a += 0.04) {
    double r = 8.5;
    double th = 2.6 * std::cos(a);
    P.E(7 + std::cos(a) * r, 12 + std::sin(a) * r * 1.15, th * 0.6 + 0.5, th * 0.6 + 0.5, C(Lime, 3));
  }
  for (double a = -1.0; a <= 1.0; a += 0.05)
    P.E(7.5 + std::cos(a) * 8.5, 12 + std::sin(a) * 9.5, 0.7, 0.7, C(Snow, 4));
}

void DarkBeamLook(Pic& p, const Pen& P, int look) {
  // the dark beam
  p = Bolt(Violet, 22, 6, false);
  Pen Q{p, 1.0};
  Q.E(13, 12, 7, 1.2, C(Magenta, 3));
}

void FlyingKeyLook(Pic& p, const Pen& P, int look) {
  // a key, flying blade-first
  P.E(5.5, 12, 4, 4, C(Gold, 2));
  P.E(5, 11.5, 2.2, 2.2, C(Gold, 4));
  P.E(5.5, 12, 1.6, 1.6, kKey);
  P.R(9, 11, 12, 2.5, C(Gold, 2));
  P.R(9, 11, 12, 1, C(Gold, 4));
  P.R(16, 13.5, 2, 3, C(Gold, 2)), P.R(19, 13.5, 2, 4, C(Gold, 2));
}

void CyanBoltLook(Pic& p, const Pen& P, int look) {
  p = Bolt(Cyan, 22, 5, true);
}

void YellowBoltLook(Pic& p, const Pen& P, int look) {
  p = Bolt(Yellow, 20, 7, true);
}

void ThrownStoneLook(Pic& p, const Pen& P, int look) {
  // spare: a thrown stone
  P.B(12, 12, 5, 4.5, Rock);
}

void BubbleLook(Pic& p, const Pen& P, int look) {
  // spare: a bubble
  P.E(12, 12, 5, 5, C(Ice, 3));
  P.E(12, 12, 3.8, 3.8, C(Ice, 1));
  P.E(10, 10, 1.3, 1.3, kWhiteIx);
}

using LookPainter = void (*)(Pic& p, const Pen& P, int look);

// One painter per look; the held blades have none here.
constexpr int kLookCount = 26;
const LookPainter kLookPainters[kLookCount] = {
    nullptr,              // 0
    nullptr,              // 1
    DaggerLook,           // 2
    PoisonDaggerLook,     // 3
    HeldBowLook,          // 4
    ArrowLook,            // 5
    nullptr,              // 6
    ShockWaveLook,        // 7
    nullptr,              // 8
    FireballLook,         // 9
    nullptr,              // 10
    IceShardLook,         // 11
    PoisonGlobLook,       // 12
    HolyLightLook,        // 13
    RocketFistLook,       // 14
    KunaiLook,            // 15
    ShurikenLook,         // 16
    SpinningCleaverLook,  // 17
    WindBladeLook,        // 18
    HeldBowLook,          // 19
    DarkBeamLook,         // 20
    FlyingKeyLook,        // 21
    CyanBoltLook,         // 22
    YellowBoltLook,       // 23
    ThrownStoneLook,      // 24
    BubbleLook,           // 25
};

Pic DrawLook(int look) {
  if (std::optional<Pic> held = HeldLook(look)) return *held;
  Pic p(24, 24);
  Pen P{p, 1.0};
  kLookPainters[std::clamp(look, 0, kLookCount - 1)](p, P, look);
  p.Outline();
  return p;
}

// ---------------------------------------------------------------- splats

Pic DrawSplat(int ramp, bool large, int seed) {
  Pic p(24, 24);
  Pen P{p, 1.0};
  int n = large ? 7 : 3;
  if (large) P.E(12, 12.5, 6.5, 5.0, C(ramp, 1));
  for (int i = 0; i < n; ++i) {
    double a = Noise(i, seed, 1) * 6.283, d = (large ? 4 : 1.5) + Noise(i, seed, 2) * (large ? 6 : 5);
    double r = (large ? 1.6 : 1.0) + Noise(i, seed, 3) * (large ? 2.5 : 1.8);
    P.E(12 + std::cos(a) * d, 12 + std::sin(a) * d * 0.8, r, r * 0.8, C(ramp, 1));
  }
  if (large) P.E(11, 11.5, 3.5, 2.4, C(ramp, 2));
  else P.E(12, 12, 2.0, 1.6, C(ramp, 2));
  P.Dot(large ? 10 : 11, 11, C(ramp, 3));
  return p;
}

// ---------------------------------------------------------------- markers and entrances

// A cave in a rocky mound.
void CaveEntrance(const Pen& P) {
  P.B(12, 15, 11, 8.5, Rock);
  P.B(6, 17, 5, 5, Rock);
  P.Poly({{7, 22}, {8.5, 14}, {12, 11}, {15.5, 14}, {17, 22}}, kInk);
  P.Poly({{9, 22}, {10, 15.5}, {12, 13.5}, {14, 15.5}, {15, 22}}, C(Shade, 0));
  P.E(16, 6.5, 2.2, 1.5, C(Grass, 3));
}

// A tower.
void TowerEntrance(const Pen& P) {
  P.Block(8, 7, 8, 15, Rock);
  P.Poly({{6.5, 8}, {12, 0.5}, {17.5, 8}}, C(Crimson, 2));
  P.Poly({{12, 0.5}, {17.5, 8}, {12, 8}}, C(Crimson, 1));
  P.R(11, 10, 2, 3, C(Yellow, 4));
  P.R(10.5, 17, 3, 5, kInk);
  for (int y = 9; y < 22; y += 3) P.R(8, y, 8, 1, C(Rock, 1));
}

// A castle.
void CastleEntrance(const Pen& P) {
  P.Block(3, 10, 18, 12, Steel);
  for (int x = 3; x < 21; x += 4) P.Block(x, 8, 2, 3, Steel);
  P.Block(2, 5, 5, 17, Steel), P.Block(17, 5, 5, 17, Steel);
  P.Poly({{1.5, 6}, {4.5, 1}, {7.5, 6}}, C(Blue, 2));
  P.Poly({{16.5, 6}, {19.5, 1}, {22.5, 6}}, C(Blue, 2));
  P.Poly({{9, 22}, {9, 16}, {12, 13.5}, {15, 16}, {15, 22}}, kInk);
  P.R(11.5, 2.5, 1, 6, C(Wood, 1));
  P.R(12.5, 2.5, 4, 2.5, C(Red, 3));
}

// Ruins: broken columns.
void RuinsEntrance(const Pen& P) {
  P.R(2, 20, 20, 2.5, C(Sand, 1));
  P.Block(3, 8, 4, 12, Bone);
  P.Block(10, 12, 4, 8, Bone);
  P.Block(17, 5, 4, 15, Bone);
  P.Block(2, 6, 6, 2, Bone);
  P.Poly({{16, 5}, {22, 3}, {22, 5}}, C(Bone, 2));
  P.B(12, 21, 3, 1.5, Rock);
  P.R(4, 10, 1, 8, C(Bone, 1)), P.R(18, 7, 1, 12, C(Bone, 1));
}

// A shrine with a red roof.
void ShrineEntrance(const Pen& P) {
  P.R(3, 20, 18, 2.5, C(Bone, 1));
  P.Block(5, 11, 2, 9, Crimson), P.Block(17, 11, 2, 9, Crimson);
  P.Block(9, 13, 6, 7, Wood);
  P.Poly({{1, 11}, {4, 6}, {20, 6}, {23, 11}}, C(Crimson, 2));
  P.Poly({{1, 11}, {23, 11}, {22, 9.5}, {2, 9.5}}, C(Crimson, 1));
  P.R(4, 5, 16, 1.5, C(Gold, 3));
  P.R(11, 15, 2, 3, C(Yellow, 4));
}

// A gate of dark stone with a glowing way through.
void DarkGateEntrance(const Pen& P) {
  P.Block(2, 4, 6, 18, DkGrey), P.Block(16, 4, 6, 18, DkGrey);
  P.Block(1, 2, 22, 4, DkGrey);
  P.R(8, 6, 8, 16, C(Violet, 1));
  P.E(12, 14, 3, 6, C(Magenta, 2));
  P.E(12, 14, 1.5, 4, C(Pink, 4));
  P.R(4, 9, 2, 2, C(Red, 4)), P.R(18, 9, 2, 2, C(Red, 4));
}

// Spare: a village house.
void HouseEntrance(const Pen& P) {
  P.Block(5, 11, 14, 11, Tan);
  P.Poly({{3, 12}, {12, 4}, {21, 12}}, C(Brown, 2));
  P.R(10.5, 15, 3, 7, C(Wood, 0));
  P.R(6.5, 14, 2.5, 2.5, C(Yellow, 4));
}

// Spare: a lone peak.
void PeakEntrance(const Pen& P) {
  P.Poly({{1, 22}, {12, 2}, {23, 22}}, C(Rock, 2));
  P.Poly({{12, 2}, {23, 22}, {14, 22}}, C(Rock, 1));
  P.Poly({{9, 7.5}, {12, 2}, {15, 7.5}, {12, 6}}, C(Snow, 4));
}

// The world map's entrances, in the order of their looks; the last two are spares.
const std::array<void (*)(const Pen&), 8> kEntrancePainters = {
    CaveEntrance, TowerEntrance, CastleEntrance, RuinsEntrance,
    ShrineEntrance, DarkGateEntrance, HouseEntrance, PeakEntrance};

Pic DrawEntrance(int look) {
  Pic p(24, 24);
  Pen P{p, 1.0};
  kEntrancePainters[std::clamp(look, 0, 7)](P);
  p.Outline();
  return p;
}

Pic DrawFlash(int variant) {
  Pic p(24, 24);
  Pen P{p, 1.0};
  int ramp = variant == 0 ? Yellow : Orange;
  int n = variant == 0 ? 8 : 6;
  for (int i = 0; i < n; ++i) {
    double a = i * 6.283 / n + variant * 0.4;
    double r = i % 2 ? 7 : 11;
    P.Poly({{12 + std::cos(a) * r, 12 + std::sin(a) * r}, {12 + std::cos(a + 0.35) * 3, 12 + std::sin(a + 0.35) * 3},
            {12 + std::cos(a - 0.35) * 3, 12 + std::sin(a - 0.35) * 3}},
           C(ramp, 3));
  }
  P.E(12, 12, 3.5, 3.5, C(ramp, 4));
  P.E(12, 12, 2, 2, kWhiteIx);
  return p;
}

Pic DrawFlame(int frame) {
  Pic p(24, 24);
  Pen P{p, 1.0};
  for (int i = 0; i < 3; ++i) {
    double x = 5 + i * 7 + (frame == i ? 1 : 0);
    double h = 5 + ((i + frame) % 3) * 2.5;
    P.Poly({{x - 3, 22}, {x + (frame % 2 ? 1 : -1), 22 - h - 3}, {x + 3, 22}}, C(Red, 3));
    P.Poly({{x - 1.8, 22}, {x, 22 - h}, {x + 1.8, 22}}, C(Orange, 4));
    P.Poly({{x - 0.8, 22}, {x, 22 - h * 0.45}, {x + 0.8, 22}}, C(Yellow, 4));
  }
  return p;
}

Pic DrawFrozen() {
  Pic p(24, 24);
  Pen P{p, 1.0};
  auto flake = [&](double cx, double cy, double r) {
    P.L(cx - r, cy, cx + r, cy, 0.8, C(Ice, 4));
    P.L(cx, cy - r, cx, cy + r, 0.8, C(Ice, 4));
    P.L(cx - r * 0.7, cy - r * 0.7, cx + r * 0.7, cy + r * 0.7, 0.8, C(Ice, 3));
    P.L(cx - r * 0.7, cy + r * 0.7, cx + r * 0.7, cy - r * 0.7, 0.8, C(Ice, 3));
    P.Dot(cx, cy, kWhiteIx);
  };
  flake(19, 4.5, 3.5);
  flake(4, 8, 2.5);
  P.Poly({{1, 23}, {3, 15}, {5, 23}}, C(Ice, 3));
  P.Poly({{18, 23}, {21, 14}, {23, 23}}, C(Ice, 3));
  P.Poly({{6, 23}, {7.5, 18}, {9, 23}}, C(Ice, 4));
  p.Outline(C(Blue, 1));
  return p;
}

Pic DrawTrap() {
  Pic p(24, 24);
  Pen P{p, 1.0};
  P.Block(3, 6, 18, 14, DkGrey);
  P.R(5, 8, 14, 10, C(DkGrey, 0));
  for (int i = 0; i < 3; ++i) {
    double x = 7 + i * 5;
    P.Poly({{x - 2, 17}, {x, 9}, {x + 2, 17}}, C(Steel, 3));
    P.L(x - 0.5, 10, x - 0.5, 16, 0.6, C(Snow, 4));
  }
  P.Dot(6, 7, C(Red, 4)), P.Dot(17, 7, C(Red, 4));
  p.Outline();
  return p;
}

Pic DrawCursor() {
  Pic p(24, 24);
  p.Frame(0, 0, 24, 24, kInk);
  p.Frame(1, 1, 22, 22, C(Yellow, 4));
  p.Frame(2, 2, 20, 20, C(Gold, 2));
  p.Frame(3, 3, 18, 18, kInk);
  for (int c = 0; c < 4; ++c) {
    int x = c % 2 ? 19 : 1, y = c / 2 ? 19 : 1;
    p.Rect(x, y, 4, 4, kWhiteIx);
    p.Set(x + (c % 2 ? 0 : 3), y + (c / 2 ? 0 : 3), C(Gold, 2));
  }
  return p;
}

// ---------------------------------------------------------------- coins and status icons

Pic DrawCoin(int frame) {
  Pic p(16, 16);
  Pen P{p, 1.0};
  static const double widths[6] = {6.0, 4.4, 2.0, 0.9, 2.0, 4.4};
  double rx = widths[frame];
  P.E(8, 8, rx + 0.3, 6.3, C(Gold, 1));
  P.B(8 - (frame >= 4 ? -0.3 : 0.3), 8, std::max(0.6, rx - 0.8), 5.6, Gold, 2, 4);
  if (frame == 0) {
    P.R(7, 5, 2, 6, C(Gold, 1));
    P.R(6, 6, 4, 1, C(Gold, 1));
    P.R(6, 9, 4, 1, C(Gold, 1));
  }
  if (frame == 0 || frame == 1) p.Set(5, 4, kWhiteIx);
  p.Outline();
  return p;
}

Pic StatusIcon(int k) {
  Pic p(15, 15, C(Night, 0));
  Pic fig(15, 15);
  Pen F{fig, 1.0};
  switch (k) {
    case 0:  // sword: attack
      Blade(F, 5, 10, 12.5, 2.5, 2.0, Steel);
      F.L(2.5, 8.5, 6.5, 12.5, 1.3, C(Gold, 2));
      F.L(2.0, 13.0, 4.5, 10.5, 1.4, C(Wood, 1));
      break;
    case 1:  // armour: defence
      F.B(3.5, 4.5, 2.6, 2.2, Steel);
      F.B(11.5, 4.5, 2.6, 2.2, Steel);
      F.Poly({{4, 3}, {11, 3}, {11, 9}, {7.5, 13.5}, {4, 9}}, C(Steel, 2));
      F.L(5, 4, 5, 9, 1.0, C(Steel, 4));
      break;
    case 2:  // coin: gold
      F.B(7.5, 7.5, 5.5, 5.5, Gold, 2, 4);
      F.R(6.5, 4.5, 2, 6, C(Gold, 1));
      break;
    case 3:  // face: level
      F.B(7.5, 7.5, 5.5, 5.5, Skin);
      F.B(7.5, 4.5, 5.5, 3.0, HairBrown, 1, 4);
      F.R(5, 7, 1, 2, kInk), F.R(9, 7, 1, 2, kInk);
      F.R(6, 10.5, 3, 1, C(Red, 1));
      break;
    default:  // cup: experience
      F.Poly({{2.5, 2}, {12.5, 2}, {11, 7}, {4, 7}}, C(Gold, 2));
      F.B(7.5, 6, 4.0, 3.0, Gold, 2, 4);
      F.R(6.5, 8.5, 2, 2.5, C(Gold, 1));
      F.R(4, 11, 7, 2, C(Gold, 2));
      F.L(2.5, 3, 1.5, 6, 0.8, C(Gold, 1)), F.L(12.5, 3, 13.5, 6, 0.8, C(Gold, 1));
      break;
  }
  fig.Outline();
  p.Paste(fig, 0, 0);
  return p;
}

}  // namespace

Sheet MakeItemIcons() {
  Sheet s("item_icons", 6, 17, 15, 15);
  for (int i = 0; i < 102; ++i) s.Put(i, DrawIcon(IconFor(i)));
  return s;
}

Sheet MakeShots() {
  Sheet s("shots", 8, 13, 24, 24);
  for (int look = 0; look < 26; ++look) {
    Pic right = DrawLook(look);
    s.Put(look * 4 + 0, right.RotateCCW());
    s.Put(look * 4 + 1, right);
    s.Put(look * 4 + 2, right.RotateCW());
    s.Put(look * 4 + 3, right.MirrorX());
  }
  return s;
}

Sheet MakeSplats() {
  Sheet s("splats", 6, 2, 24, 24);
  // black oil, red blood, green, violet, blue, yellow ichor
  const int ramps[6] = {Oil, Blood, Green, Purple, Blue, Yellow};
  for (int k = 0; k < 6; ++k) {
    s.Put(2 * k, DrawSplat(ramps[k], true, k));
    s.Put(2 * k + 1, DrawSplat(ramps[k], false, k + 10));
  }
  return s;
}

Sheet MakeMarkers() {
  Sheet s("markers", 8, 2, 24, 24);
  for (int i = 0; i < 8; ++i) s.Put(i, DrawEntrance(i));
  s.Put(8, DrawFlash(0));
  s.Put(9, DrawFlash(1));
  s.Put(10, DrawCursor());
  s.Put(11, DrawTrap());
  s.Put(12, DrawFrozen());
  for (int f = 0; f < 3; ++f) s.Put(13 + f, DrawFlame(f));
  return s;
}

Sheet MakeCoins() {
  Sheet s("coins", 6, 1, 16, 16);
  for (int f = 0; f < 6; ++f) s.Put(f, DrawCoin(f));
  return s;
}

Sheet MakeStatusIcons() {
  Sheet s("status_icons", 5, 1, 15, 15);
  for (int k = 0; k < 5; ++k) s.Put(k, StatusIcon(k));
  return s;
}

}  // namespace art
