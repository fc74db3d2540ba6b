// Rolling monsters: the order of the draws, the fields written and kept, placement, and that
// every monster a floor is populated with is one the game can run.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "combat/spawn.h"
#include "combat_fixture.h"

namespace combattest {
namespace {

class SpawnTest : public CombatTest {
 protected:
  // Draws the placement the way the game does on an open floor with a wall border.
  static void ExpectPlaced(const MonsterRecord& m, Lcg& rng) {
    for (int attempt = 0; attempt < 256; ++attempt) {
      int r = rng.R(59), c = rng.R(59);
      if (r >= 1 && c >= 1) {
        EXPECT_EQ(m.X, c * 24);
        EXPECT_EQ(m.Y, r * 24);
        EXPECT_EQ(m.State, Active);
        return;
      }
    }
    FAIL() << "no placement predicted";
  }
};

TEST_F(SpawnTest, OrdinaryRowDrawsInColumnOrder) {
  G.DungeonIndex = 5;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    RandSeed = seed;
    Lcg rng{seed};
    SpawnMonster(1, 3, 2);
    const MonsterRecord& m = G.Monsters[3];
    EXPECT_EQ(m.Facing, rng.R(4));
    EXPECT_EQ(m.ExpValue, rng.R(30) + 50);
    EXPECT_EQ(m.Attack, rng.R(6) + 30);
    EXPECT_EQ(m.Defence, rng.R(15) + 20);
    EXPECT_EQ(m.MoveDelay, rng.R(5));
    EXPECT_EQ(m.MaxHP, rng.R(30) + 330);
    EXPECT_EQ(m.HP, m.MaxHP);
    EXPECT_EQ(m.Gold, rng.R(300));
    EXPECT_EQ(m.DropItem, rng.R(4) * 10 + 66);
    EXPECT_EQ(m.DropChance, 100);
    EXPECT_EQ(m.RareDropItem, 56);
    EXPECT_EQ(m.Behaviour, Hunt);
    EXPECT_EQ(m.SplatColumn, 3);
    EXPECT_EQ(m.SpriteRow, 1);
    EXPECT_EQ(m.Kind, 2);
    EXPECT_EQ(m.Shoots, 0);
    ExpectPlaced(m, rng);
    EXPECT_EQ(RandSeed, rng.seed) << "seed " << seed;
  }
}

TEST_F(SpawnTest, RowWithoutDrawsAndAShotSetsItsShotValues) {
  G.DungeonIndex = 7;
  RandSeed = 99;
  Lcg rng{99};
  SpawnMonster(1, 0, 1);
  const MonsterRecord& m = G.Monsters[0];
  EXPECT_EQ(m.Facing, rng.R(4));
  EXPECT_EQ(m.ExpValue, 85);
  EXPECT_EQ(m.Attack, rng.R(25) + 25);
  EXPECT_EQ(m.Defence, 25);
  EXPECT_EQ(m.MoveDelay, rng.R(5));
  EXPECT_EQ(m.MaxHP, rng.R(30) + 500);
  EXPECT_EQ(m.Gold, rng.R(350) + 50);
  EXPECT_EQ(m.DropItem, 56);
  EXPECT_EQ(m.DropChance, 1000);
  EXPECT_EQ(m.Shoots, 1);
  EXPECT_EQ(m.ShotLife, 5);
  EXPECT_EQ(m.ShotSpeed, 20);
  EXPECT_EQ(m.ShotLook, 18);
  EXPECT_EQ(m.ShotRate, 8);
  ExpectPlaced(m, rng);
}

TEST_F(SpawnTest, ArmourRaisesTheAttackOfDungeonOneKindTwo) {
  G.DungeonIndex = 1;
  G.ArmourItem = 64;  // defence 20
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    RandSeed = seed;
    Lcg rng{seed};
    SpawnMonster(1, 0, 2);
    rng.R(4);  // facing
    int expected = rng.R(5) + 21;
    EXPECT_EQ(G.Monsters[0].Attack, expected);
    EXPECT_GE(G.Monsters[0].Attack, 21);
    EXPECT_LE(G.Monsters[0].Attack, 25);
  }
}

TEST_F(SpawnTest, BestWeaponsAreTheRareDropOfDungeonSevenKindThree) {
  G.DungeonIndex = 7;
  std::vector<int> seen(4, 0);
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    RandSeed = seed;
    SpawnMonster(1, 0, 3);
    int rare = G.Monsters[0].RareDropItem;
    ASSERT_TRUE(rare == 9 || rare == 19 || rare == 29 || rare == 39) << rare;
    seen[rare / 10]++;
    EXPECT_EQ(G.Monsters[0].DropItem, 100);
    EXPECT_EQ(G.Monsters[0].DropChance, 2);
  }
  for (int n : seen) EXPECT_GT(n, 0);
}

