// The monster pass: coming back, strides, steps, strikes, burning and freezing, hits,
// deaths with their loot, and the end of the game.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/sound.h"
#include "combat/monsters.h"
#include "combat_fixture.h"
#include "state/window_model.h"

namespace combattest {
namespace {

using MonsterPassTest = CombatTest;

// ---- coming back -------------------------------------------------------------------------

TEST_F(MonsterPassTest, DormantMonsterComesBackWithoutATurn) {
  int back = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    MonsterRecord& m = PutMonster(0, 100, 100);
    m.State = Dormant;
    m.HP = -5;
    m.FreezeTicks = 9;
    m.BurnTicks = 9;
    m.MoveTimer = 3;
    m.MoveDelay = 0;
    RandSeed = seed;
    Lcg rng{seed};
    MonsterPass();
    bool chance = rng.R(20) == 0;
    if (!chance) {
      EXPECT_EQ(m.State, Dormant);
      EXPECT_EQ(RandSeed, rng.seed);
      continue;
    }
    int r = rng.R(59), c = rng.R(59);
    EXPECT_EQ(RandSeed, rng.seed);
    if (r == 0 || c == 0) {  // the wall border
      EXPECT_EQ(m.State, Dormant);
      continue;
    }
    ++back;
    EXPECT_EQ(m.State, Active);
    EXPECT_EQ(m.X, c * 24);
    EXPECT_EQ(m.Y, r * 24);
    EXPECT_EQ(m.HP, 100);
    EXPECT_EQ(m.FreezeTicks, 0);
    EXPECT_EQ(m.BurnTicks, 0);
    EXPECT_EQ(m.MoveTimer, 3);  // it has not taken a turn yet
  }
  EXPECT_GT(back, 5);
}

// ---- strides -----------------------------------------------------------------------------

struct StrideCase {
  int dx, dy;  // hero minus monster
  int toward, away;
};

TEST_F(MonsterPassTest, HuntAndEscapeFaceTowardAndAwayFromTheHero) {
  const StrideCase cases[] = {
      {50, 10, 1, 3},    // both ahead, mostly right
      {10, 50, 2, 0},    // both ahead, mostly down
      {30, 30, 2, 0},    // equal: down
      {0, 0, 2, 0},
      {-50, -10, 3, 1},  // dx < dy
      {-10, -50, 0, 2},
      {40, -10, 0, 2},   // one negative: dx < dy fails
      {-40, 10, 3, 1},
  };
  for (const StrideCase& c : cases) {
    for (int beh : {Hunt, Escape}) {
      MonsterRecord& m = PutMonster(0, G.HeroX - c.dx, G.HeroY - c.dy);
      m.Behaviour = static_cast<uint8_t>(beh);
      m.MoveDelay = 0;
      MonsterPass();
      EXPECT_EQ(m.Facing, beh == Hunt ? c.toward : c.away) << c.dx << "," << c.dy;
      EXPECT_EQ(m.StepLeft, 24 - 6);
    }
  }
}

TEST_F(MonsterPassTest, WanderChanceIsDrawnFirstAndAFailedChanceKeepsTheOldStride) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    MonsterRecord& m = PutMonster(0, 200, 200);
    m.Behaviour = Wander;
    m.MoveDelay = 0;
    m.Facing = 1;
    m.StepLeft = 0;
    RandSeed = seed;
    Lcg rng{seed};
    MonsterPass();
    if (rng.R(3) == 0) {
      int facing = rng.R(4);
      EXPECT_EQ(m.Facing, facing);
      EXPECT_EQ(m.StepLeft, 18);
    } else {
      EXPECT_EQ(m.Facing, 1);
      EXPECT_EQ(m.StepLeft, -6);
      EXPECT_EQ(m.X, 206);  // still walking its old way
    }
    EXPECT_EQ(RandSeed, rng.seed);
  }
}

