// Springs, hot floors, stairs with their latch and music, and the hidden traps.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "audio/sound.h"
#include "world/floor_events.h"
#include "world/floor_setup.h"
#include "state/window_model.h"
#include "state/state.h"
#include "play_helpers.h"
#include "support/test_support.h"

using namespace playtest;

namespace {

constexpr uint8_t kSpring = 7, kHot = 30, kUpA = 25, kUpB = 39, kDownA = 24, kDownB = 38;

class FloorEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    for (int f = 0; f < 10; ++f) MakeFloor(f);
    G.GameMode = kModePlay;
    G.DungeonIndex = 1;
    G.FloorIndex = 3;
    G.HeroIndex = 0;
    G.MaxHP = 20;
    G.HP = 10;
    StandOn(kGround);
  }
  // Puts the hero's centre on tile (10, 12) of the current floor and gives it `value`.
  void StandOn(uint8_t value, int dx = 0, int dy = 0) {
    SetTile(G.FloorIndex, 10, 12, value);
    G.HeroX = 10 * 24 + dx;
    G.HeroY = 12 * 24 + dy;
  }
};

TEST_F(FloorEventsTest, SpringHealsUpToMaxAndAlwaysSparkles) {
  StandOn(kSpring);
  auto draws = PeekRandom({2, 20, 20, 2, 20, 20});
  uint32_t seed = RandSeed;
  EXPECT_FALSE(FloorEvents());
  EXPECT_EQ(G.HP, 11);
  EXPECT_EQ(G.SpeechIndex, 4);
  EXPECT_EQ(DrawsSince(seed), 6);
  // The last sparkle drawn: cell, then x, then y.
  EXPECT_EQ(Window.MarkerSheet.Index(), draws[3] + 8);
  EXPECT_EQ(Window.MarkerSheet.X, draws[4] + 136);
  EXPECT_EQ(Window.MarkerSheet.Y, draws[5] + 88);

  G.HP = G.MaxHP;
  G.SpeechIndex = 0;
  seed = RandSeed;
  FloorEvents();
  EXPECT_EQ(G.HP, 20);
  EXPECT_EQ(G.SpeechIndex, 4);
  EXPECT_EQ(DrawsSince(seed), 6);
}

TEST_F(FloorEventsTest, HotFloorTakesTheLastPointAndNoMore) {
  StandOn(kHot);
  G.HP = 1;
  auto draws = PeekRandom({3, 20, 20, 3, 20, 20});
  FloorEvents();
  EXPECT_EQ(G.HP, 0);
  EXPECT_EQ(G.SpeechIndex, 11);
  EXPECT_EQ(Window.MarkerSheet.Index(), draws[3] + 13);
  EXPECT_EQ(Window.MarkerSheet.X, draws[4] + 136);
  EXPECT_EQ(Window.MarkerSheet.Y, draws[5] + 88);
  uint32_t seed = RandSeed;
  FloorEvents();
  EXPECT_EQ(G.HP, 0);
  EXPECT_EQ(DrawsSince(seed), 6);  // the flames still show
}

TEST_F(FloorEventsTest, StairLatchHoldsUntilTheHeroStepsOff) {
  StandOn(kUpA);
  EXPECT_FALSE(FloorEvents());
  EXPECT_EQ(G.FloorIndex, 4);
  EXPECT_EQ(G.StairLatch, 1);
  EXPECT_EQ(G.HeroX, 240);  // the hero keeps its place on the new floor

  // Arriving on a stair of the new floor: nothing until the hero steps off.
  StandOn(kDownA);
  for (int t = 0; t < 3; ++t) FloorEvents();
  EXPECT_EQ(G.FloorIndex, 4);
  EXPECT_EQ(G.StairLatch, 1);

  StandOn(kGround);
  FloorEvents();
  EXPECT_EQ(G.StairLatch, 0);
  StandOn(kDownB);
  FloorEvents();
  EXPECT_EQ(G.FloorIndex, 3);
  EXPECT_EQ(G.StairLatch, 1);

  // A spring is no stair: it opens the latch as well.
  StandOn(kSpring);
  FloorEvents();
  EXPECT_EQ(G.StairLatch, 0);
  StandOn(kUpB);
  FloorEvents();
  EXPECT_EQ(G.FloorIndex, 4);
}