TEST_F(SpawnTest, ChestContentsAndTheirDraws) {
  G.Strength = 7;
  for (int dungeon : {0, 3, 8}) {
    G.DungeonIndex = dungeon;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
      RandSeed = seed;
      Lcg rng{seed};
      SpawnMonster(1, 31, 0);
      const MonsterRecord& m = G.Monsters[31];
      rng.R(4);  // the common facing, overwritten by the chest's look
      EXPECT_EQ(m.Facing, rng.R(4));
      EXPECT_EQ(m.MaxHP, 20 * (dungeon + 1) * (dungeon + 1) + 7);
      EXPECT_EQ(m.IsChest, 1);
      EXPECT_EQ(m.SpriteRow, 8);
      EXPECT_EQ(m.Behaviour, Stand);
      EXPECT_EQ(m.MoveDelay, 10);
      EXPECT_EQ(m.Attack, 0);
      EXPECT_EQ(m.RareDropItem, 50);
      int c = rng.R(4);
      if (c == 0) {
        int family = rng.R(4) * 10;
        EXPECT_EQ(m.DropItem, family + rng.R(dungeon + 1));
        EXPECT_EQ(m.DropChance, 1);
        EXPECT_EQ(m.Gold, 0);
      } else if (c == 1) {
        int family = rng.R(4) * 10;
        EXPECT_EQ(m.DropItem, family + rng.R(dungeon + 1) + 60);
        EXPECT_EQ(m.DropChance, 1);
      } else if (c == 2) {
        EXPECT_EQ(m.DropItem, rng.R(dungeon + 1) + 50);
        EXPECT_EQ(m.DropChance, 1);
      } else {
        EXPECT_EQ(m.DropItem, 50);
        EXPECT_EQ(m.Gold, rng.R(10 * dungeon + 10) * (dungeon + 1));
        EXPECT_EQ(m.DropChance, 999999);
      }
      ExpectPlaced(m, rng);
      EXPECT_EQ(RandSeed, rng.seed);
    }
  }
}

TEST_F(SpawnTest, BossAndFinalOpponentRows) {
  G.DungeonIndex = 5;
  RandSeed = 7;
  Lcg rng{7};
  SpawnMonster(1, 39, 100);
  const MonsterRecord& b = G.Monsters[39];
  rng.R(4);
  EXPECT_EQ(b.Attack, rng.R(10) + 30);
  EXPECT_EQ(b.MaxHP, rng.R(1000) + 5000);
  EXPECT_EQ(b.Gold, rng.R(5000) + 5000);
  EXPECT_EQ(b.IsBoss, 1);
  EXPECT_EQ(b.Kind, 100);
  EXPECT_EQ(b.SpriteRow, 0);
  EXPECT_EQ(b.DropItem, 107);
  EXPECT_EQ(b.RareDropItem, 107);
  EXPECT_EQ(b.DropChance, 1);
  EXPECT_EQ(b.ExpValue, 8000);
  EXPECT_EQ(b.Shoots, 1);
  EXPECT_EQ(b.ShotLook, 22);
  ExpectPlaced(b, rng);

  G.DungeonIndex = 8;
  G.HeroIndex = 3;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    RandSeed = seed;
    Lcg r2{seed};
    SpawnMonster(1, 0, 1);
    const MonsterRecord& f = G.Monsters[0];
    r2.R(4);
    EXPECT_EQ(f.Attack, r2.R(34) + 90);
    EXPECT_EQ(f.MaxHP, r2.R(5000) + 8000);
    EXPECT_GE(f.MaxHP, 8000);
    EXPECT_LE(f.MaxHP, 12999);
    EXPECT_EQ(f.Defence, 60);
    EXPECT_EQ(f.MoveDelay, 2);
    EXPECT_EQ(f.ShotLook, 7);
    EXPECT_EQ(f.ShotRate, 1);
    EXPECT_EQ(f.ShotLife, 20);
    EXPECT_EQ(f.ShotSpeed, 25);
    EXPECT_EQ(f.Behaviour, Pursue);
    EXPECT_EQ(f.IsBoss, 0);
  }
}

