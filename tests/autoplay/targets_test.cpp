// The scripted player's choice of target and of gear: what it goes for first, what it leaves
// alone, and what it would never put on.
#include <gtest/gtest.h>

#include <cstring>

#include "autoplay/gear.h"
#include "autoplay/targets.h"
#include "content/items.h"
#include "state/state.h"
#include "game/keys.h"
#include "support/test_support.h"

using namespace autoplay;

namespace {

class AutoplayChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    std::memset(&G.Floors[0], 0, sizeof(FloorRecord));
    G.Floors[0].Attr[1] = 1;
    for (MonsterRecord& m : G.Monsters) m.State = Empty;
    std::memset(G.Inventory, kNoItem, sizeof G.Inventory);
    G.HeroIndex = 0;
    G.HeroX = G.HeroY = 240;  // tile (10, 10)
    G.Strength = 10;
    G.HP = G.MaxHP = 100;
    G.WeaponItem = 0;
    G.ArmourItem = 60;
    G.DungeonIndex = 1;
  }
  Distances Ways() { return Distances(FloorMap(G.Floors[0]), TileOfBox(G.HeroX, G.HeroY)); }
  MonsterRecord& Monster(int slot, int col, int row, int defence) {
    MonsterRecord& m = G.Monsters[slot];
    m = MonsterRecord{};
    m.State = Active;
    m.X = col * 24;
    m.Y = row * 24;
    m.Defence = defence;
    m.Attack = 5;
    return m;
  }
};

}  // namespace

TEST_F(AutoplayChoice, NearestThingTheHeroCanDealWith) {
  Power p = PowerOf(G);
  EXPECT_EQ(p.attack, 11);
  Monster(0, 13, 10, 50);  // too well armoured to hurt: left alone
  Monster(1, 20, 10, 0);
  Target t = ChooseTarget(G, Ways(), p, 1000, -1);
  EXPECT_EQ(t.aim, Aim::Monster);
  EXPECT_EQ(t.index, 1);
  // A slot the hero could not get at is passed over.
  Monster(2, 12, 10, 0);
  EXPECT_EQ(ChooseTarget(G, Ways(), p, 1000, -1).index, 2);
  EXPECT_EQ(ChooseTarget(G, Ways(), p, 1000, 2).index, 1);
  // Outside the radius nothing is chosen.
  EXPECT_EQ(ChooseTarget(G, Ways(), p, 1, -1).aim, Aim::None);
  // A monster whose blows would take a third of the hero's life is not sought out.
  G.Monsters[1].State = G.Monsters[2].State = Empty;
  Monster(3, 12, 10, 0).Attack = 60;
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::None);
}

TEST_F(AutoplayChoice, NothingAcrossTheWaterAndNothingLetGoOf) {
  // A row of water (solid) from wall to wall: what lies beyond it cannot be walked to, and a
  // shot stops at the water too.
  G.Floors[0].Attr[9] = 1;
  for (int c = 0; c < kGrid; ++c) G.Floors[0].Tiles[c * kGrid + 12] = 9;
  Monster(0, 10, 14, 0);  // beyond the water, four tiles away as the crow flies
  CoinRecord& c = G.Coins[1];
  c.Active = 1;
  c.X = 10 * 24;
  c.Y = 13 * 24;
  c.Lifetime = 500;
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1 << 20, -1).aim, Aim::None);
  // On the hero's side: chosen, until it is let go of.
  Monster(1, 18, 10, 0);
  c.Y = 11 * 24;
  Bans bans;
  int tick = 0;
  auto banned = [&](Aim aim, int index) { return bans.Holds(aim, index, tick); };
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1 << 20, banned).aim, Aim::Coin);
  bans.Add(Aim::Coin, 1, tick, 100);
  Target t = ChooseTarget(G, Ways(), PowerOf(G), 1 << 20, banned);
  EXPECT_EQ(t.aim, Aim::Monster);
  EXPECT_EQ(t.index, 1);
  tick = 100;  // the ban is over
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1 << 20, banned).aim, Aim::Coin);
  // Let go of again: twice as long this time.
  bans.Add(Aim::Coin, 1, tick, 100);
  EXPECT_TRUE(bans.Holds(Aim::Coin, 1, 299));
  EXPECT_FALSE(bans.Holds(Aim::Coin, 1, 300));
  EXPECT_FALSE(bans.Holds(Aim::Monster, 1, 150));  // a coin's slot is not a monster's
  bans.Clear();  // another floor
  EXPECT_FALSE(bans.Holds(Aim::Coin, 1, 150));
}

