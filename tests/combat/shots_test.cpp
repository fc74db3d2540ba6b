// Firing, flight, the damage of monster shots and trap arrows, the held weapon, equipment
// effects and the darkness of some floors.
#include <gtest/gtest.h>

#include <cstring>

#include "combat/shots.h"
#include "combat_fixture.h"
#include "state/window_model.h"

namespace combattest {
namespace {

using ShotTest = CombatTest;

int ActiveHeroShots() {
  int n = 0;
  for (const ShotRecord& s : G.HeroShots) n += s.Active;
  return n;
}

// ---- firing ------------------------------------------------------------------------------

TEST_F(ShotTest, RapidFireLimitsTheShotsInFlight) {
  MakeWeapon(1, /*rapid=*/0);
  FireHeroShots();
  FireHeroShots();
  EXPECT_EQ(ActiveHeroShots(), 1);
  EXPECT_EQ(G.SpeechIndex, 1);
  G.HeroShots[0].Active = 0;  // it ended
  FireHeroShots();
  EXPECT_EQ(ActiveHeroShots(), 1);

  MakeWeapon(1, /*rapid=*/3);
  for (int i = 0; i < 8; ++i) FireHeroShots();
  EXPECT_EQ(ActiveHeroShots(), 4);
  for (int i = 4; i < 10; ++i) EXPECT_EQ(G.HeroShots[i].Active, 0);
}

TEST_F(ShotTest, FiringWritesOnlyItsFields) {
  ItemRecord& w = MakeWeapon(1, 0, 12, 7);
  w.HeldLook = 4;
  w.ShotLook = 5;
  std::memset(&G.HeroShots[0], 0x77, sizeof(ShotRecord));
  G.HeroShots[0].Active = 0;
  G.Facing = 3;
  FireHeroShots();
  const ShotRecord& s = G.HeroShots[0];
  EXPECT_EQ(s.Active, 1);
  EXPECT_EQ(s.X, G.HeroX);
  EXPECT_EQ(s.Y, G.HeroY);
  EXPECT_EQ(s.Direction, 3);
  EXPECT_EQ(s.Speed, 7);
  EXPECT_EQ(s.Life, 12);
  EXPECT_EQ(s.HeldLook, 4);
  EXPECT_EQ(s.Look, 5);
  EXPECT_EQ(s.Attack, 0x77777777);  // as it was
  EXPECT_EQ(s.Byte1, 0x77);
}

TEST_F(ShotTest, BackShotsStayWithinTheTenHeroShots) {
  G.WeaponItem = 19;  // rapid fire 9, fires back
  std::memset(G.MonsterShots, 0, sizeof G.MonsterShots);
  G.Facing = 1;
  for (int i = 0; i < 12; ++i) FireHeroShots();
  EXPECT_EQ(ActiveHeroShots(), 10);
  int right = 0, left = 0;
  for (const ShotRecord& s : G.HeroShots) (s.Direction == 1 ? right : left)++;
  EXPECT_EQ(right, 5);  // forward and back take turns for the free entries
  EXPECT_EQ(left, 5);
  for (const ShotRecord& s : G.MonsterShots) EXPECT_EQ(s.Active, 0);
}

TEST_F(ShotTest, BackShotIsTriedEvenWhenTheMainShotFindsNoEntry) {
  ItemRecord& w = MakeWeapon(1, /*rapid=*/0);
  w.FiresBack = 1;
  G.Facing = 0;
  FireHeroShots();
  EXPECT_EQ(G.HeroShots[0].Direction, 0);
  EXPECT_EQ(G.HeroShots[1].Direction, 2);
  EXPECT_EQ(ActiveHeroShots(), 2);
  G.HeroShots[1].Active = 0;
  FireHeroShots();  // entry 0 still busy: only the back shot goes
  EXPECT_EQ(G.HeroShots[1].Active, 1);
  EXPECT_EQ(G.HeroShots[1].Direction, 2);
}

TEST_F(ShotTest, CursedWeaponCostsOnePointPerMainShot) {
  ItemRecord& w = MakeWeapon(1, /*rapid=*/1);
  w.Cursed = 1;
  w.FiresBack = 1;
  G.HP = 10;
  FireHeroShots();  // main into 0, back into 1
  EXPECT_EQ(G.HP, 9);
  FireHeroShots();  // main finds no entry among 0..1; back into 2
  EXPECT_EQ(G.HP, 9);
  G.HeroShots[0].Active = 0;
  G.HP = 0;
  FireHeroShots();
  EXPECT_EQ(G.HP, 0);
}

// ---- flight ------------------------------------------------------------------------------

TEST_F(ShotTest, ShotOffTheFloorIsRemovedWithoutATileTest) {
  ShotRecord& s = PutHeroShot(0, -1, 600);
  s.Speed = 5;
  MoveShots();
  EXPECT_EQ(s.Active, 0);
  EXPECT_EQ(s.Life, 10);
  EXPECT_EQ(s.X, -1);
  PutHeroShot(1, 600, 1440);
  MoveShots();
  EXPECT_EQ(G.HeroShots[1].Active, 0);
}

TEST_F(ShotTest, CentreBeyondTheEdgeCountsAsAWall) {
  OpenFloor(false);
  ShotRecord& s = PutHeroShot(0, 1430, 600);  // centre x 1442
  s.Speed = 5;
  s.Direction = 1;
  MoveShots();
  EXPECT_EQ(s.Active, 0);
  EXPECT_EQ(s.X, 1430);
}

TEST_F(ShotTest, WallStopsAShotBeforeItsLifeIsCounted) {
  SetTile(20, 20, kWall);
  ShotRecord& s = PutHeroShot(0, 20 * 24 - 12, 20 * 24 - 12);  // centre on the wall's corner
  s.Speed = 5;
  MoveShots();
  EXPECT_EQ(s.Active, 0);
  EXPECT_EQ(s.Life, 10);
}

TEST_F(ShotTest, LastTickOfLifeStillMovesAndHits) {
  ShotRecord& s = G.MonsterShots[2];
  s.Active = 1;
  s.X = G.HeroX - 20;
  s.Y = G.HeroY;
  s.Life = 1;
  s.Speed = 5;
  s.Direction = 1;
  s.Attack = 11;
  MoveShots();
  EXPECT_EQ(s.Active, 0);
  EXPECT_EQ(s.X, G.HeroX - 15);
  EXPECT_EQ(G.HP, 100 - 10);  // armour 60: defence 1
}

TEST_F(ShotTest, ItemWithZeroLifeShotIsGoneInItsFirstTick) {
  G.WeaponItem = 39;
  FireHeroShots();
  ASSERT_EQ(G.HeroShots[0].Active, 1);
  MoveShots();
  EXPECT_EQ(G.HeroShots[0].Active, 0);
  EXPECT_EQ(G.HeroShots[0].X, G.HeroX);  // speed 0
}

TEST_F(ShotTest, WeakShotsHurtOnePointInTwo) {
  int hurt = 0;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    ShotRecord& s = G.MonsterShots[0];
    std::memset(&s, 0, sizeof s);
    s.Active = 1;
    s.X = G.HeroX + 16;
    s.Y = G.HeroY - 16;
    s.Life = 5;
    s.Attack = 1;  // not above the armour value 1
    G.HP = 50;
    RandSeed = seed;
    Lcg rng{seed};
    MoveShots();
    int expected = rng.R(2) == 0 ? 49 : 50;
    hurt += expected == 49;
    EXPECT_EQ(G.HP, expected);
    EXPECT_EQ(s.Active, 0);
  }
  EXPECT_GT(hurt, 10);
}

TEST_F(ShotTest, HeroShotsNeverHurtTheHero) {
  ShotRecord& s = PutHeroShot(0, G.HeroX, G.HeroY);
  s.Attack = 500;
  MoveShots();
  EXPECT_EQ(G.HP, 100);
  EXPECT_EQ(s.Active, 1);
}

// ---- trap arrows -------------------------------------------------------------------------

TEST_F(ShotTest, TrapArrowReachesAStandingHeroInNineTicks) {
  for (int dir = 0; dir < 4; ++dir) {
    std::memset(G.MonsterShots, 0xEE, sizeof G.MonsterShots);
    G.MonsterShots[3].Active = 0;
    SpawnTrapArrow(3, dir);
    ShotRecord& s = G.MonsterShots[3];
    EXPECT_EQ(s.Active, 1);
    EXPECT_EQ(s.Speed, 10);
    EXPECT_EQ(s.Life, 20);
    EXPECT_EQ(s.Look, 5);
    EXPECT_EQ(s.Attack, 1);
    EXPECT_EQ(s.HeldLook, 0xEE);
    EXPECT_EQ(s.Byte1, 0xEE);
    for (ShotRecord& o : G.MonsterShots) {
      if (&o != &s) o.Active = 0;
    }
    int ticks = 0;
    while (s.Active && ticks < 30) {
      MoveShots();
      ++ticks;
    }
    EXPECT_EQ(ticks, 9) << "direction " << dir;
  }
  SpawnTrapArrow(10, 0);  // no such entry: nothing happens
  SpawnTrapArrow(-1, 0);
}

// ---- held weapon -------------------------------------------------------------------------

TEST_F(ShotTest, HeldWeaponShakesByOneDrawUnlessNothingIsShown) {
  G.WeaponItem = 0;  // held look 0
  RandSeed = 3;
  Lcg rng{3};
  DrawHeldWeapon();
  rng.R(4);
  EXPECT_EQ(RandSeed, rng.seed);

  G.WeaponItem = 8;  // held look 14: nothing drawn, nothing drawn for
  uint32_t seed = RandSeed;
  DrawHeldWeapon();
  EXPECT_EQ(RandSeed, seed);
}

TEST_F(ShotTest, HeldWeaponSitsTwentyPixelsInFrontOfTheHero) {
  PlainSheet(Window.ShotSheet, Window.Frame, 8, 13);
  gfx::Bitmap& view = Window.Frame.Picture;
  struct Case {
    int facing, x, y, dx, dy;  // the box's corner before the shake, and the shake's sign
  } cases[] = {{0, 144, 76, 0, -1}, {1, 164, 96, 1, 0}, {2, 144, 116, 0, 1}, {3, 124, 96, -1, 0}};
  for (const Case& c : cases) {
    gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
    G.Facing = static_cast<uint8_t>(c.facing);
    Lcg rng{RandSeed};
    int shake = rng.R(4);
    DrawHeldWeapon();
    int x = c.x + c.dx * shake, y = c.y + c.dy * shake;
    EXPECT_NE(view.Pixel(x, y), gfx::kBlack) << "facing " << c.facing;
    EXPECT_EQ(view.Pixel(x - 1, y), gfx::kBlack) << "facing " << c.facing;
    EXPECT_EQ(view.Pixel(x, y - 1), gfx::kBlack) << "facing " << c.facing;
  }
}

TEST_F(ShotTest, ShotIsDrawnWhereItHasMovedTo) {
  PlainSheet(Window.ShotSheet, Window.Frame, 8, 13);
  gfx::Bitmap& view = Window.Frame.Picture;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  ShotRecord& s = PutHeroShot(0, G.HeroX + 40, G.HeroY + 10);
  s.Speed = 6;
  s.Direction = 1;
  MoveShots();
  EXPECT_NE(view.Pixel(144 + 46, 106), gfx::kBlack);
  EXPECT_EQ(view.Pixel(144 + 45, 106), gfx::kBlack);
}

// ---- equipment ---------------------------------------------------------------------------

TEST_F(ShotTest, BlessingHealsOneInFifteenAndNeverAboveMaximum) {
  G.ArmourItem = 80;  // blessed dress
  G.Level = 1;
  int healed = 0;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    G.HP = 50;
    RandSeed = seed;
    Lcg rng{seed};
    EquipmentEffects();
    int expected = 50;
    if (rng.R(15) == 0) expected += rng.R(1) + 1;
    healed += expected != 50;
    EXPECT_EQ(G.HP, expected);
    EXPECT_EQ(RandSeed, rng.seed);
  }
  EXPECT_GT(healed, 5);