TEST_F(MonsterPassTest, PursueAndAvoidAlwaysTakeAStrideAndTurnOneTimeInThree) {
  for (int beh : {Pursue, Avoid}) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      MonsterRecord& m = PutMonster(0, G.HeroX - 100, G.HeroY);  // hero to the right
      m.Behaviour = static_cast<uint8_t>(beh);
      m.MoveDelay = 0;
      m.Facing = 0;
      RandSeed = seed;
      Lcg rng{seed};
      MonsterPass();
      bool turn = rng.R(3) == 0;
      int want = turn ? (beh == Pursue ? 1 : 3) : 0;
      EXPECT_EQ(m.Facing, want);
      EXPECT_EQ(m.StepLeft, 18);
      EXPECT_EQ(RandSeed, rng.seed);
    }
  }
}

TEST_F(MonsterPassTest, StrideCountsDownAsASignedByte) {
  MonsterRecord& m = PutMonster(0, 200, 200);
  m.Behaviour = Hunt;
  m.MoveDelay = 0;
  m.StepLeft = 12;
  MonsterPass();
  EXPECT_EQ(m.StepLeft, 6);  // no new stride while steps are left
  MonsterPass();
  EXPECT_EQ(m.StepLeft, 0);
  MonsterPass();
  EXPECT_EQ(m.StepLeft, 18);

  // A Wander that keeps declining a stride runs its counter down through -128.
  m.Behaviour = Wander;
  m.StepLeft = -126;
  RandSeed = 1;
  while (Lcg{RandSeed}.R(3) == 0) ++RandSeed;
  MonsterPass();
  EXPECT_EQ(m.StepLeft, 124);
}

TEST_F(MonsterPassTest, StandAndSpinNeverMoveAndOnlySpinTurns) {
  MonsterRecord& stand = PutMonster(0, 200, 200);
  stand.MoveDelay = 0;
  stand.Facing = 1;
  MonsterRecord& spin = PutMonster(1, 300, 300);
  spin.Behaviour = Spin;
  spin.MoveDelay = 0;
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    RandSeed = seed;
    Lcg rng{seed};
    MonsterPass();
    EXPECT_EQ(spin.Facing, rng.R(4));  // its only draw
    EXPECT_EQ(RandSeed, rng.seed);
  }
  EXPECT_EQ(stand.X, 200);
  EXPECT_EQ(stand.Facing, 1);
  EXPECT_EQ(spin.X, 300);
  EXPECT_EQ(spin.Y, 300);
  EXPECT_EQ(stand.AnimFrame, 0);
  EXPECT_EQ(spin.AnimFrame, 0);
}

TEST_F(MonsterPassTest, TouchingSpinDoesNotTurn) {
  MonsterRecord& spin = PutMonster(0, G.HeroX + 5, G.HeroY);
  spin.Behaviour = Spin;
  spin.MoveDelay = 0;
  spin.Facing = 3;
  spin.Attack = 0;
  G.Level = 5;
  RandSeed = 77;
  Lcg rng{77};
  MonsterPass();
  EXPECT_EQ(spin.Facing, 3);
  if (rng.R(10) == 0) rng.R(5);  // the strike chance, then the 1 in Level
  EXPECT_EQ(RandSeed, rng.seed);
  EXPECT_EQ(G.SpeechIndex, 3);
}

// ---- steps -------------------------------------------------------------------------------

TEST_F(MonsterPassTest, StepsNeedBothProbeTilesWalkable) {
  MonsterRecord& m = PutMonster(0, 10 * 24, 10 * 24);
  m.Behaviour = Hunt;
  m.MoveDelay = 0;
  G.HeroX = 20 * 24;
  G.HeroY = 10 * 24;  // straight to the right
  MonsterPass();
  EXPECT_EQ(m.X, 10 * 24 + 6);
  EXPECT_EQ(m.AnimFrame, 1);

  // A wall one tile ahead, reached by the lower probe only (Y + Height).
  m.X = 10 * 24;
  m.Y = 10 * 24 + 4;
  SetTile(11, 11, kWall);
  MonsterPass();
  EXPECT_EQ(m.X, 10 * 24);
  EXPECT_EQ(m.Facing, 1);
}

