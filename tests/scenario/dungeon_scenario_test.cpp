// A whole stretch of play through a crafted dungeon: enter from the world map, walk into a
// wall, fight a monster to its death, pick up what it leaves, and take a stair.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/state.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kGrass = 0, kTree = 2, kUpStair = 25, kDownStair = 24;

// Ten open floors walled round by trees; floor 0 has a stair up at (3, 9), floor 1 the
// stair back at the same tile.
std::vector<uint8_t> CraftedDungeon() {
  std::vector<uint8_t> file(38560, 0);
  for (int f = 0; f < 10; ++f) {
    uint8_t* floor = file.data() + f * 3856;
    for (int c = 0; c < 60; ++c)
      for (int r = 0; r < 60; ++r)
        floor[c * 60 + r] = (c == 0 || r == 0 || c == 59 || r == 59) ? kTree : kGrass;
    for (int v = 0; v < 256; ++v) floor[3600 + v] = v >= 64 ? 1 : 0;
    floor[3600 + kTree] = 1;
  }
  file[0 * 3856 + 3 * 60 + 9] = kUpStair;
  file[1 * 3856 + 3 * 60 + 9] = kDownStair;
  return file;
}

class DungeonScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("mirovaan-scenario-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    for (const auto& entry : fs::directory_iterator(testsupport::DataDir()))
      if (entry.is_regular_file()) fs::copy_file(entry.path(), dir_ / entry.path().filename());
    auto dungeon = CraftedDungeon();
    std::ofstream(dir_ / "M_0.mpt", std::ios::binary)
        .write(reinterpret_cast<const char*>(dungeon.data()), static_cast<std::streamsize>(dungeon.size()));
    testsupport::StartProgram(7);
    AppDir = dir_.string() + "/";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Press(uint16_t key) {
    OnKeyDown(key);
    OnKeyUp(key);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) OnTickTimer();
  }
  fs::path dir_;
};

// A monster that stands its ground two tiles below the hero, alone on the floor.
MonsterRecord& PlaceStandingMonster() {
  for (MonsterRecord& m : G.Monsters) m.State = Empty;
  MonsterRecord& m = G.Monsters[0];
  m = MonsterRecord{};
  m.X = G.HeroX;
  m.Y = G.HeroY + 48;
  m.MaxHP = m.HP = 20;
  m.Kind = 1;
  m.Width = m.Height = 20;
  m.State = Active;
  m.Behaviour = Stand;
  m.MoveDelay = 1000;
  m.ExpValue = 9;
  m.Gold = 5;
  m.DropChance = 1;
  m.DropItem = 51;
  m.RareDropItem = 51;
  m.SplatColumn = 2;
  return m;
}

TEST_F(DungeonScenario, EnterWalkFightAndTakeAStair) {
  Press(VK_SPACE);   // title -> selection
  Press(VK_RETURN);  // hero 0 -> world map
  ASSERT_EQ(G.GameMode, kModeWorld);
  G.HeroX = 142;  // stand on the first entrance
  G.HeroY = 75;
  Press(VK_RETURN);
  ASSERT_EQ(G.GameMode, kModePlay);
  EXPECT_EQ(G.HeroX, 72);
  EXPECT_EQ(G.HeroY, 96);
  EXPECT_EQ(audio::MusicCalls().back(), 3);

  // Walk up into the border wall: stopped flush at the first row of grass.
  OnKeyDown(VK_UP);
  Ticks(30);
  OnKeyUp(VK_UP);
  EXPECT_EQ(G.HeroY, 24);
  EXPECT_EQ(G.Facing, kFacingUp);

  MonsterRecord& m = PlaceStandingMonster();

  OnKeyDown(VK_DOWN);  // face the monster
  Ticks(1);
  OnKeyUp(VK_DOWN);
  EXPECT_EQ(G.Facing, kFacingDown);
  G.HeroY = 24;
  OnKeyDown(VK_SPACE);
  int ticks = 0;
  while (m.State == Active && ticks < 400) {
    Ticks(1);
    ++ticks;
  }
  OnKeyUp(VK_SPACE);
  ASSERT_EQ(m.State, Dormant) << "the monster never fell";
  EXPECT_EQ(audio::EffectCalls().back(), 0);
  EXPECT_EQ(G.PendingExperience + G.Experience + (G.Level > 1 ? 6 : 0), 8);

  // Its coin and herb lie where it fell; walking there picks both up.
  Ticks(20);  // the experience counts in meanwhile
  OnKeyDown(VK_DOWN);
  Ticks(8);
  OnKeyUp(VK_DOWN);
  Ticks(1);
  EXPECT_EQ(G.Gold, 5);
  bool gotHerb = false;
  for (uint8_t item : G.Inventory) gotHerb |= item == 51;
  EXPECT_TRUE(gotHerb);
  EXPECT_EQ(G.Level, 2);

  // The stair up at (3, 9): the hero's centre must be on it.
  G.HeroX = 3 * 24;
  G.HeroY = 8 * 24;
  OnKeyDown(VK_DOWN);
  Ticks(4);
  OnKeyUp(VK_DOWN);
  EXPECT_EQ(G.FloorIndex, 1);
  EXPECT_EQ(G.StairLatch, 1);
  EXPECT_EQ(G.GameMode, kModePlay);
  // On the new floor the hero stands on the stair back down, which does nothing until the
  // hero has stepped off it.
  Ticks(3);
  EXPECT_EQ(G.FloorIndex, 1);
}

}  // namespace
