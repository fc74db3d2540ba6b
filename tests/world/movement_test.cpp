// The hero's steps on a floor and on the world map, and the hero's picture.
#include <gtest/gtest.h>

#include "state/window_model.h"
#include "world/movement.h"
#include "state/state.h"
#include "play_helpers.h"
#include "support/test_support.h"

using namespace playtest;

namespace {

class FloorMove : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    G.GameMode = kModePlay;
    G.FloorIndex = 4;
    MakeFloor(4);
  }
  void Hold(int key, bool shift = false) {
    for (auto& k : G.KeyState) k = 0;
    G.KeyState[key] = 1;
    G.KeyState[kShift] = shift ? 1 : 0;
  }
  void Place(int hero, int x, int y) {
    G.HeroIndex = static_cast<int8_t>(hero);
    G.HeroX = x;
    G.HeroY = y;
  }
};

int Speed(int hero, bool shift) {
  const int base[4] = {6, 8, 4, 3};
  return base[hero] * (shift ? 2 : 1);
}

TEST_F(FloorMove, OpenFloorStepsBySpeedAndShiftDoubles) {
  const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
  for (int hero = 0; hero < 4; ++hero) {
    for (bool shift : {false, true}) {
      for (int key = kUp; key <= kLeft; ++key) {
        Place(hero, 600, 600);
        Hold(key, shift);
        MoveHeroOnFloor();
        int s = Speed(hero, shift);
        EXPECT_EQ(G.HeroX, 600 + dx[key] * s) << "hero " << hero << " shift " << shift;
        EXPECT_EQ(G.HeroY, 600 + dy[key] * s) << "hero " << hero << " shift " << shift;
        EXPECT_EQ(G.Facing, key);
        EXPECT_TRUE(HeroMoved());
      }
    }
  }
}

// Walking at a wall from every distance ends flush against it and never enters it.
TEST_F(FloorMove, RunningIntoWallsEndsFlushAtEverySpeed) {
  WallColumn(4, 30);  // pixels 720..743
  WallColumn(4, 20);  // pixels 480..503
  WallRow(4, 10);     // 240..263
  WallRow(4, 40);     // 960..983
  for (int hero = 0; hero < 4; ++hero) {
    for (bool shift : {false, true}) {
      for (int start = 0; start < 24; ++start) {
        // Right towards column 30: flush means x = 29 * 24.
        Place(hero, 600 + start, 600);
        Hold(kRight, shift);
        for (int t = 0; t < 60; ++t) {
          MoveHeroOnFloor();
          ASSERT_LE(G.HeroX, 29 * 24) << "hero " << hero << " shift " << shift;
        }
        EXPECT_EQ(G.HeroX, 29 * 24);
        EXPECT_EQ(G.Facing, 1);
        // Left towards column 20: flush means x = 21 * 24.
        Hold(kLeft, shift);
        for (int t = 0; t < 80; ++t) {
          MoveHeroOnFloor();
          ASSERT_GE(G.HeroX, 21 * 24);
        }
        EXPECT_EQ(G.HeroX, 21 * 24);
        // Down towards row 40 and up towards row 10.
        Place(hero, 600, 600 + start);
        Hold(kDown, shift);
        for (int t = 0; t < 200; ++t) {
          MoveHeroOnFloor();
          ASSERT_LE(G.HeroY, 39 * 24);
        }
        EXPECT_EQ(G.HeroY, 39 * 24);
        Hold(kUp, shift);
        for (int t = 0; t < 300; ++t) {
          MoveHeroOnFloor();
          ASSERT_GE(G.HeroY, 11 * 24);
        }
        EXPECT_EQ(G.HeroY, 11 * 24);
      }
    }
  }
}

TEST_F(FloorMove, SnapIsComputedFromTheProbedPosition) {
  WallColumn(4, 10);  // 240..263
  // Hero 1 running (16 px): from x = 190 the probe 230 is free, so it steps to 206; the
  // next probe 246 is solid and the hero is placed at (206 + 16) div 24 * 24 = 216.
  Place(1, 190, 600);
  Hold(kRight, true);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 206);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 216);
  // Standing flush, pressing on leaves the hero in place.
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 216);
  // A hero already overlapping the wall by 4 pixels is pulled back out of it.
  Place(0, 220, 600);
  Hold(kRight);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 216);
  // Moving up against a wall above stops at the tile's edge, short of a full step.
  WallRow(4, 5);  // 120..143
  Place(0, 600, 147);  // probe 141 is in row 5
  Hold(kUp);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 144);
}

