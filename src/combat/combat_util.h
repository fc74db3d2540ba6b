// Small shared pieces of the combat blocks: the equipped items, the hero's armour value,
// the view position of a floor point and the boxes that decide touching, hitting and nearness.
#pragma once

#include <cstdint>

#include "content/items.h"
#include "state/state.h"

namespace combat {

// Equipment numbers come from saved games too; ItemAt reads anything out of range as the
// empty record instead of running off the table.
inline const ItemRecord& Weapon() { return ItemAt(G.WeaponItem); }
inline const ItemRecord& Armour() { return ItemAt(G.ArmourItem); }

// What a monster's attack is measured against.
inline int64_t ArmourValue() { return static_cast<int64_t>(Armour().Defence) + G.Defence; }

inline int ViewX(int floorX) { return floorX - G.HeroX + 144; }
inline int ViewY(int floorY) { return floorY - G.HeroY + 96; }

// Both coordinate differences within reach (top-left corners compared).
inline bool WithinBox(int x, int y, int cx, int cy, int reach) {
  return cx - reach <= x && x <= cx + reach && cy - reach <= y && y <= cy + reach;
}
inline bool TouchesHero(int x, int y) { return WithinBox(x, y, G.HeroX, G.HeroY, 12); }

// The part of the floor around the hero where things are drawn, hit and picked up.
inline bool NearHero(int x, int y) {
  int64_t dx = static_cast<int64_t>(x) - G.HeroX;
  int64_t dy = static_cast<int64_t>(y) - G.HeroY;
  return -160 <= dx && dx <= 160 && -120 <= dy && dy <= 120;
}

// Hit points lowered by an amount that may be large; never below 0.
inline void LoseHP(int64_t amount) {
  int64_t hp = static_cast<int64_t>(G.HP) - amount;
  G.HP = hp < 0 ? 0 : static_cast<int32_t>(hp > INT32_MAX ? INT32_MAX : hp);
}

// Clamped addition for counters that a damaged save could push near the int32 limit.
inline int32_t AddCapped(int32_t value, int64_t add, int32_t cap) {
  int64_t v = static_cast<int64_t>(value) + add;
  if (v >= cap) return cap;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace combat
