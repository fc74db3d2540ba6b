// Every state a real game reaches must save and load again unchanged: new games of every
// hero, every populated floor of every dungeon with shots and loot in flight, the ending.
#include <gtest/gtest.h>

#include <filesystem>

#include "combat/spawn.h"
#include "content/heroes.h"
#include "world/floor_setup.h"
#include "game/modes.h"
#include "game/tick.h"
#include "persist/persist_fixture.h"
#include "modes/mode_changes.h"

namespace {

using namespace persisttest;

int statesWithMonsters = 0, statesWithShots = 0;

// The record of the current state passes the load check and survives a copy in and out.
void ExpectLoadable(const std::string& where) {
  for (const MonsterRecord& m : G.Monsters)
    if (m.State == Active) {
      ++statesWithMonsters;
      break;
    }
  for (const ShotRecord& s : G.HeroShots)
    if (s.Active) {
      ++statesWithShots;
      break;
    }
  std::vector<uint8_t> record = BuildSaveRecord();
  auto problem = persist::CheckSaveRecord(record.data());
  EXPECT_FALSE(problem.has_value()) << where << ": " << problem.value_or("");
  if (problem) return;
  auto saved = std::make_unique<GameState>(G);
  persist::ApplySaveRecord(record.data());
  EXPECT_EQ(FirstDifference(BuildSaveRecord(), record), "") << where;
  G = *saved;
}

bool ContentBuilt() {
  return std::filesystem::exists(testsupport::DataDir() + "/M_0.mpt");
}

TEST(PlayStates, NewGamesOfEveryHeroAreLoadable) {
  testsupport::ResetGame();
  ExpectLoadable("start-up");
  for (int hero = 0; hero < 4; ++hero) {
    G.HeroIndex = static_cast<int8_t>(hero);
    StartNewGame();
    ExpectLoadable("new game of hero " + std::to_string(hero));
  }
}

TEST(PlayStates, EveryPopulatedFloorWithFightingIsLoadable) {
  testsupport::ResetGame();
  if (!ContentBuilt()) GTEST_SKIP() << "content folder not built";
  G.HeroIndex = 3;
  StartNewGame();
  for (int dungeon = 0; dungeon < 9; ++dungeon) {
    for (int floor = 0; floor < 10; ++floor) {
      std::string where = "dungeon " + std::to_string(dungeon) + " floor " + std::to_string(floor);
      G.FloorIndex = floor;
      try {
        SetUpFloor(dungeon, floor == 0, true);
      } catch (const std::exception& e) {
        ADD_FAILURE() << where << ": " << e.what();
        continue;
      }
      ExpectLoadable(where);
      // Fight for a while: shots, monster shots, coins, drops, traps.
      G.GameMode = kModePlay;
      G.HP = G.MaxHP = 9999;
      G.KeyState[kSpace] = 1;
      for (int tick = 0; tick < 40 && G.GameMode == kModePlay; ++tick) {
        G.KeyState[kRight] = (tick / 10) % 2;
        G.Facing = static_cast<uint8_t>(tick % 4);
        GameTick();
        ++G.TickCount;
        if (tick % 10 == 9) ExpectLoadable(where + " tick " + std::to_string(tick));
      }
      G.KeyState[kSpace] = 0;
      G.KeyState[kRight] = 0;
      if (G.GameMode != kModePlay) ExpectLoadable(where + " after leaving play");
      G.GameMode = kModePlay;
    }
  }
  // The check above has seen real fights, not empty floors.
  EXPECT_GT(statesWithMonsters, 50);
  EXPECT_GT(statesWithShots, 50);
}

TEST(PlayStates, GameOverAndEndingAreLoadable) {
  testsupport::ResetGame();
  G.HeroIndex = 0;
  StartNewGame();
  G.GameMode = kModePlay;
  GameOver();
  ExpectLoadable("game over");
  StartEnding();
  ExpectLoadable("ending");
}

}  // namespace
