// The nine dungeons: each floor is laid out by its dungeon's themed generator from a fixed
// seed, with the hand-drawn maps of assets/floors/ stamped in (entrances, boss arenas, the
// final hall), the stairs chained from floor to floor and every walkable pocket joined to
// the stairs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace floors {

constexpr int kGrid = 60;
constexpr int kFloorCount = 10;
constexpr int kTileBytes = kGrid * kGrid;
constexpr int kFloorBytes = kTileBytes + 256;
constexpr int kDungeonBytes = kFloorBytes * kFloorCount;
constexpr int kDungeonCount = 9;

struct TilePos {
  int col, row;
};

// Where the hero stands on entering each dungeon (tile column, row).
constexpr TilePos kStartTiles[kDungeonCount] = {{3, 4},   {28, 29}, {15, 50}, {11, 47}, {30, 31},
                                                {29, 55}, {16, 31}, {13, 11}, {30, 50}};

// The floor the hero enters on: dungeon 5 is entered at its top.
inline int EntryFloor(int dungeon) { return dungeon == 5 ? 9 : 0; }

// The floor whose population holds the dungeon's boss (the final opponent in dungeon 8).
int BossFloor(int dungeon);

// The dungeon file (38560 bytes) of dungeon 0..8. floorsDir holds the hand-drawn maps.
// Throws std::runtime_error when a map is missing or malformed.
std::vector<uint8_t> BuildDungeon(int dungeon, const std::string& floorsDir);

}  // namespace floors