TEST_F(FloorEventsTest, AStairSetsUpTheNewFloor) {
  StandOn(kUpA);
  G.HeroShots[2].Active = 1;
  G.Coins[7].Active = 1;
  FloorEvents();
  EXPECT_EQ(G.HeroShots[2].Active, 0);
  EXPECT_EQ(G.Coins[7].Active, 0);
  int armed = 0;
  for (const TrapRecord& t : G.Traps) armed += t.Armed;
  EXPECT_EQ(armed, 3);  // floor 4
}

// Outside the floor there is no tile: no event, and the latch opens.
TEST_F(FloorEventsTest, OutsideTheFloorIsNoTile) {
  G.StairLatch = 1;
  G.HeroX = -40;
  G.HeroY = 300;
  uint32_t seed = RandSeed;
  EXPECT_FALSE(FloorEvents());
  EXPECT_EQ(G.StairLatch, 0);
  EXPECT_EQ(G.HP, 10);
  EXPECT_EQ(G.FloorIndex, 3);
  EXPECT_EQ(DrawsSince(seed), 0);
  // x = -12 puts the centre at pixel 0: column 0 again, on the floor.
  SetTile(3, 0, 12, kSpring);
  G.HeroX = -12;
  G.HeroY = 12 * 24;
  FloorEvents();
  EXPECT_EQ(G.HP, 11);
  G.HeroX = -13;  // centre at -1
  FloorEvents();
  EXPECT_EQ(G.HP, 11);
}

class ExitTest : public FloorEventsTest {
 protected:
  void SetUp() override {
    FloorEventsTest::SetUp();
    dir_.WritePicture("mainmap.bmp", 312, 216, gfx::Rgb(0, 90, 0));
    AppDir = dir_.Slash();
    G.WorldX = 142;
    G.WorldY = 75;
    audio::ClearCallLog();
  }
  ScratchDir dir_{"exit"};
};

TEST_F(ExitTest, DownFromFloorZeroLeadsOut) {
  G.FloorIndex = 0;
  StandOn(kDownA);
  EXPECT_TRUE(FloorEvents());
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HeroX, 142);
  EXPECT_EQ(G.HeroY, 75);
  EXPECT_EQ(G.StairLatch, 0);  // left as it was
  ASSERT_FALSE(audio::MusicCalls().empty());
  EXPECT_EQ(audio::MusicCalls().back(), 11);
}

TEST_F(ExitTest, UpFromFloorNineLeadsOutAndDungeonFiveStartsThere) {
  G.DungeonIndex = 5;
  G.FloorIndex = 9;  // where dungeon 5 is entered
  StandOn(kUpB);
  EXPECT_TRUE(FloorEvents());
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.FloorIndex, 9);
}

TEST_F(ExitTest, TheLatchHoldsAnExitToo) {
  G.FloorIndex = 0;
  G.StairLatch = 1;
  StandOn(kDownB);
  EXPECT_FALSE(FloorEvents());
  EXPECT_EQ(G.GameMode, kModePlay);
  EXPECT_TRUE(audio::MusicCalls().empty());
}

// The music after a stair, by dungeon and the floor arrived at; -1 keeps the music going.
TEST_F(FloorEventsTest, MusicFollowsTheFloorTable) {
  // {dungeon, new floor} -> track, going to FloorIndex + 1 and to FloorIndex - 1.
  const std::map<std::pair<int, int>, int> up = {
      {{0, 6}, 9}, {{0, 7}, 3}, {{1, 7}, 9}, {{2, 9}, 9}, {{3, 7}, 9},
      {{4, 9}, 9}, {{5, 4}, 12}, {{6, 9}, 9}, {{7, 8}, 9}};
  const std::map<std::pair<int, int>, int> down = {
      {{0, 5}, 3}, {{0, 6}, 9}, {{1, 6}, 1}, {{2, 8}, 1}, {{3, 6}, 6},
      {{4, 8}, 3}, {{5, 3}, 9}, {{6, 8}, 1}, {{7, 7}, 3}};
  for (int d = 0; d <= 8; ++d) {
    for (int f = 0; f <= 9; ++f) {
      for (bool goingUp : {true, false}) {
        int from = goingUp ? f - 1 : f + 1;
        if (from < 0 || from > 9) continue;
        G.DungeonIndex = d;
        G.FloorIndex = from;
        G.StairLatch = 0;
        StandOn(goingUp ? kUpA : kDownA);
        audio::ClearCallLog();
        ASSERT_FALSE(FloorEvents());
        ASSERT_EQ(G.FloorIndex, f);
        const auto& table = goingUp ? up : down;
        auto it = table.find({d, f});
        std::vector<int> expected;
        if (it != table.end()) expected.push_back(it->second);
        EXPECT_EQ(audio::MusicCalls(), expected)
            << "dungeon " << d << " to floor " << f << (goingUp ? " (up)" : " (down)");
      }
    }
  }
}