TEST_F(SpawnTest, FieldsOutsideTheRowKeepWhatTheSlotHeld) {
  G.DungeonIndex = 0;
  MonsterRecord& m = G.Monsters[5];
  std::memset(&m, 0xAB, sizeof m);
  SpawnMonster(1, 5, 1);  // a row without shots
  EXPECT_EQ(m.Shoots, 0);
  EXPECT_EQ(m.ShotLife, 0xAB);
  EXPECT_EQ(m.ShotSpeed, 0xAB);
  EXPECT_EQ(m.ShotLook, 0xAB);
  EXPECT_EQ(m.ShotRate, 0xAB);
  EXPECT_EQ(m.Pad33[0], 0xAB);
  EXPECT_EQ(m.Pad94[1], 0xAB);
  EXPECT_EQ(m.IsBoss, 0);
  EXPECT_EQ(m.FreezeTicks, 0);
  EXPECT_EQ(m.BurnTicks, 0);
  EXPECT_EQ(m.StepLeft, 0);
  EXPECT_EQ(m.AnimFrame, 0);
  EXPECT_EQ(m.MoveTimer, 0);

  // A kind with no row for the dungeon rolls only the common values.
  std::memset(&m, 0xCD, sizeof m);
  m.IsBoss = 0;
  G.DungeonIndex = 8;
  SpawnMonster(1, 5, 2);
  EXPECT_EQ(m.Attack, static_cast<int32_t>(0xCDCDCDCD));
  EXPECT_EQ(m.Kind, 2);
  EXPECT_EQ(m.HP, m.MaxHP);
}

TEST_F(SpawnTest, DamagedDungeonNumberRollsNoRow) {
  G.DungeonIndex = 42;
  MonsterRecord& m = G.Monsters[2];
  std::memset(&m, 0, sizeof m);
  m.Attack = 77;
  SpawnMonster(1, 2, 1);
  EXPECT_EQ(m.Attack, 77);
  SpawnMonster(1, 2, 100);
  EXPECT_EQ(m.IsBoss, 0);
  G.DungeonIndex = -3;
  PopulateFloor();  // no table row, no crash; only the chest draws

  // A damaged floor number: no row, and no tile can be walked on.
  G.DungeonIndex = 0;
  G.FloorIndex = -1;
  PopulateFloor();
  for (const MonsterRecord& m : G.Monsters) EXPECT_EQ(m.State, Empty);
  G.FloorIndex = 10;
  PopulateFloor();
  for (const MonsterRecord& m : G.Monsters) EXPECT_EQ(m.State, Empty);
}

TEST_F(SpawnTest, PlacementNeverUsesTheLastRowOrColumn) {
  OpenFloor(false);
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    RandSeed = seed;
    SpawnMonster(1, 0, 1);
    ASSERT_EQ(G.Monsters[0].State, Active);
    EXPECT_LT(G.Monsters[0].X / 24, 59);
    EXPECT_LT(G.Monsters[0].Y / 24, 59);
  }
}

TEST_F(SpawnTest, FailedPlacementLeavesTheSlotEmptyAfter256Attempts) {
  // Only row 59 and column 59 are walkable: no attempt can succeed.
  FloorRecord& f = G.Floors[0];
  std::memset(f.Tiles, kWall, sizeof f.Tiles);
  for (int i = 0; i < 60; ++i) {
    SetTile(59, i, 0);
    SetTile(i, 59, 0);
  }
  G.Monsters[0].X = 111;
  RandSeed = 5;
  Lcg rng{5};
  SpawnMonster(1, 0, 1);
  EXPECT_EQ(G.Monsters[0].State, Empty);
  EXPECT_EQ(G.Monsters[0].X, 111);
  rng.Skip(1 + 1 + 1 + 1 + 256 * 2);  // facing, attack, delay, hp, placements
  EXPECT_EQ(RandSeed, rng.seed);
}

TEST_F(SpawnTest, ClearingModeTouchesOnlyTheState) {
  MonsterRecord& m = G.Monsters[9];
  std::memset(&m, 0x11, sizeof m);
  uint32_t seed = RandSeed;
  SpawnMonster(2, 9, 4);
  EXPECT_EQ(m.State, Empty);
  EXPECT_EQ(m.X, 0x11111111);
  EXPECT_EQ(RandSeed, seed);
  SpawnMonster(1, 40, 1);  // no such slot
  SpawnMonster(1, -1, 1);
  EXPECT_EQ(RandSeed, seed);
}

TEST_F(SpawnTest, StartUpClearsEverySlot) {
  std::memset(G.Monsters, 0x5A, sizeof G.Monsters);
  ClearAllMonsters();
  for (const MonsterRecord& m : G.Monsters) {
    EXPECT_EQ(m.State, Empty);
    MonsterRecord zero{};
    zero.State = Empty;
    EXPECT_EQ(std::memcmp(&m, &zero, sizeof m), 0);
  }
}

using PopulateTest = SpawnTest;