  G.Level = 50;
  G.MaxHP = 60;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    G.HP = 59;
    RandSeed = seed;
    EquipmentEffects();
    EXPECT_LE(G.HP, 60);
  }
}

TEST_F(ShotTest, CursedArmourDrainsOneInTen) {
  G.ArmourItem = 97;
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    G.HP = 1;
    RandSeed = seed;
    Lcg rng{seed};
    EquipmentEffects();
    EXPECT_EQ(G.HP, rng.R(10) == 0 ? 0 : 1);
    EXPECT_EQ(RandSeed, rng.seed);
  }
  G.HP = 0;
  for (int i = 0; i < 50; ++i) EquipmentEffects();
  EXPECT_EQ(G.HP, 0);
}

TEST_F(ShotTest, BlessedWeaponWithCursedArmourDrawsBoth) {
  G.WeaponItem = 8;   // blessed
  G.ArmourItem = 96;  // cursed
  RandSeed = 21;
  Lcg rng{21};
  EquipmentEffects();
  if (rng.R(15) == 0) rng.R(1);
  rng.R(10);
  EXPECT_EQ(RandSeed, rng.seed);
}

// ---- darkness ----------------------------------------------------------------------------

TEST_F(ShotTest, DarkFloorsAreTheDeepOnes) {
  int dark[9] = {};
  for (G.DungeonIndex = 0; G.DungeonIndex < 9; ++G.DungeonIndex)
    for (G.FloorIndex = 0; G.FloorIndex < 10; ++G.FloorIndex) dark[G.DungeonIndex] += IsDarkFloor();
  const int expected[9] = {0, 0, 0, 0, 7, 2, 10, 0, 0};  // 4: floors 0..6; 5: floors 4 and 7
  for (int d = 0; d < 9; ++d) EXPECT_EQ(dark[d], expected[d]) << "dungeon " << d;
  G.DungeonIndex = 5;
  G.FloorIndex = 7;
  EXPECT_TRUE(IsDarkFloor());
}