class TrapTest : public FloorEventsTest {
 protected:
  void SetUp() override {
    FloorEventsTest::SetUp();
    G.HeroX = 600;
    G.HeroY = 600;
    TrapRecord& t = G.Traps[4];
    t.Armed = 1;
    t.X = 600;
    t.Y = 600;
  }
};

TEST_F(TrapTest, FiresIntoTheFirstFreeShotAndStaysArmed) {
  G.MonsterShots[0].Active = 1;
  G.MonsterShots[1].Active = 1;
  auto d = PeekRandom({4});
  uint32_t seed = RandSeed;
  TouchTraps();
  EXPECT_EQ(DrawsSince(seed), 1);
  EXPECT_EQ(G.Traps[4].Sprung, 1);
  EXPECT_EQ(G.Traps[4].Armed, 1);
  EXPECT_EQ(G.MonsterShots[2].Active, 1);
  EXPECT_EQ(G.MonsterShots[2].Direction, d[0]);
  EXPECT_EQ(G.MonsterShots[3].Active, 0);
  // A hero who lingers draws another arrow every tick.
  TouchTraps();
  EXPECT_EQ(G.MonsterShots[3].Active, 1);
}

TEST_F(TrapTest, WithEveryShotSlotBusyNothingHappens) {
  for (ShotRecord& s : G.MonsterShots) s.Active = 1;
  uint32_t seed = RandSeed;
  TouchTraps();
  EXPECT_EQ(DrawsSince(seed), 0);
  EXPECT_EQ(G.Traps[4].Sprung, 0);
  EXPECT_EQ(G.Traps[4].Armed, 1);
  G.MonsterShots[9].Active = 0;
  TouchTraps();
  EXPECT_EQ(G.Traps[4].Sprung, 1);
  EXPECT_EQ(G.MonsterShots[9].Active, 1);
}

TEST_F(TrapTest, ReachIsTwelvePixelsEachWay) {
  const int offsets[][2] = {{12, 12}, {-12, -12}, {12, -12}, {13, 0}, {0, -13}};
  const bool fires[] = {true, true, true, false, false};
  for (int i = 0; i < 5; ++i) {
    for (ShotRecord& s : G.MonsterShots) s.Active = 0;
    G.Traps[4].Sprung = 0;
    G.HeroX = 600 + offsets[i][0];
    G.HeroY = 600 + offsets[i][1];
    TouchTraps();
    EXPECT_EQ(G.Traps[4].Sprung, fires[i] ? 1 : 0) << "offset " << i;
  }
  // An unarmed trap never fires.
  G.Traps[4].Armed = 0;
  G.Traps[4].Sprung = 0;
  G.HeroX = G.HeroY = 600;
  TouchTraps();
  EXPECT_EQ(G.Traps[4].Sprung, 0);
}

TEST_F(TrapTest, SprungTrapsAreDrawnRelativeToTheHero) {
  G.Traps[4].Sprung = 1;
  G.Traps[4].X = 648;
  G.Traps[4].Y = 576;
  Window.MarkerSheet.SetIndex(0);
  DrawSprungTraps();
  EXPECT_EQ(Window.MarkerSheet.Index(), 11);
  EXPECT_EQ(Window.MarkerSheet.X, 648 - 600 + 144);
  EXPECT_EQ(Window.MarkerSheet.Y, 576 - 600 + 96);
  G.Traps[4].Sprung = 0;
  Window.MarkerSheet.SetIndex(0);
  DrawSprungTraps();
  EXPECT_EQ(Window.MarkerSheet.Index(), 0);
}

}  // namespace
