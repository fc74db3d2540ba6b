// The game-over and ending screens as the tick and the keys reach them.
#include <gtest/gtest.h>

#include "content/heroes.h"
#include "game/keys.h"
#include "game/tick.h"
#include "screens/screen_fixture.h"

namespace {

using GameOverTest = ScreenTest;
using EndingTest = ScreenTest;

// On the tick of the death the whole game-over screen is already up, last words included.
TEST_F(GameOverTest, TheTickOfTheDeathShowsTheScreen) {
  ClearAllMonsters();
  G.GameMode = kModePlay;
  G.HeroIndex = 2;
  G.HeroX = 240;
  G.HeroY = 240;
  G.MaxHP = 12;
  G.HP = 0;
  G.WeaponItem = 20;
  G.ArmourItem = 60;  // not blessed: a blessed dress would heal before the death check
  G.Strength = 1;
  G.Defence = 1;
  G.Level = 3;
  G.Experience = 5;
  G.Gold = 7;
  GameTick();
  EXPECT_EQ(G.HP, 0);
  EXPECT_EQ(G.GameMode, kModeGameOver);
  EXPECT_EQ(G.SpeechIndex, 5);
  EXPECT_EQ(DrawnWith("12").size(), 2u);  // MaxHP and its shadow
  EXPECT_EQ(DrawnWith("0").size(), 2u);
  EXPECT_EQ(DrawnWith(HeroText(2, 5)).size(), 2u);
  EXPECT_EQ(DrawnWith("ゲームオーバー").size(), 1u);
  EXPECT_EQ(DrawnWith("HIT ENTER KEY!!").size(), 1u);
  EXPECT_EQ(drawn.back().text, "HIT ENTER KEY!!");
}

TEST_F(EndingTest, KeysDoNothingAndTheTickReturnsAtSixteenHundred) {
  G.GameMode = kModeEnding;
  G.WorldX = 100;
  G.WorldY = 80;
  G.MaxHP = 30;
  G.HP = 4;
  G.TickCount = 1599;
  const std::vector<uint16_t> keys = {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1, 'C'};
  for (uint16_t key : keys) OnKeyDown(key);
  GameTick();
  EXPECT_EQ(G.GameMode, kModeEnding);
  EXPECT_EQ(G.HP, 4);
  G.TickCount = 1600;
  GameTick();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HP, 30);
  EXPECT_EQ(G.HeroX, 100);
}

}  // namespace