TEST_F(MonsterPassTest, FloorEdgeIsAWallForTheProbes) {
  OpenFloor(false);
  struct Edge {
    int x, y, facing;
  } edges[] = {{0, 600, 3}, {600, 0, 0}, {59 * 24, 600, 1}, {600, 59 * 24, 2}};
  for (const Edge& e : edges) {
    MonsterRecord& m = PutMonster(0, e.x, e.y);
    m.Behaviour = Wander;
    m.StepLeft = 24;
    m.Facing = static_cast<uint8_t>(e.facing);
    m.MoveDelay = 0;
    MonsterPass();
    EXPECT_EQ(m.X, e.x);
    EXPECT_EQ(m.Y, e.y);
  }
  // Only the probe points count: at x = 3 the probe (2, y) is still on the floor, so the
  // monster steps to x = -3, and from there every probe to the left is off the floor.
  MonsterRecord& m = PutMonster(0, 3, 600);
  m.Behaviour = Wander;
  m.StepLeft = 48;
  m.Facing = 3;
  m.MoveDelay = 0;
  MonsterPass();
  EXPECT_EQ(m.X, -3);
  MonsterPass();
  EXPECT_EQ(m.X, -3);
}

TEST_F(MonsterPassTest, MoveDelayAndFreezing) {
  MonsterRecord& m = PutMonster(0, 200, 200);
  m.Behaviour = Hunt;
  m.MoveDelay = 3;
  int acted = 0;
  for (int t = 0; t < 9; ++t) {
    int x = m.X, y = m.Y;
    MonsterPass();
    if (m.X != x || m.Y != y) ++acted;
  }
  EXPECT_EQ(acted, 3);

  // Frozen: the timer stands still and the monster never acts...
  m.MoveTimer = 0;
  m.FreezeTicks = 5;
  int x = m.X, y = m.Y;
  for (int t = 0; t < 4; ++t) MonsterPass();
  EXPECT_EQ(m.MoveTimer, 0);
  EXPECT_EQ(m.FreezeTicks, 1);
  EXPECT_EQ(m.X, x);
  EXPECT_EQ(m.Y, y);
  MonsterPass();
  EXPECT_EQ(m.FreezeTicks, 0);
  EXPECT_EQ(m.MoveTimer, 1);  // thawed in this very turn

  // ...unless its timer has already reached the delay: it takes the action but no step.
  m.FreezeTicks = 10;
  m.MoveDelay = 0;
  m.AnimFrame = 3;
  m.StepLeft = 0;
  MonsterPass();
  EXPECT_EQ(m.AnimFrame, 0);  // wraps at 4
  EXPECT_EQ(m.StepLeft, 18);
  EXPECT_EQ(m.X, x);
  EXPECT_EQ(m.Y, y);
}

// ---- strikes -----------------------------------------------------------------------------

TEST_F(MonsterPassTest, StrikeChanceDependsOnSpaceAndArmour) {
  G.Level = 3;
  for (bool space : {false, true}) {
    for (int attack : {25, 1}) {
      int strikes = 0;
      for (uint32_t seed = 1; seed <= 120; ++seed) {
        MonsterRecord& m = PutMonster(0, G.HeroX - 12, G.HeroY + 12);  // the box's corner
        m.MoveDelay = 0;
        m.Attack = attack;
        G.KeyState[kSpace] = space;
        G.HP = 100;
        RandSeed = seed;
        Lcg rng{seed};
        MonsterPass();
        int expected = 100;
        if (rng.R(space ? 4 : 10) == 0) {
          ++strikes;
          if (attack > 1) expected -= attack - 1;  // armour 60: defence 1
          else if (rng.R(3) == 0) expected -= 1;
        }
        EXPECT_EQ(G.HP, expected);
        EXPECT_EQ(RandSeed, rng.seed);
      }
      EXPECT_GT(strikes, space ? 15 : 3);
    }
  }
}

