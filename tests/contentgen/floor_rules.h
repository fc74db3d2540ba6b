// The rules every dungeon file must keep for the floors to be playable, checked with the
// game's own movement rules: a hero standing on a tile can step to a side neighbour whose
// attribute is 0 (points off the grid are solid); a stair fires when stepped onto, and the
// hero arriving by it stands on the partner stair and must step off before it fires again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace floorcheck {

struct Expectations {
  int dungeon = 0;
  int entryFloor = 0;       // 9 for the dungeon entered at its top
  int startCol = 0, startRow = 0;
  int bossFloor = -1;       // must be reached
  int maxExitSteps = 8;     // the way out must lie this close to the start
  std::vector<int> monsterFloors;  // floors that receive monsters: need room
  std::vector<int> darkFloors;     // floors seen by lantern light: no huge empty halls
};

// Every broken rule as a readable line naming the dungeon, the floor and the tile.
std::vector<std::string> CheckDungeon(const std::vector<uint8_t>& file, const Expectations& e);

// The floors that receive monsters and the dark floors of each dungeon.
Expectations ExpectationsFor(int dungeon);

}  // namespace floorcheck