TEST_F(AutoplayChoice, CoinsBeforeTheyFadeChestsOnlyWithAKey) {
  Monster(0, 14, 10, 0);
  CoinRecord& c = G.Coins[5];
  c.Active = 1;
  c.X = 16 * 24;
  c.Y = 240;
  c.Lifetime = 200;
  Target t = ChooseTarget(G, Ways(), PowerOf(G), 1000, -1);
  EXPECT_EQ(t.aim, Aim::Coin);  // a little farther, but coins do not wait
  c.Lifetime = 10;              // 6 tiles at 6 pixels a tick: gone before the hero is there
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::Monster);
  G.Monsters[0].State = Empty;
  c.Active = 0;
  MonsterRecord& chest = Monster(30, 12, 10, 0);
  chest.IsChest = 1;
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::None);
  G.Inventory[0] = 101;  // opens dungeon 0 only
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::None);
  G.Inventory[1] = 102;
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::Chest);
  EXPECT_EQ(KeySlot(G, 1), 1);
  EXPECT_EQ(KeySlot(G, 0), 0);  // the weakest key that fits
  // A boss is left alone while the player is not ready for it.
  chest.State = Empty;
  Monster(39, 12, 10, 0).IsBoss = 1;
  Power p = PowerOf(G);
  p.fightBoss = false;
  EXPECT_EQ(ChooseTarget(G, Ways(), p, 1000, -1).aim, Aim::None);
  // The final opponent carries no boss mark, and is fought however hard it hits once the
  // player is ready for it; elsewhere so strong a monster is avoided.
  G.Monsters[39].State = Empty;
  Monster(0, 14, 10, 0).Attack = 500;
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::None);
  G.DungeonIndex = 8;
  G.FloorIndex = 5;
  EXPECT_TRUE(IsBossOf(G, 0));
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).index, 0);
  G.FloorIndex = 4;
  EXPECT_EQ(ChooseTarget(G, Ways(), PowerOf(G), 1000, -1).aim, Aim::None);
}

TEST_F(AutoplayChoice, GearWorthWearingAndMedicineWorthTaking) {
  G.Inventory[0] = 7;   // cursed: never
  G.Inventory[1] = 10;  // a dagger: weaker
  G.Inventory[2] = 2;   // better, allowed to every hero
  G.Inventory[3] = 101; // a key is no weapon
  G.Inventory[4] = 62;  // better armour
  G.Inventory[5] = 86;  // a dress hero 0 may not wear
  EXPECT_EQ(BetterWeaponSlot(G), 2);
  EXPECT_EQ(BetterArmourSlot(G), 4);
  G.WeaponItem = 101;   // with a key in the hand the best weapon comes back
  G.Inventory[2] = 1;
  EXPECT_EQ(BetterWeaponSlot(G), 2);
  G.Inventory[2] = 0;  // as strong as the dagger, but the dagger reaches farther
  EXPECT_EQ(BetterWeaponSlot(G), 1);
  // Medicine: the one that covers the loss with least waste; none at full health.
  std::memset(G.Inventory, kNoItem, sizeof G.Inventory);
  G.Inventory[0] = 52;  // poison: never taken, first to go
  G.Inventory[1] = 54;
  G.Inventory[2] = 51;
  G.Inventory[3] = 53;
  EXPECT_EQ(MedicineSlot(G, false), -1);
  G.HP = 60;
  EXPECT_EQ(MedicineSlot(G, false), 3);
  G.HP = 90;
  EXPECT_EQ(MedicineSlot(G, false), 2);
  EXPECT_EQ(JunkSlot(G), 0);
  EXPECT_EQ(MedicineCount(G), 3);
  EXPECT_EQ(EscapeSlot(G), -1);
  G.Inventory[4] = 100;
  EXPECT_EQ(EscapeSlot(G), 4);
  // The menu walk: the cursor goes right or left one slot a press, then the action.
  std::vector<uint16_t> keys = MenuPresses(5, 2, VK_SPACE);
  EXPECT_EQ(keys, (std::vector<uint16_t>{VK_LEFT, VK_LEFT, VK_LEFT, VK_SPACE}));
  EXPECT_EQ(MenuPresses(0, 0, VK_RETURN), (std::vector<uint16_t>{VK_RETURN}));
}