TEST_F(MonsterPassTest, FrozenMonsterDrawsTheStrikeChanceButNeverStrikes) {
  MonsterRecord& m = PutMonster(0, G.HeroX, G.HeroY);
  m.MoveDelay = 0;
  m.Attack = 50;
  m.Shoots = 1;
  m.ShotRate = 1;
  m.ShotLife = 5;
  m.ShotSpeed = 4;
  m.Facing = 3;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    m.FreezeTicks = 10;
    RandSeed = seed;
    Lcg rng{seed};
    MonsterPass();
    rng.R(1);   // firing
    rng.R(10);  // the strike chance
    EXPECT_EQ(RandSeed, rng.seed);
    EXPECT_EQ(G.HP, 100);
    for (ShotRecord& s : G.MonsterShots) s.Active = 0;
  }
}

TEST_F(MonsterPassTest, StrikesNeverLeaveNegativeHitPoints) {
  MonsterRecord& m = PutMonster(0, G.HeroX, G.HeroY);
  m.MoveDelay = 0;
  m.Attack = 2000000000;
  G.ArmourItem = 250;  // a damaged save: no such item
  G.Defence = -2000000000;
  G.HP = 5;
  for (int t = 0; t < 40; ++t) MonsterPass();
  EXPECT_EQ(G.HP, 0);
}

TEST_F(MonsterPassTest, ChestTouchedSetsItsLineAndNeverHurts) {
  MonsterRecord& c = PutMonster(0, G.HeroX + 12, G.HeroY - 12);
  c.IsChest = 1;
  c.Attack = 500;
  c.MoveDelay = 0;
  uint32_t seed = RandSeed;
  for (int t = 0; t < 50; ++t) MonsterPass();
  EXPECT_EQ(G.HP, 100);
  EXPECT_EQ(G.SpeechIndex, 10);
  EXPECT_EQ(RandSeed, seed);  // no strike chance for a chest
  EXPECT_EQ(c.X, G.HeroX + 12);
}

// ---- burning -----------------------------------------------------------------------------

TEST_F(MonsterPassTest, FreshBurnCosts19HitPoints) {
  MonsterRecord& m = PutMonster(0, 200, 200);
  m.BurnTicks = 20;
  for (int t = 0; t < 25; ++t) MonsterPass();
  EXPECT_EQ(m.HP, 81);
  EXPECT_EQ(m.BurnTicks, 0);
}

TEST_F(MonsterPassTest, FarMonsterBurntToDeathMovesOnUntilItComesNear) {
  MonsterRecord& m = PutMonster(0, G.HeroX + 200, G.HeroY);
  m.HP = 1;
  m.BurnTicks = 5;
  m.Behaviour = Hunt;
  m.MoveDelay = 0;
  m.ExpValue = 10;
  MonsterPass();
  EXPECT_EQ(m.HP, 0);
  EXPECT_EQ(m.State, Active);
  EXPECT_EQ(m.X, G.HeroX + 194);
  int passes = 0;
  while (m.State == Active && passes < 20) {
    MonsterPass();
    ++passes;
  }
  EXPECT_EQ(m.State, Dormant);
  EXPECT_EQ(m.X, G.HeroX + 158);  // the first step that brings it near
  EXPECT_EQ(G.PendingExperience, 9);
}

// ---- firing ------------------------------------------------------------------------------

