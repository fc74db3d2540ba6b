// Experience counted in and the levels it brings; coins and items on the floor.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/sound.h"
#include "combat/experience.h"
#include "combat/loot.h"
#include "combat_fixture.h"
#include "state/window_model.h"

namespace combattest {
namespace {

using ExperienceTest = CombatTest;

TEST_F(ExperienceTest, PortionsFollowThePendingAmount) {
  G.Level = 99;  // no level-ups in the way
  G.PendingExperience = 105;
  CountExperience();
  EXPECT_EQ(G.Experience, 10);
  EXPECT_EQ(G.PendingExperience, 95);
  for (int i = 0; i < 95; ++i) CountExperience();
  EXPECT_EQ(G.Experience, 105);
  EXPECT_EQ(G.PendingExperience, 0);
  CountExperience();
  EXPECT_EQ(G.Experience, 105);

  const struct {
    int pending, portion;
  } cases[] = {{1, 1}, {99, 1}, {100, 10}, {999, 10}, {1000, 100}, {99999, 100}, {100000, 1000}};
  for (const auto& c : cases) {
    G.Experience = 0;
    G.PendingExperience = c.pending;
    CountExperience();
    EXPECT_EQ(G.Experience, c.portion) << c.pending;
  }
  G.PendingExperience = -5;
  G.Experience = 0;
  CountExperience();
  EXPECT_EQ(G.Experience, 0);
}

TEST_F(ExperienceTest, LevelThresholds) {
  const struct {
    int level, needed;
  } cases[] = {{1, 6}, {2, 13}, {10, 1005}};
  for (const auto& c : cases) {
    G.Level = c.level;
    G.Experience = c.needed - 2;
    G.PendingExperience = 1;
    CountExperience();
    EXPECT_EQ(G.Level, c.level);
    G.PendingExperience = 1;
    CountExperience();
    EXPECT_EQ(G.Level, c.level + 1);
    EXPECT_EQ(G.Experience, 0);
  }
}

TEST_F(ExperienceTest, OneLevelPerTickAndTheRestFlowsOn) {
  G.Level = 1;
  G.PendingExperience = 50;
  int ticks = 0;
  int last = 1;
  while (G.PendingExperience > 0) {
    CountExperience();
    EXPECT_LE(G.Level, last + 1);
    last = G.Level;
    ++ticks;
  }
  EXPECT_EQ(ticks, 50);
  EXPECT_EQ(G.Level, 3);  // 6 for level 2, 13 for level 3, then 31 toward 4
  EXPECT_EQ(G.Experience, 50 - 6 - 13);
}

TEST_F(ExperienceTest, LevelNinetyNineKeepsCountingToTheCap) {
  G.Level = 99;
  G.Experience = 999500;
  G.PendingExperience = 200000;
  CountExperience();
  EXPECT_EQ(G.Experience, 999999);
  EXPECT_EQ(G.Level, 99);
  EXPECT_EQ(G.PendingExperience, 199000);
}

TEST_F(ExperienceTest, GrowthByHeroWithTheNewLevel) {
  const struct {
    int hero, strength, defence;
  } rows[] = {{0, 2, 1}, {1, 1, 2}, {2, 1, 1}, {3, 2, 2}};
  for (const auto& row : rows) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      G.HeroIndex = static_cast<int8_t>(row.hero);
      G.Level = 2;
      G.Experience = 12;
      G.PendingExperience = 1;
      G.MaxHP = 100;
      G.HP = 40;
      G.Strength = 10;
      G.Defence = 10;
      RandSeed = seed;
      Lcg rng{seed};
      CountExperience();
      ASSERT_EQ(G.Level, 3);
      int gain = 0;
      switch (row.hero) {
        case 0: gain = (rng.R(2) + 1) * 3; break;
        case 1: gain = (rng.R(3) + 1) * 3; break;
        case 2: gain = ((rng.R(2) + 1) * 3) / 2; break;  // 1 or 3
        case 3: gain = (rng.R(2) + 2) * 3; break;
      }
      EXPECT_EQ(G.MaxHP, 100 + gain);
      EXPECT_EQ(G.Strength, 10 + row.strength);
      EXPECT_EQ(G.Defence, 10 + row.defence);
      EXPECT_EQ(G.HP, 40);
      EXPECT_EQ(RandSeed, rng.seed);
    }
  }
}