// One monster of a populated floor, checked against what the rest of the game can run.
void ExpectRunnable(const MonsterRecord& m, int slot) {
  SCOPED_TRACE("slot " + std::to_string(slot) + " kind " + std::to_string(m.Kind));
  EXPECT_FALSE(SolidAt(m.X, m.Y)) << "placed in a wall";
  EXPECT_TRUE(!m.IsChest || (slot >= 30 && slot <= 37)) << "a chest outside the chest slots";
  EXPECT_TRUE(!m.IsBoss || (slot == 39 && m.Kind == 100)) << "a boss outside the last slot";
  EXPECT_FALSE(ItemAt(m.DropItem).Name.empty()) << "drops item " << int(m.DropItem);
  EXPECT_FALSE(ItemAt(m.RareDropItem).Name.empty()) << "rarely drops item " << int(m.RareDropItem);
  if (m.IsChest) return;
  // A kind without a row in its dungeon would come out with the slot's old numbers.
  EXPECT_GT(m.MaxHP, 0);
  EXPECT_EQ(m.HP, m.MaxHP);
  EXPECT_GE(m.MoveDelay, 0);
  EXPECT_LE(m.Behaviour, Spin) << "a behaviour the monster pass has no case for";
  EXPECT_LT(m.SpriteRow, (m.IsBoss ? Window.BossSheet : Window.MonsterSheet).CY);
  if (m.Shoots) {
    EXPECT_GT(m.ShotLife, 0);
    EXPECT_GT(m.ShotSpeed, 0);
    EXPECT_LT(m.ShotLook * 4 + 3, Window.ShotSheet.CX * Window.ShotSheet.CY);  // look * 4 + direction
  }
}

// Every floor of every dungeon, for every hero and several seeds: whatever the population
// table says, each monster it rolls is one the game can run, and each dungeon with a boss
// rolls it on exactly one floor.
TEST_F(PopulateTest, EveryRolledMonsterIsOneTheGameCanRun) {
  for (int d = 0; d <= 8; ++d) {
    std::set<int> bossFloors;
    for (int f = 0; f <= 9; ++f) {
      for (int hero = 0; hero < 4; ++hero) {
        for (uint32_t seed : {1u, 77u, 4242u}) {
          G.DungeonIndex = d;
          G.FloorIndex = f;
          G.HeroIndex = static_cast<int8_t>(hero);
          OpenFloor();
          ClearAllMonsters();
          RandSeed = seed;
          PopulateFloor();
          for (int slot = 0; slot < 40; ++slot) {
            const MonsterRecord& m = G.Monsters[slot];
            if (m.State != Active) continue;
            SCOPED_TRACE("dungeon " + std::to_string(d) + " floor " + std::to_string(f));
            ExpectRunnable(m, slot);
            if (m.IsBoss) bossFloors.insert(f);
          }
        }
      }
    }
    EXPECT_EQ(bossFloors.size(), d < 8 ? 1u : 0u) << "dungeon " << d;
  }
}

TEST_F(PopulateTest, ChestsOnlyInSlots30To37) {
  G.DungeonIndex = 6;
  G.FloorIndex = 9;
  int chests = 0;
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    RandSeed = seed;
    PopulateFloor();
    for (int s = 0; s < 40; ++s) {
      const MonsterRecord& m = G.Monsters[s];
      if (s >= 30 && s <= 37 && m.IsChest) {
        ++chests;
        continue;
      }
      EXPECT_EQ(m.IsChest, 0) << s;
      if (s < 36) {
        EXPECT_EQ(m.Kind, 2);
      }
      if (s == 36 || s == 37 || s == 38) {
        EXPECT_EQ(m.State, Empty);
      }
    }
  }
  EXPECT_GT(chests, 0);
}

TEST_F(PopulateTest, BeatenBossIsNotRolledAgain) {
  G.DungeonIndex = 0;
  G.FloorIndex = 6;
  RandSeed = 3;
  PopulateFloor();
  ASSERT_EQ(G.Monsters[39].State, Active);
  ASSERT_EQ(G.Monsters[39].IsBoss, 1);
  int hp = G.Monsters[39].MaxHP;

  G.BossDefeated[0] = 1;
  G.Monsters[39].State = Empty;  // as its death leaves it
  PopulateFloor();
  EXPECT_EQ(G.Monsters[39].State, Empty);
  EXPECT_EQ(G.Monsters[39].MaxHP, hp);  // untouched

  // Another dungeon's flag does not hide this boss.
  G.BossDefeated[0] = 0;
  G.BossDefeated[1] = 1;
  PopulateFloor();
  EXPECT_EQ(G.Monsters[39].State, Active);
}

}  // namespace
}  // namespace combattest