TEST_F(MonsterPassTest, MonsterFiresOnlyWhenNearAndWritesOnlyItsFields) {
  for (ShotRecord& s : G.MonsterShots) {
    std::memset(&s, 0xEE, sizeof s);
    s.Active = 1;
  }
  G.MonsterShots[4].Active = 0;
  MonsterRecord& m = PutMonster(0, G.HeroX + 100, G.HeroY - 50);
  m.Shoots = 1;
  m.ShotRate = 0;  // R(0) is 0: every tick
  m.ShotLife = 7;
  m.ShotSpeed = 9;
  m.ShotLook = 3;
  m.Facing = 2;
  m.Attack = 33;
  MonsterPass();
  const ShotRecord& s = G.MonsterShots[4];
  EXPECT_EQ(s.Active, 1);
  EXPECT_EQ(s.X, m.X);
  EXPECT_EQ(s.Y, m.Y);
  EXPECT_EQ(s.Direction, 2);
  EXPECT_EQ(s.Speed, 9);
  EXPECT_EQ(s.Life, 7);
  EXPECT_EQ(s.Look, 3);
  EXPECT_EQ(s.Attack, 33);
  EXPECT_EQ(s.Byte1, 0xEE);
  EXPECT_EQ(s.HeldLook, 0xEE);

  // All ten in flight: nothing more.
  ShotRecord copy[10];
  std::memcpy(copy, G.MonsterShots, sizeof copy);
  MonsterPass();
  EXPECT_EQ(std::memcmp(copy, G.MonsterShots, sizeof copy), 0);

  // Far away: no shot, and no draw for it.
  for (ShotRecord& s2 : G.MonsterShots) s2.Active = 0;
  m.X = G.HeroX + 161;
  m.ShotRate = 2;
  uint32_t seed = RandSeed;
  MonsterPass();
  EXPECT_EQ(RandSeed, seed);
  for (const ShotRecord& s2 : G.MonsterShots) EXPECT_EQ(s2.Active, 0);
}

// ---- hits --------------------------------------------------------------------------------

TEST_F(MonsterPassTest, ShotsInTheHitBoxAreAllUsedUpEvenAfterTheKill) {
  MonsterRecord& m = PutMonster(0, G.HeroX + 60, G.HeroY);
  m.HP = 3;
  MakeWeapon(10);
  G.Strength = 0;
  PutHeroShot(0, m.X + 16, m.Y - 16);
  PutHeroShot(3, m.X - 16, m.Y + 16);
  PutHeroShot(5, m.X + 17, m.Y);  // just outside
  MonsterPass();
  EXPECT_EQ(G.HeroShots[0].Active, 0);
  EXPECT_EQ(G.HeroShots[3].Active, 0);
  EXPECT_EQ(G.HeroShots[5].Active, 1);
  EXPECT_EQ(m.HP, -17);
  EXPECT_EQ(m.State, Dormant);
}

TEST_F(MonsterPassTest, SmallSplatChanceIsDrawnBeforeTheStrengthTest) {
  MakeWeapon(30);
  G.Strength = 5;
  for (int defence : {10, 2}) {  // strength not above / above the defence
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      MonsterRecord& m = PutMonster(0, G.HeroX + 50, G.HeroY);
      m.Defence = defence;
      PutHeroShot(0, m.X, m.Y);
      RandSeed = seed;
      Lcg rng{seed};
      MonsterPass();
      EXPECT_EQ(m.HP, 100 - (35 - defence));
      if (rng.R(2) == 0 && 5 > defence) rng.Skip(2);  // the splat's position
      rng.R(2);  // the hit flash
      EXPECT_EQ(RandSeed, rng.seed);
    }
  }
}

TEST_F(MonsterPassTest, HitWithoutEffectStillDrawsTheSplatChance) {
  MakeWeapon(1);
  G.Strength = 0;
  MonsterRecord& m = PutMonster(0, G.HeroX + 50, G.HeroY);
  m.Defence = 5;
  PutHeroShot(2, m.X, m.Y);
  RandSeed = 9;
  Lcg rng{9};
  MonsterPass();
  rng.R(2);
  EXPECT_EQ(RandSeed, rng.seed);  // no flash: nothing was wounded
  EXPECT_EQ(G.SpeechIndex, 2);
  EXPECT_EQ(m.HP, 100);
}

