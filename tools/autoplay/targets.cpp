#include "targets.h"

#include <algorithm>

#include "content/items.h"
#include "gear.h"

namespace autoplay {

bool IsBossOf(const GameState& g, int slot) {
  // The final opponent stands in the first slot of its hall, without the boss mark.
  return g.Monsters[slot].IsBoss || (g.DungeonIndex == 8 && g.FloorIndex == 5 && slot == 0);
}

Power PowerOf(const GameState& g) {
  Power p;
  p.attack = BestAttack(g);
  p.armour = g.Defence + ItemAt(g.ArmourItem).Defence;
  p.keyLevel = ItemAt(g.WeaponItem).KeyLevel;
  for (uint8_t item : g.Inventory)
    if (item != kNoItem && ItemAt(item).KeyLevel > p.keyLevel) p.keyLevel = ItemAt(item).KeyLevel;
  p.hp = g.HP;
  p.speed = g.HeroSpeed[g.HeroIndex & 3];
  return p;
}

bool CanHurt(const MonsterRecord& m, const Power& p, int dungeon) {
  if (m.IsChest) return p.keyLevel >= dungeon;
  return p.attack > m.Defence;
}

bool TooStrong(const MonsterRecord& m, const Power& p) {
  if (m.IsChest) return false;
  return (m.Attack - p.armour) * 4 > p.hp;
}

namespace {

void Consider(Target& best, Aim aim, int index, int x, int y, int cost) {
  if (best.aim == Aim::None || cost < best.cost) best = {aim, index, x, y, cost};
}

// Steps to the nearest monster that fights back.
int NearestFoe(const GameState& g, const Distances& d) {
  int best = Distances::kUnreached;
  for (const MonsterRecord& m : g.Monsters)
    if (m.State == Active && !m.IsChest) best = std::min(best, d.To(TileOfBox(m.X, m.Y)));
  return best;
}

void ConsiderMonsters(Target& best, const GameState& g, const Distances& d, const Power& p,
                      int radius, const std::function<bool(Aim, int)>& banned) {
  // A chest takes a while with a key in the hand, which cannot hurt a monster: not with
  // monsters about.
  bool foesNear = NearestFoe(g, d) <= 6;
  for (int i = 0; i < 40; ++i) {
    const MonsterRecord& m = g.Monsters[i];
    if (m.State != Active || banned(m.IsChest ? Aim::Chest : Aim::Monster, i) || !CanHurt(m, p, g.DungeonIndex))
      continue;
    if (m.IsChest && foesNear) continue;
    bool boss = IsBossOf(g, i);
    if (boss && !p.fightBoss) continue;
    if (!boss && TooStrong(m, p)) continue;
    int cost = d.To(TileOfBox(m.X, m.Y));
    if (cost > radius) continue;
    // The boss is what the trip is for; chests take a while to open.
    int bias = boss ? -40 : m.IsChest ? 6 : 2;
    Consider(best, m.IsChest ? Aim::Chest : Aim::Monster, i, m.X, m.Y, cost + bias);
  }
}

}  // namespace

Target ChooseTarget(const GameState& g, const Distances& d, const Power& p, int radius, int skip) {
  return ChooseTarget(g, d, p, radius, [skip](Aim aim, int index) {
    return (aim == Aim::Monster || aim == Aim::Chest) && index == skip;
  });
}

Target ChooseTarget(const GameState& g, const Distances& d, const Power& p, int radius,
                    const std::function<bool(Aim, int)>& banned) {
  Target best;
  for (int i = 0; i < 100; ++i) {
    const CoinRecord& c = g.Coins[i];
    if (!c.Active || banned(Aim::Coin, i)) continue;
    int cost = d.To(TileOfBox(c.X, c.Y));
    // Only a coin the hero can reach before it fades.
    if (cost > radius || cost * kTile > c.Lifetime * p.speed) continue;
    Consider(best, Aim::Coin, i, c.X, c.Y, cost - 4);
  }
  bool bagFull = CarriedCount(g) >= 64;
  for (int i = 0; i < 100 && !bagFull; ++i) {
    const FloorItemRecord& it = g.FloorItems[i];
    if (!it.Present || banned(Aim::Item, i)) continue;
    int cost = d.To(TileOfBox(it.X, it.Y));
    if (cost <= radius) Consider(best, Aim::Item, i, it.X, it.Y, cost - 2);
  }
  if (p.hunt) ConsiderMonsters(best, g, d, p, radius, banned);
  return best;
}

void Bans::Add(Aim aim, int index, int tick, int base) {
  for (Ban& b : bans_) {
    if (b.aim != aim || b.index != index) continue;
    b.times = std::min(b.times + 1, 6);
    b.until = tick + (base << b.times);
    return;
  }
  bans_.push_back({aim, index, tick + base, 0});
}

bool Bans::Holds(Aim aim, int index, int tick) const {
  for (const Ban& b : bans_)
    if (b.aim == aim && b.index == index) return tick < b.until;
  return false;
}

}  // namespace autoplay