TEST_F(ExperienceTest, GrowthStopsAtTheCaps) {
  G.HeroIndex = 3;
  G.Level = 9;  // the new level 10 gains 20 or 30
  G.Experience = 733;
  G.PendingExperience = 1;
  G.MaxHP = 9990;
  G.Strength = 998;
  G.Defence = 999;
  CountExperience();
  ASSERT_EQ(G.Level, 10);
  EXPECT_EQ(G.MaxHP, 9999);
  EXPECT_EQ(G.Strength, 999);
  EXPECT_EQ(G.Defence, 999);
}

// ---- coins -------------------------------------------------------------------------------

using LootTest = CombatTest;

TEST_F(LootTest, DropCoinTakesTheFirstFreeEntryAndKeepsItsFrame) {
  G.Coins[0].Active = 1;
  G.Coins[1].Frame = 4;
  G.Coins[1].Lifetime = 3;
  DropCoin(10, 20, 30);
  EXPECT_EQ(G.Coins[1].Active, 1);
  EXPECT_EQ(G.Coins[1].X, 10);
  EXPECT_EQ(G.Coins[1].Y, 20);
  EXPECT_EQ(G.Coins[1].Amount, 30);
  EXPECT_EQ(G.Coins[1].Lifetime, 200);
  EXPECT_EQ(G.Coins[1].Frame, 4);

  for (CoinRecord& c : G.Coins) c.Active = 1;
  CoinRecord copy[100];
  std::memcpy(copy, G.Coins, sizeof copy);
  DropCoin(1, 1, 99);  // lost
  EXPECT_EQ(std::memcmp(copy, G.Coins, sizeof copy), 0);
}

TEST_F(LootTest, CoinLivesTwoHundredTicksAndCanBeTakenInItsLast) {
  DropCoin(100, 100, 5);
  int ticks = 0;
  while (G.Coins[0].Active && ticks < 300) {
    CoinBlock();
    ++ticks;
  }
  EXPECT_EQ(ticks, 200);

  DropCoin(100, 100, 5);
  G.Coins[0].Lifetime = 1;
  G.HeroX = 112;
  G.HeroY = 88;
  audio::ClearCallLog();
  CoinBlock();
  EXPECT_EQ(G.Gold, 5);
  ASSERT_EQ(audio::EffectCalls().size(), 1u);
  EXPECT_EQ(audio::EffectCalls()[0], 1);
}

TEST_F(LootTest, CoinsAreAgedAndTakenFarFromTheHeroToo) {
  DropCoin(0, 0, 5);
  CoinBlock();
  EXPECT_EQ(G.Coins[0].Lifetime, 199);
  EXPECT_EQ(G.Coins[0].Frame, 1);
}

TEST_F(LootTest, FrameWrapsAtSix) {
  DropCoin(0, 0, 5);
  G.Coins[0].Frame = 5;
  CoinBlock();
  EXPECT_EQ(G.Coins[0].Frame, 0);
  G.Coins[0].Frame = 250;  // a damaged save
  CoinBlock();
  EXPECT_EQ(G.Coins[0].Frame, 0);
}

TEST_F(LootTest, GoldStopsAt999999) {
  G.Gold = 999990;
  DropCoin(G.HeroX, G.HeroY, 5000);
  CoinBlock();
  EXPECT_EQ(G.Gold, 999999);
  EXPECT_EQ(G.Coins[0].Active, 0);
  DropCoin(G.HeroX, G.HeroY, 2147483647);
  CoinBlock();
  EXPECT_EQ(G.Gold, 999999);
}

bool CoinVisibleAfterBlock(int lifetimeBefore) {
  gfx::Bitmap& view = Window.Frame.Picture;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  std::memset(G.Coins, 0, sizeof G.Coins);
  DropCoin(G.HeroX + 48, G.HeroY, 1);
  G.Coins[0].Lifetime = lifetimeBefore;
  CoinBlock();
  for (int y = 96; y < 120; ++y)
    for (int x = 192; x < 216; ++x)
      if (view.Pixel(x, y) != gfx::kBlack) return true;
  return false;
}