TEST_F(MonsterPassTest, KeysOpenChestsUpToTheirLevelAndHurtNoMonster) {
  G.DungeonIndex = 4;
  G.Strength = 5;
  struct Case {
    int weapon;
    bool chest;
    bool wounds;
  } cases[] = {
      {103, true, false},   // key level 2 in dungeon 4
      {105, true, true},    // key level 4
      {110, true, true},    // opens every chest
      {105, false, false},  // keys cannot hurt monsters
      {2, true, false},     // weapons cannot open chests
      {2, false, true},
  };
  for (const Case& c : cases) {
    G.WeaponItem = static_cast<uint8_t>(c.weapon);
    G.SpeechIndex = 0;
    MonsterRecord& m = PutMonster(0, G.HeroX + 50, G.HeroY);
    m.IsChest = c.chest;
    PutHeroShot(0, m.X, m.Y);
    MonsterPass();
    EXPECT_EQ(m.HP < 100, c.wounds) << "item " << c.weapon;
    EXPECT_EQ(G.SpeechIndex, c.wounds ? 0 : 2) << "item " << c.weapon;
  }
}

TEST_F(MonsterPassTest, AttackMustExceedTheDefence) {
  MakeWeapon(5);
  G.Strength = 5;
  MonsterRecord& m = PutMonster(0, G.HeroX + 50, G.HeroY);
  m.Defence = 10;
  PutHeroShot(0, m.X, m.Y);
  MonsterPass();
  EXPECT_EQ(m.HP, 100);
  EXPECT_EQ(G.SpeechIndex, 2);
  m.Defence = 9;
  PutHeroShot(0, m.X, m.Y);
  MonsterPass();
  EXPECT_EQ(m.HP, 99);
}

TEST_F(MonsterPassTest, FreezingAndBurningHits) {
  ItemRecord& w = MakeWeapon(20);
  w.Freezing = 1;
  w.Burning = 1;
  MonsterRecord& m = PutMonster(0, G.HeroX + 50, G.HeroY);
  m.MoveDelay = 7;
  PutHeroShot(0, m.X, m.Y);
  MonsterPass();
  EXPECT_EQ(m.FreezeTicks, 20);
  EXPECT_EQ(m.BurnTicks, 20);
  EXPECT_EQ(m.MoveTimer, 7);  // set by the hit: it acts at its next turn

  m.MoveTimer = 2;
  PutHeroShot(1, m.X, m.Y);
  MonsterPass();
  EXPECT_EQ(m.FreezeTicks, 39);
  EXPECT_EQ(m.MoveTimer, 2);  // already frozen: the timer is left alone
}

// ---- death -------------------------------------------------------------------------------


TEST_F(DeathTest, OrdinaryMonsterGoesDormantAndLeavesLoot) {
  G.Level = 3;
  MonsterRecord& m = Doomed(4);
  audio::ClearCallLog();
  RandSeed = 1;
  while (Lcg{RandSeed}.R(500) == 0) ++RandSeed;
  Lcg rng{RandSeed};
  MonsterPass();
  EXPECT_EQ(m.State, Dormant);
  EXPECT_EQ(G.PendingExperience, 7);
  EXPECT_EQ(G.FloorItems[0].Present, 1);
  EXPECT_EQ(G.FloorItems[0].Item, 53);
  EXPECT_EQ(G.FloorItems[0].X, m.X + 3);
  EXPECT_EQ(G.FloorItems[0].Y, m.Y + 3);
  EXPECT_EQ(G.Coins[0].Active, 1);
  EXPECT_EQ(G.Coins[0].Amount, 25);
  EXPECT_EQ(G.Coins[0].X, m.X + 3);
  EXPECT_EQ(G.Coins[0].Lifetime, 200);
  rng.Skip(2 + 6);  // the two loot chances, the splats
  EXPECT_EQ(RandSeed, rng.seed);
  ASSERT_FALSE(audio::EffectCalls().empty());
  EXPECT_EQ(audio::EffectCalls().back(), 0);
}

TEST_F(DeathTest, RareDropComesFirstAndReplacesTheOrdinaryDrop) {
  MonsterRecord& m = Doomed(0);
  m.Gold = 0;
  RandSeed = 1;
  while (Lcg{RandSeed}.R(500) != 0) ++RandSeed;
  MonsterPass();
  EXPECT_EQ(G.FloorItems[0].Item, 9);
  EXPECT_EQ(G.FloorItems[1].Present, 0);
  EXPECT_EQ(G.Coins[0].Active, 0);
}

