// Reading a dungeon file and setting a floor up: BUF redrawn, objects reset, monsters
// populated, traps placed.
#pragma once

#include <stdexcept>

// A dungeon file that cannot be read; the calling command is abandoned.
class DungeonFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void SetUpFloor(int dungeon, bool readFile, bool resetObjects);  // throws on failure
void PlaceTrap();
void DrawFloorIntoBUF();