TEST_F(LootTest, CoinBlinksInItsLastTicks) {
  PlainSheet(Window.CoinSheet, Window.Frame, 6, 1);
  ASSERT_TRUE(CoinVisibleAfterBlock(100));
  const int hidden[] = {0, 2, 4, 6, 8, 10, 12, 15, 18, 22, 26};
  for (int life = 1; life <= 40; ++life) {
    bool isHidden = false;
    for (int h : hidden) isHidden = isHidden || h == life;
    EXPECT_EQ(CoinVisibleAfterBlock(life + 1), !isHidden) << "lifetime " << life;
  }
}

// ---- floor items -------------------------------------------------------------------------

TEST_F(LootTest, DropFloorItemTakesTheFirstFreeEntry) {
  G.FloorItems[0].Present = 1;
  DropFloorItem(7, 8, 53);
  EXPECT_EQ(G.FloorItems[1].Present, 1);
  EXPECT_EQ(G.FloorItems[1].X, 7);
  EXPECT_EQ(G.FloorItems[1].Y, 8);
  EXPECT_EQ(G.FloorItems[1].Item, 53);
  for (FloorItemRecord& f : G.FloorItems) f.Present = 1;
  DropFloorItem(1, 1, 54);
  for (const FloorItemRecord& f : G.FloorItems) EXPECT_NE(f.Item, 54);
}

TEST_F(LootTest, PickingUpAnItem) {
  G.Inventory[0] = 0;
  G.Inventory[1] = 60;
  DropFloorItem(G.HeroX + 12, G.HeroY - 12, 53);
  audio::ClearCallLog();
  ItemBlock();
  EXPECT_EQ(G.Inventory[2], 53);
  EXPECT_EQ(G.FloorItems[0].Present, 0);
  EXPECT_EQ(G.MessageTimer, 60);
  EXPECT_EQ(G.MessageItem, 53);
  ASSERT_EQ(audio::EffectCalls().size(), 1u);
  EXPECT_EQ(audio::EffectCalls()[0], 2);

  // A second pick-up restarts the line with the new name.
  G.MessageTimer = 20;
  DropFloorItem(G.HeroX, G.HeroY, 54);
  ItemBlock();
  EXPECT_EQ(G.MessageTimer, 60);
  EXPECT_EQ(G.MessageItem, 54);
  EXPECT_EQ(G.Inventory[3], 54);
}

TEST_F(LootTest, FullPackLeavesTheItemWithoutAWord) {
  std::memset(G.Inventory, 1, sizeof G.Inventory);
  DropFloorItem(G.HeroX, G.HeroY, 53);
  audio::ClearCallLog();
  ItemBlock();
  EXPECT_EQ(G.FloorItems[0].Present, 1);
  EXPECT_EQ(G.MessageTimer, 0);
  EXPECT_TRUE(audio::EffectCalls().empty());
}

TEST_F(LootTest, FarItemsAreLeftAlone) {
  PlainSheet(Window.ItemIconSheet, Window.Frame, 6, 17);
  DropFloorItem(G.HeroX + 161, G.HeroY, 53);
  DropFloorItem(G.HeroX, G.HeroY - 121, 54);
  gfx::Bitmap& view = Window.Frame.Picture;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  gfx::Bitmap before = view;
  ItemBlock();
  EXPECT_EQ(G.FloorItems[0].Present, 1);
  EXPECT_EQ(G.FloorItems[1].Present, 1);
  EXPECT_TRUE(view == before);
}

TEST_F(LootTest, ItemIsStillDrawnInTheTickItIsTaken) {
  PlainSheet(Window.ItemIconSheet, Window.Frame, 6, 17);
  gfx::Bitmap& view = Window.Frame.Picture;
  gfx::FillRect(view, 0, 0, 312, 216, gfx::kBlack);
  DropFloorItem(G.HeroX, G.HeroY, 53);  // a potion: icon 82
  ItemBlock();
  ASSERT_EQ(G.FloorItems[0].Present, 0);
  bool drawn = false;
  for (int y = 96; y < 120; ++y)
    for (int x = 144; x < 168; ++x) drawn = drawn || view.Pixel(x, y) != gfx::kBlack;
  EXPECT_TRUE(drawn);
}

TEST_F(LootTest, DamagedItemNumberShowsTheEmptyRecord) {
  DropFloorItem(G.HeroX + 50, G.HeroY, 200);
  ItemBlock();  // icon of the empty record; no read past the table
  G.MessageItem = 251;
  G.MessageTimer = 3;
  DrawPickupMessage();
  EXPECT_EQ(G.MessageTimer, 2);
}

}  // namespace
}  // namespace combattest