TEST_F(DeathTest, ExperienceIsAtLeastOneAndDoubledForTheThirdHero) {
  G.Level = 20;
  Doomed(0);
  MonsterPass();
  EXPECT_EQ(G.PendingExperience, 1);
  G.HeroIndex = 2;
  Doomed(0);
  MonsterPass();
  EXPECT_EQ(G.PendingExperience, 3);
  G.Level = 4;
  Doomed(0);
  MonsterPass();
  EXPECT_EQ(G.PendingExperience, 15);
}

TEST_F(DeathTest, ChestsBossesAndDungeonEightStayEmpty) {
  MonsterRecord& chest = Doomed(31);
  chest.IsChest = 1;
  MonsterPass();
  EXPECT_EQ(chest.State, Empty);

  G.DungeonIndex = 3;
  MonsterRecord& boss = Doomed(39);
  boss.IsBoss = 1;
  audio::ClearCallLog();
  MonsterPass();
  EXPECT_EQ(boss.State, Empty);
  EXPECT_EQ(G.BossDefeated[3], 1);
  ASSERT_FALSE(audio::EffectCalls().empty());
  EXPECT_EQ(audio::EffectCalls().back(), 4);

  G.DungeonIndex = 8;
  G.FloorIndex = 2;
  MonsterRecord& m = Doomed(0);
  MonsterPass();
  EXPECT_EQ(m.State, Empty);
  EXPECT_EQ(G.GameMode, kModePlay);  // not the final floor
}

TEST_F(DeathTest, SplatsLandOnTheFloorPicture) {
  PlainSheet(Window.SplatSheet, Window.FloorPicture, 6, 2);
  gfx::Bitmap& floor = Window.FloorPicture.Picture;
  gfx::FillRect(floor, 0, 0, floor.Width(), floor.Height(), gfx::Rgb(1, 2, 3));
  MonsterRecord& m = Doomed(0);
  MonsterPass();
  bool marked = false;
  for (int y = m.Y; y < m.Y + 24 && !marked; ++y) {
    for (int x = m.X; x < m.X + 24; ++x) {
      if (floor.Pixel(x, y) != gfx::Rgb(1, 2, 3)) {
        marked = true;
        break;
      }
    }
  }
  EXPECT_TRUE(marked);
}

TEST_F(DeathTest, FinalOpponentStartsTheEndingAndThePassGoesOn) {
  G.DungeonIndex = 8;
  G.FloorIndex = 5;
  Window.SaveCommand.Enabled = Window.LoadCommand.Enabled = true;
  G.TickCount = 77;
  MonsterRecord& boss = Doomed(0);
  boss.Gold = 0;
  MonsterRecord& other = PutMonster(1, 200, 200);
  other.MoveDelay = 1000;
  MonsterPass();
  EXPECT_EQ(G.GameMode, kModeEnding);
  EXPECT_EQ(G.TickCount, 0);
  EXPECT_FALSE(Window.SaveCommand.Enabled);
  EXPECT_FALSE(Window.LoadCommand.Enabled);
  EXPECT_EQ(boss.State, Empty);
  EXPECT_EQ(G.PendingExperience, 9);  // the rest of the death still runs
  EXPECT_EQ(other.MoveTimer, 1);      // slots after it still take their turn
}

TEST_F(DeathTest, FinalOpponentMayFallDuringTheGameOver) {
  G.DungeonIndex = 8;
  G.FloorIndex = 5;
  G.GameMode = kModeGameOver;
  MonsterRecord& m = Doomed(0);
  m.HP = 1;
  m.BurnTicks = 3;
  MonsterPass();
  EXPECT_EQ(G.GameMode, kModeEnding);
}

// ---- drawing -----------------------------------------------------------------------------

