// Shots of the hero, of the monsters and of the traps; the hit rule; the weapon in the
// hero's hand; the curse and blessing of equipment; the darkness of some floors.
#include "combat/shots.h"

#include <algorithm>
#include <cstring>

#include "combat/combat_util.h"
#include "gfx/sprite.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/records.h"
#include "state/state.h"
#include "content/heroes.h"
#include "screens/pictures.h"

using combat::Weapon;

namespace {

constexpr int kShotSlots = 10;

uint8_t Opposite(uint8_t direction) {
  return direction <= kFacingLeft ? static_cast<uint8_t>(direction ^ 2) : direction;
}

// The first inactive entry among the first `count` hero shots, or null.
ShotRecord* FreeHeroShot(int count) {
  count = std::min(count, kShotSlots);
  for (int i = 0; i < count; ++i) {
    if (!G.HeroShots[i].Active) return &G.HeroShots[i];
  }
  return nullptr;
}

// Firing writes only these fields; the shot's attack and second byte keep what they held.
void Launch(ShotRecord& s, const ItemRecord& w, uint8_t direction) {
  s.Active = 1;
  s.X = G.HeroX;
  s.Y = G.HeroY;
  s.Direction = direction;
  s.Speed = w.ShotSpeed;
  s.Life = w.ShotLife;
  s.HeldLook = w.HeldLook;
  s.Look = w.ShotLook;
}

void Advance(ShotRecord& s) {
  switch (s.Direction) {
    case kFacingUp: s.Y -= s.Speed; break;
    case kFacingRight: s.X += s.Speed; break;
    case kFacingDown: s.Y += s.Speed; break;
    case kFacingLeft: s.X -= s.Speed; break;
    default: break;
  }
}

// Steps 1 to 5 of a shot's flight. Returns false when the shot stopped before moving.
bool Fly(ShotRecord& s) {
  if (OutsideFloor(s.X, s.Y)) {
    s.Active = 0;
    return false;
  }
  // The centre test: a centre beyond the floor's edge counts as a wall.
  if (SolidAt(s.X + 12, s.Y + 12)) {
    s.Active = 0;
    return false;
  }
  s.Life = combat::AddCapped(s.Life, -1, INT32_MAX);
  if (s.Life <= 0) s.Active = 0;  // its last tick: it still moves, shows and hits
  Advance(s);
  DrawCell(Window.ShotSheet, s.Look * 4 + s.Direction, combat::ViewX(s.X), combat::ViewY(s.Y));
  return true;
}

void HitHero(ShotRecord& s) {
  if (!combat::WithinBox(s.X, s.Y, G.HeroX, G.HeroY, 16)) return;
  s.Active = 0;
  int64_t damage = static_cast<int64_t>(s.Attack) - combat::ArmourValue();
  if (damage > 0) {
    combat::LoseHP(damage);
  } else if (Random(2) == 0) {
    combat::LoseHP(1);
  }
}

}  // namespace

void FireHeroShots() {
  G.SpeechIndex = kLineAttacking;
  const ItemRecord& w = Weapon();
  if (ShotRecord* s = FreeHeroShot(w.RapidFire + 1)) {
    Launch(*s, w, G.Facing);
    if (w.Cursed) combat::LoseHP(1);
  }
  if (w.FiresBack) {
    if (ShotRecord* s = FreeHeroShot(w.RapidFire + 2)) Launch(*s, w, Opposite(G.Facing));
  }
}

bool ResolveHeroShotHit(MonsterRecord& m) {
  const ItemRecord& w = Weapon();
  int64_t attack = static_cast<int64_t>(w.Attack) + G.Strength;
  // Keys open chests up to their level and cannot hurt monsters; weapons cannot open chests.
  bool fits = m.IsChest ? w.KeyLevel >= G.DungeonIndex : w.KeyLevel == -1;
  if (attack > m.Defence && fits) {
    m.HP = combat::AddCapped(m.HP, -(attack - m.Defence), INT32_MAX);
    if (m.FreezeTicks == 0) m.MoveTimer = m.MoveDelay;
    if (w.Freezing) m.FreezeTicks = combat::AddCapped(m.FreezeTicks, 20, INT32_MAX);
    if (w.Burning) m.BurnTicks = combat::AddCapped(m.BurnTicks, 20, INT32_MAX);
    return true;
  }
  G.SpeechIndex = kLineNoEffect;
  return false;
}

