// Shots of the hero, of the monsters and of the traps; the hit rule; the weapon in the
// hero's hand; the curse and blessing of equipment.
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

