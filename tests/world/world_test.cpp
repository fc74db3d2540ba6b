// The world map's entrances: which are shown and which one a hero enters.
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/state.h"
#include "world/world.h"
#include "support/test_support.h"

namespace {

class World : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    G.GameMode = kModeWorld;
    G.HeroIndex = 0;
  }
};

TEST_F(World, TheEntranceTableAndItsFiller) {
  EXPECT_EQ(G.WorldEntrances[0].X, 142);
  EXPECT_EQ(G.WorldEntrances[5].Music, 12);
  EXPECT_EQ(G.WorldEntrances[8].GoldThreshold, 100000);
  EXPECT_EQ(G.WorldEntrances[9].X, -100);
  EXPECT_EQ(G.WorldEntrances[9].GoldThreshold, 9999999);
}

TEST_F(World, AClosedEntranceIsNotEnteredEvenWhenStoodOn) {
  G.Gold = 499;
  G.HeroX = 52;
  G.HeroY = 105;
  EnterDungeon();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HeroX, 52);
}

TEST_F(World, TheReachOfAnEntranceIsSixteenBeforeAndTwelveAfter) {
  G.Gold = 0;
  G.HeroX = 142 + 12;  // x < X + 12 fails
  G.HeroY = 75;
  EnterDungeon();
  EXPECT_EQ(G.GameMode, kModeWorld);
  G.HeroX = 142 - 16;
  G.HeroY = 75 - 16;
  EnterDungeon();
  EXPECT_EQ(G.GameMode, kModePlay);
  EXPECT_EQ(G.WorldX, 126);
  EXPECT_EQ(G.WorldY, 59);
  EXPECT_EQ(G.DungeonIndex, 0);
  EXPECT_EQ(G.FloorIndex, 0);
  EXPECT_EQ(G.HeroX, 3 * 24);
  EXPECT_EQ(G.HeroY, 4 * 24);
  EXPECT_EQ(audio::MusicCalls().back(), 3);
}

TEST_F(World, DungeonFiveIsEnteredOnItsTopFloor) {
  G.Gold = 18000;
  G.HeroX = 30;
  G.HeroY = 133;
  EnterDungeon();
  EXPECT_EQ(G.GameMode, kModePlay);
  EXPECT_EQ(G.DungeonIndex, 5);
  EXPECT_EQ(G.FloorIndex, 9);
  EXPECT_EQ(audio::MusicCalls().back(), 12);
}

TEST_F(World, OverlappingReachEntersTheLowerIndex) {
  // Entrances 0 (142,75) and 6 (100,80) never overlap in the table, so move one onto the
  // other to see the rule.
  G.WorldEntrances[6].X = 142;
  G.WorldEntrances[6].Y = 75;
  G.Gold = 999999;
  G.HeroX = 142;
  G.HeroY = 75;
  EnterDungeon();
  EXPECT_EQ(G.DungeonIndex, 0);
}

TEST_F(World, OnlyOpenEntrancesAreDrawn) {
  G.Gold = 500;
  Window.Frame.Picture.Resize(312, 216, gfx::kBlack);
  DrawWorldEntrances();
  auto drawnAt = [](int x, int y) {
    for (int dy = 0; dy < 24; ++dy)
      for (int dx = 0; dx < 24; ++dx)
        if (x + dx < 312 && y + dy < 216 && Window.Frame.Picture.Pixel(x + dx, y + dy) != gfx::kBlack)
          return true;
    return false;
  };
  EXPECT_TRUE(drawnAt(142, 75));
  EXPECT_TRUE(drawnAt(52, 105));
  EXPECT_FALSE(drawnAt(65, 3));    // 1700
  EXPECT_FALSE(drawnAt(260, 190)); // 100000
}

}  // namespace
