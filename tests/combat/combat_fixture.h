// A fresh dungeon scene for the combat tests: an open floor with a wall border, the hero
// in the middle, nothing on the floor; and a private copy of the generator so that a test
// can say which draws a rule must make.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "content/items.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/records.h"
#include "state/state.h"
#include "support/test_support.h"

namespace combattest {

// The same generator as the game's, stepped on its own seed.
struct Lcg {
  uint32_t seed;
  int32_t R(int32_t n) {
    seed = seed * 134775813u + 1u;
    return n <= 0 ? 0 : static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
  }
  void Skip(int draws) {
    for (int i = 0; i < draws; ++i) R(1);
  }
};

constexpr uint8_t kWall = 1;

// Every tile walkable (value 0) except, when border is set, the outermost ring (value 1).
inline void OpenFloor(bool border = true) {
  FloorRecord& f = G.Floors[G.FloorIndex];
  std::memset(&f, 0, sizeof f);
  f.Attr[kWall] = 1;
  if (!border) return;
  for (int i = 0; i < kFloorTiles; ++i) {
    f.Tiles[i * kFloorTiles + 0] = kWall;
    f.Tiles[i * kFloorTiles + 59] = kWall;
    f.Tiles[0 * kFloorTiles + i] = kWall;
    f.Tiles[59 * kFloorTiles + i] = kWall;
  }
}

inline void SetTile(int column, int row, uint8_t value) {
  G.Floors[G.FloorIndex].Tiles[column * kFloorTiles + row] = value;
}

// Gives a sheet a plain picture of one colour (no key colour in it), so that a drawing test
// does not depend on the game's art: every cell of it shows as a solid 24 x 24 box.
inline void PlainSheet(gfx::TSprite& sheet, gfx::TImage& destination, int cx, int cy,
                       gfx::Color colour = gfx::Rgb(200, 40, 40)) {
  gfx::Bitmap picture(cx * 24, cy * 24, colour);
  sheet.LoadStored(picture, &destination, cx, cy, 0, true, gfx::kTeal);
}

// An empty item row the tests may shape into any weapon or armour they need.
constexpr int kTestWeapon = 140;
constexpr int kTestArmour = 141;

inline ItemRecord& MakeWeapon(int attack, int rapid = 0, int life = 10, int speed = 10) {
  ItemRecord& w = Items[kTestWeapon];
  w = ItemRecord{};
  w.Kind = 0;
  w.Attack = attack;
  w.RapidFire = static_cast<uint8_t>(rapid);
  w.ShotLife = static_cast<uint8_t>(life);
  w.ShotSpeed = static_cast<uint8_t>(speed);
  w.HeldLook = 0;
  w.ShotLook = 1;
  w.KeyLevel = -1;
  G.WeaponItem = kTestWeapon;
  return w;
}

inline ItemRecord& MakeArmour(int defence) {
  ItemRecord& a = Items[kTestArmour];
  a = ItemRecord{};
  a.Kind = 5;
  a.Defence = defence;
  G.ArmourItem = kTestArmour;
  return a;
}

class CombatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    G.GameMode = kModePlay;
    G.DungeonIndex = 0;
    G.FloorIndex = 0;
    OpenFloor();
    G.HeroX = 30 * 24;
    G.HeroY = 30 * 24;
    G.Facing = 2;
    G.Level = 1;
    G.MaxHP = 100;
    G.HP = 100;
    G.Strength = 5;
    G.Defence = 0;
    G.HeroIndex = 0;
    G.WeaponItem = 0;
    G.ArmourItem = 60;
    std::memset(G.Inventory, kNoItem, sizeof G.Inventory);
    RandSeed = 12345;
  }

  // An active ordinary monster that neither moves nor shoots unless told to.
  MonsterRecord& PutMonster(int slot, int x, int y) {
    MonsterRecord& m = G.Monsters[slot];
    std::memset(&m, 0, sizeof m);
    m.State = Active;
    m.Kind = 1;
    m.X = x;
    m.Y = y;
    m.MaxHP = m.HP = 100;
    m.Width = m.Height = 20;
    m.Behaviour = Stand;
    m.MoveDelay = 1000;
    m.DropChance = 999999;
    m.RareDropItem = 50;
    m.DropItem = 50;
    return m;
  }

  ShotRecord& PutHeroShot(int slot, int x, int y) {
    ShotRecord& s = G.HeroShots[slot];
    std::memset(&s, 0, sizeof s);
    s.Active = 1;
    s.X = x;
    s.Y = y;
    s.Life = 10;
    return s;
  }
};

// A monster at a fixed place beside the hero, dying on its next turn with loot to give.
class DeathTest : public CombatTest {
 protected:
  MonsterRecord& Doomed(int slot) {
    MonsterRecord& m = PutMonster(slot, G.HeroX + 48, G.HeroY + 24);
    m.HP = 0;
    m.ExpValue = 10;
    m.Gold = 25;
    m.DropItem = 53;
    m.DropChance = 1;
    m.RareDropItem = 9;
    m.SplatColumn = 2;
    return m;
  }
};

}  // namespace combattest