TEST_F(FloorMove, ProbesAtFourAndTwentyLetTheSidesOverlap) {
  WallColumn(4, 10);  // 240..263 on the hero's right
  WallColumn(4, 5);   // 120..143 on the hero's left
  // Overlapping column 10 by 3 pixels (box 219..242): the probe at +20 is 239, still free.
  Place(0, 219, 600);
  Hold(kDown);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 606);
  Hold(kUp);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 600);
  // One more pixel and the probe at +20 (240) is in the wall: snapped to the row.
  Place(0, 220, 600);
  Hold(kDown);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 600);  // (600 + 6) div 24 * 24
  // Overlapping column 5 by 4 pixels on the left (box 140..163): the probe at +4 is 144.
  Place(0, 140, 600);
  Hold(kDown);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 606);
  Place(0, 139, 600);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 600);
}

// Beyond the grid everything counts as solid, and the snapping formulas still apply as
// written (truncating toward zero).
TEST_F(FloorMove, OutsideTheGridIsSolid) {
  Place(0, 3, 600);
  Hold(kLeft);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 24);  // (3 - 6) div 24 = 0, + 1
  Place(0, 600, 3);
  Hold(kUp);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 24);
  Place(0, 0, 600);
  Hold(kLeft);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 24);
  // Exactly at the edge: x = 6 steps to 0, then the probe at -6 is outside.
  Place(0, 6, 600);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 0);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 24);
  // Right and bottom edges: the last box position is 1416.
  Place(1, 1410, 1410);
  Hold(kRight, true);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 1416);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 1416);
  Hold(kDown, true);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 1416);
  // A hero wholly outside (a damaged save) is never moved further out.
  Place(0, -200, 600);
  Hold(kLeft);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, -168);  // (-206) div 24 = -8, + 1, * 24
}

TEST_F(FloorMove, TilesAreLookedUpColumnMajor) {
  SetTile(4, 10, 3, kWall);  // column 10, row 3 only
  Place(0, 9 * 24 - 2, 3 * 24);
  Hold(kRight);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 9 * 24);  // blocked by the wall at column 10, row 3
  // Column 3, row 10 (the swapped place) is free: the probe at 76, 244 finds ground.
  Place(0, 2 * 24 - 2, 10 * 24);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 2 * 24 + 4);
  // Only the current floor counts.
  G.FloorIndex = 5;
  MakeFloor(5);
  Place(0, 9 * 24 - 2, 3 * 24);
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 9 * 24 + 4);
}

TEST_F(FloorMove, KeysAreTakenUpRightDownLeft) {
  Place(0, 600, 600);
  for (auto& k : G.KeyState) k = 0;
  G.KeyState[kUp] = G.KeyState[kDown] = 1;
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroY, 600);
  EXPECT_EQ(G.Facing, 2);
  EXPECT_TRUE(HeroMoved());
  G.KeyState[kDown] = 0;
  G.KeyState[kRight] = 1;
  MoveHeroOnFloor();
  EXPECT_EQ(G.HeroX, 606);
  EXPECT_EQ(G.HeroY, 594);
  EXPECT_EQ(G.Facing, 1);
  // Blocked keys still turn the hero; no key leaves Facing alone and moved clear.
  for (auto& k : G.KeyState) k = 0;
  MoveHeroOnFloor();
  EXPECT_FALSE(HeroMoved());
  EXPECT_EQ(G.Facing, 1);
}

TEST_F(FloorMove, BlockedKeyStillTurnsAndAnimates) {
  WallColumn(4, 10);
  Place(0, 216, 600);
  G.Facing = 0;
  G.WalkFrame = 0;
  Hold(kRight);
  for (int t = 0; t < 5; ++t) {
    MoveHeroOnFloor();
    DrawHero();
  }
  EXPECT_EQ(G.HeroX, 216);
  EXPECT_EQ(G.Facing, 1);
  EXPECT_EQ(G.WalkFrame, 5);
}