TEST_F(ShotTest, DarknessLeavesACircleAroundTheHero) {
  gfx::Bitmap& view = Window.Frame.Picture;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::Rgb(90, 80, 70));
  DarknessMask();
  EXPECT_EQ(view.Pixel(156, 108), gfx::Rgb(90, 80, 70));
  EXPECT_EQ(view.Pixel(156, 20), gfx::Rgb(90, 80, 70));
  EXPECT_EQ(view.Pixel(0, 0), gfx::kBlack);
  EXPECT_EQ(view.Pixel(311, 215), gfx::kBlack);
  EXPECT_EQ(view.Pixel(70, 30), gfx::kBlack);  // inside the box, outside the circle
  EXPECT_EQ(view.Pixel(20, 108), gfx::kBlack);
  EXPECT_EQ(Window.Backdrop.Picture.Pixel(156, 108), gfx::kWhite);
  EXPECT_EQ(Window.Backdrop.Picture.Pixel(5, 5), gfx::kBlack);
}

TEST_F(ShotTest, DarknessEqualsTheViewAndedWithTheDrawnMask) {
  // The reference: the mask drawn as the game always drew it, and a plain AND.
  gfx::Bitmap mask(312, 216);
  gfx::FillRect(mask, 0, 0, 312, 216, gfx::kBlack);
  gfx::FillEllipse(mask, 66, 18, 246, 198, gfx::kWhite);
  gfx::Bitmap& view = Window.Frame.Picture;
  Lcg rng{5};
  for (int y = 0; y < 216; ++y)
    for (int x = 0; x < 312; ++x) view.SetPixel(x, y, static_cast<gfx::Color>(rng.R(0x7FFFFFFF)) * 2 + 1);
  gfx::Bitmap expected = view;
  gfx::BitBlt(expected, 0, 0, 312, 216, &mask, 0, 0, gfx::Rop::And);
  gfx::FillRect(Window.Backdrop.Picture, 0, 0, 312, 216, gfx::Rgb(1, 2, 3));  // the menu frame, say
  DarknessMask();
  EXPECT_TRUE(view == expected);
  EXPECT_TRUE(Window.Backdrop.Picture == mask);
}

}  // namespace
}  // namespace combattest
