// The scripted player's way-finding: it must walk round walls, never through a stair it does
// not mean to take, and prefer a detour to a hot floor.
#include <gtest/gtest.h>

#include <cstring>

#include "autoplay/floor_map.h"
#include "autoplay/keys.h"

using autoplay::Distances;
using autoplay::FloorMap;
using autoplay::StairWay;
using autoplay::Tile;

namespace {

constexpr uint8_t kWall = 1, kHot = 30, kOnward = 25, kBack = 24;

struct Floor {
  FloorRecord rec{};
  Floor() { rec.Attr[kWall] = 1; }
  void Set(int c, int r, uint8_t v) { rec.Tiles[c * kFloorTiles + r] = v; }
  void WallColumn(int c, int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r) Set(c, r, kWall);
  }
};

bool Contains(const std::vector<Tile>& path, Tile t) {
  for (Tile p : path)
    if (p == t) return true;
  return false;
}

// Every step of a path is one of the four moves onto a passable tile.
void ExpectWalkable(const FloorMap& map, Tile from, const std::vector<Tile>& path) {
  Tile at = from;
  for (Tile t : path) {
    EXPECT_EQ(std::abs(t.col - at.col) + std::abs(t.row - at.row), 1);
    EXPECT_TRUE(map.Passable(t));
    at = t;
  }
}

}  // namespace

TEST(AutoplayWays, GoesRoundWallsAndOffTheGridIsSolid) {
  Floor f;
  f.WallColumn(5, 0, 58);  // a wall with one gap at the bottom row
  FloorMap map(f.rec);
  Distances d(map, {2, 2});
  std::vector<Tile> path = d.PathTo({8, 2});
  ASSERT_FALSE(path.empty());
  ExpectWalkable(map, {2, 2}, path);
  EXPECT_TRUE(Contains(path, Tile{5, 59}));
  EXPECT_EQ(d.To({8, 2}), 3 + 57 + 57 + 3);
  EXPECT_FALSE(map.Passable({-1, 3}));
  EXPECT_FALSE(map.Passable({3, 60}));
  // A closed pocket is never reached.
  f.Set(5, 59, kWall);
  Distances shut(FloorMap(f.rec), {2, 2});
  EXPECT_FALSE(shut.Reached({8, 2}));
  EXPECT_TRUE(shut.PathTo({8, 2}).empty());
}

TEST(AutoplayWays, StairsEndAWayButNeverLieOnIt) {
  Floor f;
  f.WallColumn(5, 0, 59);
  f.Set(5, 30, kOnward);  // the only door through the wall is a stair
  f.Set(9, 9, kBack);
  FloorMap map(f.rec);
  EXPECT_EQ(map.Stair({5, 30}), StairWay::Onward);
  EXPECT_EQ(map.Stair({9, 9}), StairWay::Back);
  Distances d(map, {2, 30});
  EXPECT_TRUE(d.Reached({5, 30}));   // the stair itself can be walked onto
  EXPECT_FALSE(d.Reached({6, 30}));  // but nothing beyond it
  // Standing on a stair (just arrived by it) the hero may walk off it.
  Distances onStair(map, {9, 9});
  EXPECT_TRUE(onStair.Reached({12, 12}));
  // The nearest stair of a kind.
  Tile found;
  ASSERT_TRUE(onStair.Nearest([&](Tile t) { return map.Stair(t) == StairWay::Onward; }, found));
  EXPECT_EQ(found, (Tile{5, 30}));
  // A way between two places never crosses a stair on the straight line between them.
  Floor g;
  g.Set(10, 10, kBack);
  FloorMap open(g.rec);
  std::vector<Tile> path = Distances(open, {8, 10}).PathTo({12, 10});
  EXPECT_EQ(path.size(), 6u);
  EXPECT_FALSE(Contains(path, Tile{10, 10}));
}

TEST(AutoplayWays, HotFloorIsADetourWorthTaking) {
  Floor f;
  for (int r = 0; r < 60; ++r) f.Set(5, r, r >= 10 && r <= 30 ? kWall : kHot);
  f.Set(5, 12, 0);  // a cool gap three rows off the straight way over the lava
  FloorMap map(f.rec);
  std::vector<Tile> path = Distances(map, {2, 9}).PathTo({8, 9});
  ExpectWalkable(map, {2, 9}, path);
  EXPECT_TRUE(Contains(path, Tile{5, 12}));
  EXPECT_FALSE(Contains(path, Tile{5, 9}));
  // Where only lava leads on, the way goes over it.
  Floor lava;
  for (int r = 0; r < 60; ++r) lava.Set(5, r, kHot);
  EXPECT_TRUE(Distances(FloorMap(lava.rec), {2, 2}).Reached({8, 2}));
}

TEST(AutoplayWays, StraightRunsAndSteering) {
  std::vector<Tile> path = {{3, 2}, {4, 2}, {5, 2}, {5, 3}, {5, 4}};
  EXPECT_EQ(autoplay::RunEnd({2, 2}, path), (Tile{5, 2}));
  EXPECT_EQ(autoplay::RunEnd({2, 2}, {}), (Tile{2, 2}));
  // The shorter axis is settled first; a step that would overshoot is not taken.
  autoplay::Held h = autoplay::SteerTo(100, 100, 196, 106, 6, true);
  EXPECT_TRUE(h.down);
  EXPECT_FALSE(h.right);
  h = autoplay::SteerTo(100, 100, 196, 103, 6, true);
  EXPECT_TRUE(h.right);
  EXPECT_TRUE(h.shift);
  h = autoplay::SteerTo(100, 100, 110, 100, 6, true);
  EXPECT_TRUE(h.right);
  EXPECT_FALSE(h.shift);  // a doubled step would pass the point
  EXPECT_FALSE(autoplay::SteerTo(100, 100, 104, 97, 6, true).AnyDirection());
  // Key events only for the keys that change.
  uint8_t state[8] = {1, 0, 0, 0, 0, 0, 1, 0};
  autoplay::Held want;
  want.right = want.space = true;
  std::vector<autoplay::KeyEvent> events = autoplay::KeysToward(state, want);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], (autoplay::KeyEvent{false, 38}));
  EXPECT_EQ(events[1], (autoplay::KeyEvent{true, 39}));
}
