#include "gear.h"

#include "content/items.h"
#include "game/keys.h"

namespace autoplay {

namespace {

bool IsWeapon(const ItemRecord& it) { return it.Kind <= kGreatSword && !it.Name.empty(); }
bool IsArmour(const ItemRecord& it) { return it.Kind >= kLightArmour && it.Kind <= kHeavyArmour; }

int BetterSlot(const GameState& g, int (*score)(int, int), int equipped) {
  int best = score(equipped, g.HeroIndex), slot = -1;
  for (int s = 0; s < 64; ++s) {
    if (g.Inventory[s] == kNoItem) continue;
    int v = score(g.Inventory[s], g.HeroIndex);
    if (v > best) {
      best = v;
      slot = s;
    }
  }
  return slot;
}

}  // namespace

int WeaponScore(int item, int hero) {
  const ItemRecord& it = ItemAt(item);
  if (!IsWeapon(it) || it.KeyLevel >= 0 || !it.UsableBy[hero] || it.Cursed) return -1;
  // Close up every shot hits as it leaves the hand, so the attack counts most; reach and
  // more shots in flight help against what keeps its distance.
  return it.Attack * 100 + it.ShotLife * it.ShotSpeed + it.RapidFire * 10 + it.Blessed * 50;
}

int ArmourScore(int item, int hero) {
  const ItemRecord& it = ItemAt(item);
  if (!IsArmour(it) || !it.UsableBy[hero] || it.Cursed) return -1;
  return it.Defence * 10 + it.Blessed * 25;
}

int BetterWeaponSlot(const GameState& g) {
  // With a key in the hand any weapon is better than the key.
  int equipped = ItemAt(g.WeaponItem).KeyLevel >= 0 ? -1 : g.WeaponItem;
  if (equipped >= 0) return BetterSlot(g, WeaponScore, equipped);
  int best = -1, slot = -1;
  for (int s = 0; s < 64; ++s) {
    if (g.Inventory[s] == kNoItem) continue;
    int v = WeaponScore(g.Inventory[s], g.HeroIndex);
    if (v > best) {
      best = v;
      slot = s;
    }
  }
  return slot;
}

int BetterArmourSlot(const GameState& g) { return BetterSlot(g, ArmourScore, g.ArmourItem); }

int BestAttack(const GameState& g) {
  int best = WeaponScore(g.WeaponItem, g.HeroIndex) >= 0 ? ItemAt(g.WeaponItem).Attack : 0;
  for (int s = 0; s < 64; ++s)
    if (g.Inventory[s] != kNoItem && WeaponScore(g.Inventory[s], g.HeroIndex) >= 0 &&
        ItemAt(g.Inventory[s]).Attack > best)
      best = ItemAt(g.Inventory[s]).Attack;
  return g.Strength + best;
}

int KeySlot(const GameState& g, int dungeon) {
  int slot = -1, level = 1000;
  for (int s = 0; s < 64; ++s) {
    if (g.Inventory[s] == kNoItem) continue;
    int k = ItemAt(g.Inventory[s]).KeyLevel;
    if (k >= dungeon && k < level) {
      level = k;
      slot = s;
    }
  }
  return slot;
}

bool KeyEquippedFor(const GameState& g, int dungeon) { return ItemAt(g.WeaponItem).KeyLevel >= dungeon; }

int MedicineSlot(const GameState& g, bool urgent) {
  int missing = g.MaxHP - g.HP;
  if (missing <= 0) return -1;
  int slot = -1, bestWaste = 1 << 30, biggest = -1, biggestSlot = -1;
  for (int s = 0; s < 64; ++s) {
    if (g.Inventory[s] == kNoItem) continue;
    const ItemRecord& it = ItemAt(g.Inventory[s]);
    if (it.Kind != kMedicine || it.Heal <= 0) continue;
    if (it.Cursed) return s;  // never used up
    if (it.Heal > biggest) {
      biggest = it.Heal;
      biggestSlot = s;
    }
    int waste = it.Heal - missing;
    if (waste >= 0 && waste < bestWaste) {
      bestWaste = waste;
      slot = s;
    }
  }
  if (slot >= 0) return slot;
  // Nothing covers the whole loss: the biggest, if it is worth its place or need is pressing.
  if (biggestSlot >= 0 && (urgent || biggest * 2 >= missing)) return biggestSlot;
  return -1;
}

int MedicineCount(const GameState& g) {
  int n = 0;
  for (uint8_t item : g.Inventory)
    if (item != kNoItem && ItemAt(item).Kind == kMedicine && ItemAt(item).Heal > 0) ++n;
  return n;
}

int EscapeSlot(const GameState& g) {
  for (int s = 0; s < 64; ++s)
    if (g.Inventory[s] != kNoItem && ItemAt(g.Inventory[s]).Kind == kEscapeItem) return s;
  return -1;
}

int CarriedCount(const GameState& g) {
  int n = 0;
  for (uint8_t item : g.Inventory) n += item != kNoItem;
  return n;
}

int JunkSlot(const GameState& g) {
  int weakestMedicine = -1, weakestHeal = 1 << 30;
  for (int s = 0; s < 64; ++s) {
    int item = g.Inventory[s];
    if (item == kNoItem) continue;
    const ItemRecord& it = ItemAt(item);
    if (it.Kind == kMedicine && it.Heal <= 0) return s;
    if (IsWeapon(it) && it.KeyLevel < 0 && WeaponScore(item, g.HeroIndex) <= WeaponScore(g.WeaponItem, g.HeroIndex))
      return s;
    if (IsArmour(it) && ArmourScore(item, g.HeroIndex) <= ArmourScore(g.ArmourItem, g.HeroIndex)) return s;
    if (it.KeyLevel >= 0 && KeySlot(g, it.KeyLevel) != s) return s;  // a weaker key than another
    if (it.Kind == kMedicine && !it.Cursed && it.Heal < weakestHeal) {
      weakestHeal = it.Heal;
      weakestMedicine = s;
    }
  }
  return weakestMedicine;
}

std::vector<uint16_t> MenuPresses(int cursor, int slot, uint16_t action) {
  std::vector<uint16_t> keys;
  for (int c = cursor; c < slot; ++c) keys.push_back(VK_RIGHT);
  for (int c = cursor; c > slot; --c) keys.push_back(VK_LEFT);
  keys.push_back(action);
  return keys;
}

}  // namespace autoplay
