// The final opponent's fall inside a whole tick.
#include <gtest/gtest.h>

#include "combat/combat_fixture.h"
#include "game/tick.h"

namespace combattest {
namespace {

TEST_F(DeathTest, InTheEndingTickTheLootBlocksStandStill) {
  G.DungeonIndex = 8;
  G.FloorIndex = 5;
  Doomed(0).Gold = 0;
  G.Coins[7].Active = 1;
  G.Coins[7].X = 100;
  G.Coins[7].Y = 100;
  G.Coins[7].Lifetime = 50;
  GameTick();
  EXPECT_EQ(G.GameMode, kModeEnding);
  EXPECT_EQ(G.Coins[7].Lifetime, 50);
}

}  // namespace
}  // namespace combattest