class WorldMove : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    G.GameMode = kModeWorld;
    G.HeroIndex = 0;  // speed 6
  }
  void Step(int key, bool shift = false) {
    for (auto& k : G.KeyState) k = 0;
    G.KeyState[key] = 1;
    G.KeyState[kShift] = shift;
    MoveHeroOnWorld();
  }
};

TEST_F(WorldMove, BoundsKeepTheHeroInsideThePicture) {
  G.HeroX = 100;
  G.HeroY = 7;
  Step(kUp);
  EXPECT_EQ(G.HeroY, 1);
  G.HeroY = 6;
  Step(kUp);
  EXPECT_EQ(G.HeroY, 6);
  EXPECT_EQ(G.Facing, 0);
  EXPECT_TRUE(HeroMoved());

  G.HeroY = 189;
  Step(kDown);
  EXPECT_EQ(G.HeroY, 195);
  G.HeroY = 190;
  Step(kDown);
  EXPECT_EQ(G.HeroY, 190);

  G.HeroX = 283;
  Step(kRight);
  EXPECT_EQ(G.HeroX, 289);
  G.HeroX = 284;
  Step(kRight);
  EXPECT_EQ(G.HeroX, 284);

  G.HeroX = 7;
  Step(kLeft);
  EXPECT_EQ(G.HeroX, 1);
  G.HeroX = 6;
  Step(kLeft);
  EXPECT_EQ(G.HeroX, 6);
  EXPECT_EQ(G.Facing, 3);

  // Shift does not run on the map, and no tile is asked (floor 0 here is all wall).
  MakeFloor(0, kWall);
  G.HeroX = 100;
  Step(kRight, true);
  EXPECT_EQ(G.HeroX, 106);
}

TEST(HeroPicture, CellAndPlaceByMode) {
  testsupport::ResetGame();
  G.FloorIndex = 0;
  MakeFloor(0);
  const int poses[16] = {0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 2, 2, 2, 2};
  for (int hero = 0; hero < 4; ++hero) {
    for (int facing = 0; facing < 4; ++facing) {
      G.HeroIndex = static_cast<int8_t>(hero);
      G.GameMode = kModePlay;
      G.HeroX = G.HeroY = 600;
      G.WalkFrame = 0;
      for (auto& k : G.KeyState) k = 0;
      G.KeyState[facing] = 1;  // key order matches the facings
      for (int t = 0; t < 17; ++t) {
        int frame = G.WalkFrame;
        MoveHeroOnFloor();
        DrawHero();
        EXPECT_EQ(Window.HeroSheet.Index(), poses[frame] + facing * 3 + hero * 12);
        EXPECT_EQ(Window.HeroSheet.X, 144);
        EXPECT_EQ(Window.HeroSheet.Y, 96);
        EXPECT_EQ(G.WalkFrame, (frame + 1) % 16);
      }
    }
  }
  // On the map the hero is drawn where it stands; standing still keeps the frame.
  G.GameMode = kModeWorld;
  G.HeroX = 50;
  G.HeroY = 70;
  G.WalkFrame = 9;
  for (auto& k : G.KeyState) k = 0;
  MoveHeroOnWorld();
  DrawHero();
  EXPECT_EQ(Window.HeroSheet.X, 50);
  EXPECT_EQ(Window.HeroSheet.Y, 70);
  EXPECT_EQ(G.WalkFrame, 9);
}

TEST(HeroPicture, DamagedValuesStayInsideTheTables) {
  testsupport::ResetGame();
  G.GameMode = kModeWorld;
  G.WalkFrame = 200;
  G.HeroIndex = -3;
  G.Facing = 250;
  G.KeyState[kUp] = 1;
  G.HeroY = 100;
  MoveHeroOnWorld();  // speed of an unknown hero: no step
  EXPECT_EQ(G.HeroY, 100);
  DrawHero();
  EXPECT_EQ(G.WalkFrame, 0);  // wrapped
}

}  // namespace