void MoveShots() {
  for (ShotRecord& s : G.HeroShots) {
    if (s.Active) Fly(s);
  }
  for (ShotRecord& s : G.MonsterShots) {
    if (s.Active && Fly(s)) HitHero(s);
  }
}

void DrawHeldWeapon() {
  const ItemRecord& w = Weapon();
  if (w.HeldLook == 14) return;  // nothing shown for this weapon
  const int cell = w.HeldLook * 4 + G.Facing;
  switch (G.Facing) {
    case kFacingUp: DrawCell(Window.ShotSheet, cell, 144, 76 - Random(4)); break;
    case kFacingRight: DrawCell(Window.ShotSheet, cell, 164 + Random(4), 96); break;
    case kFacingDown: DrawCell(Window.ShotSheet, cell, 144, 116 + Random(4)); break;
    case kFacingLeft: DrawCell(Window.ShotSheet, cell, 124 - Random(4), 96); break;
    default: break;
  }
}

void SpawnTrapArrow(int slot, int direction) {
  if (slot < 0 || slot >= kShotSlots) return;
  ShotRecord& s = G.MonsterShots[slot];
  s.Active = 1;
  s.Direction = static_cast<uint8_t>(direction);
  switch (direction) {  // it comes from 100 pixels away, on the side it flies from
    case kFacingUp: s.X = G.HeroX; s.Y = G.HeroY + 100; break;
    case kFacingRight: s.X = G.HeroX - 100; s.Y = G.HeroY; break;
    case kFacingDown: s.X = G.HeroX; s.Y = G.HeroY - 100; break;
    case kFacingLeft: s.X = G.HeroX + 100; s.Y = G.HeroY; break;
    default: break;
  }
  s.Speed = 10;
  s.Life = 20;
  s.Look = 5;
  s.Attack = 1;
}

void EquipmentEffects() {
  const ItemRecord& armour = combat::Armour();
  if (Weapon().Blessed || armour.Blessed) {
    if (Random(15) == 0) {
      int64_t healed = static_cast<int64_t>(G.HP) + Random(G.Level) + 1;
      G.HP = static_cast<int32_t>(std::min<int64_t>(healed, G.MaxHP));
    }
  }
  if (armour.Cursed && Random(10) == 0) combat::LoseHP(1);
}

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

// Keeps the colour bits of n pixels, four at a time (an optimised build makes no vectors of
// a plain loop here). The last four are taken as one step even where they overlap the step
// before: keeping bits twice gives the same pixels.
void KeepColourBits(gfx::Color* p, int n) {
  typedef uint32_t Four __attribute__((vector_size(16)));
  const Four white = {gfx::kWhite, gfx::kWhite, gfx::kWhite, gfx::kWhite};
  if (n < 4) {
    for (int i = 0; i < n; ++i) p[i] &= gfx::kWhite;
    return;
  }
  const auto step = [&](int i) {
    Four v;
    std::memcpy(&v, p + i, sizeof v);
    v &= white;
    std::memcpy(p + i, &v, sizeof v);
  };
  for (int i = 0; i + 4 < n; i += 4) step(i);
  step(n - 4);
}

// The revision Backdrop had when the mask was last copied there; none before the first.
bool backdropMasked = false;
uint64_t backdropMaskedAt = 0;

}  // namespace

void DrawLitFloorWindow(gfx::Bitmap& frame) {
  const Darkness& dark = DarknessPicture();
  if (!dark.simple) return DrawFloorWindow(frame);
  DrawFloorWindowWithin(frame, dark.runStart, dark.runEnd);
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
  // The view ANDed with the mask row by row, the mask taken from its runs: black clears
  // the row outside the run, white keeps the colour bits inside it.
  for (int y = 0; y < kViewHeight; ++y) {
    gfx::Color* row = view.Row(y);
    const int x0 = dark.runStart[y], x1 = dark.runEnd[y];
    std::fill(row, row + x0, gfx::kBlack);
    KeepColourBits(row + x0, x1 - x0);
    std::fill(row + x1, row + kViewWidth, gfx::kBlack);
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
