// The dungeons written by the build: every one sets up on every floor, and a walk on them
// behaves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "world/floor_setup.h"
#include "state/window_model.h"
#include "world/movement.h"
#include "state/state.h"
#include "gfx/png.h"
#include "support/test_support.h"

namespace {

TEST(ShippedDungeons, EveryFloorSetsUpWithItsTraps) {
  testsupport::ResetGame();
  for (int d = 0; d <= 8; ++d) {
    G.HeroIndex = static_cast<int8_t>(d % 4);
    G.FloorIndex = d == 5 ? 9 : 0;
    ASSERT_NO_THROW(SetUpFloor(d, true, true)) << "dungeon " << d;
    ASSERT_NE(Window.MonsterSheet.Picture(), nullptr);
    EXPECT_GT(Window.MonsterSheet.Width(), 0) << "dungeon " << d;
    EXPECT_GT(Window.BossSheet.Width(), 0) << "dungeon " << d;
    for (int f = 0; f < 10; ++f) {
      G.FloorIndex = f;
      SetUpFloor(0, false, true);
      int armed = 0;
      for (const TrapRecord& t : G.Traps) {
        if (!t.Armed) continue;
        ++armed;
        EXPECT_FALSE(G.Floors[f].SolidAt(t.X / kTileSize, t.Y / kTileSize));
      }
      EXPECT_EQ(armed, f / 2 + 1) << "dungeon " << d << " floor " << f;
    }
  }
  // MIROVAAN_PLAY_PNG=<path> keeps a picture of the last floor drawn, to look at.
  if (const char* out = std::getenv("MIROVAAN_PLAY_PNG")) {
    std::string error;
    EXPECT_TRUE(gfx::WritePng(out, Window.FloorPicture.Picture, error)) << error;
  }
}

// Walking with every key held for a long time never leaves the floor or enters a wall.
TEST(ShippedDungeons, LongWalksStayOnPassableGround) {
  testsupport::ResetGame();
  for (int d = 0; d <= 8; ++d) {
    G.FloorIndex = d == 5 ? 9 : 0;
    SetUpFloor(d, true, false);
    // Where the world map's entrance puts the hero.
    G.HeroX = G.WorldEntrances[d].StartTileX * kTileSize;
    G.HeroY = G.WorldEntrances[d].StartTileY * kTileSize;
    ASSERT_FALSE(SolidAt(G.HeroX + 12, G.HeroY + 12)) << "start of dungeon " << d;
    G.HeroIndex = 1;
    G.KeyState[kShift] = 1;
    for (int t = 0; t < 2000; ++t) {
      for (int k = kUp; k <= kLeft; ++k) G.KeyState[k] = ((t / 37 + k * 3) % 5) < 2;
      MoveHeroOnFloor();
      ASSERT_GE(G.HeroX, 0);
      ASSERT_GE(G.HeroY, 0);
      ASSERT_LE(G.HeroX, kFloorPixels - kTileSize);
      ASSERT_LE(G.HeroY, kFloorPixels - kTileSize);
      // The probed corners of the box never sit in a wall.
      ASSERT_FALSE(SolidAt(G.HeroX + 4, G.HeroY + 4)) << "dungeon " << d << " tick " << t;
      ASSERT_FALSE(SolidAt(G.HeroX + 20, G.HeroY + 20)) << "dungeon " << d << " tick " << t;
    }
  }
}

}  // namespace