TEST_F(MonsterPassTest, NearMonstersAreDrawnAndFarOnesAreNot) {
  PlainSheet(Window.HeroSheet, Window.Frame, 12, 5);
  gfx::Bitmap& view = Window.Frame.Picture;
  MonsterRecord& c = PutMonster(0, G.HeroX + 48, G.HeroY);
  c.IsChest = 1;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  MonsterPass();
  bool drawn = false;
  for (int y = 96; y < 120; ++y)
    for (int x = 192; x < 216; ++x) drawn = drawn || view.Pixel(x, y) != gfx::kBlack;
  EXPECT_TRUE(drawn);

  c.X = G.HeroX + 170;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  MonsterPass();
  for (int y = 0; y < 216; ++y)
    for (int x = 0; x < 312; ++x) ASSERT_EQ(view.Pixel(x, y), gfx::kBlack);
}

TEST_F(MonsterPassTest, BossIsDrawnTenPixelsUpLeftAndItsMarksBelowItsCentre) {
  const gfx::Color bossColour = gfx::Rgb(10, 200, 10), markColour = gfx::Rgb(10, 10, 200);
  PlainSheet(Window.BossSheet, Window.Frame, 12, 1, bossColour);
  PlainSheet(Window.MarkerSheet, Window.Frame, 8, 2, markColour);
  gfx::Bitmap& view = Window.Frame.Picture;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  MonsterRecord& b = PutMonster(39, G.HeroX + 24, G.HeroY);
  b.IsBoss = 1;
  b.FreezeTicks = 5;
  MonsterPass();
  EXPECT_EQ(view.Pixel(158, 86), bossColour);  // (X - HeroX + 134, Y - HeroY + 86)
  EXPECT_EQ(view.Pixel(157, 86), gfx::kBlack);
  EXPECT_EQ(view.Pixel(168, 93), markColour);  // (X - HeroX + 144, Y - HeroY + 93)
  EXPECT_EQ(view.Pixel(191, 116), markColour);
  EXPECT_EQ(view.Pixel(167, 92), bossColour);
}

// Cells of a damaged pose are clamped into the sheet: each pass draws one whole cell of
// the right sheet and nothing else (a cell read from outside the sheet would come out
// partial or in other colours).
TEST_F(MonsterPassTest, DamagedRecordDrawsWithoutReadingOutsideItsTables) {
  const gfx::Color monsterColour = gfx::Rgb(200, 40, 40), bossColour = gfx::Rgb(10, 200, 10);
  PlainSheet(Window.MonsterSheet, Window.Frame, 12, 3, monsterColour);
  PlainSheet(Window.BossSheet, Window.Frame, 12, 1, bossColour);
  gfx::Bitmap& view = Window.Frame.Picture;
  auto drawnCell = [&view](gfx::Color colour) {
    int count = 0, others = 0;
    for (int y = 0; y < view.Height(); ++y) {
      for (int x = 0; x < view.Width(); ++x) {
        const gfx::Color c = view.Pixel(x, y);
        if (c == colour) ++count;
        else if (c != gfx::kBlack) ++others;
      }
    }
    gfx::FillRect(view, 0, 0, view.Width(), view.Height(), gfx::kBlack);
    return others == 0 && count == 24 * 24;
  };
  gfx::FillRect(view, 0, 0, view.Width(), view.Height(), gfx::kBlack);
  MonsterRecord& m = PutMonster(0, G.HeroX, G.HeroY);
  m.AnimFrame = 1000000;
  m.SpriteRow = 2000000000;
  m.Facing = 200;
  m.IsBoss = 1;
  m.Behaviour = 77;
  m.MoveDelay = 1000;  // drawn with the damaged pose
  MonsterPass();
  EXPECT_TRUE(drawnCell(bossColour));
  m.MoveDelay = 0;  // and acting with it
  MonsterPass();
  EXPECT_TRUE(drawnCell(bossColour));
  m.IsBoss = 0;
  m.SpriteRow = -2000000000;
  MonsterPass();
  EXPECT_TRUE(drawnCell(monsterColour));
  EXPECT_EQ(m.State, Active);
}

}  // namespace
}  // namespace combattest
