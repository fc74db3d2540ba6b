// Reading a dungeon file and setting a floor up: FloorPicture redrawn, objects reset, monsters
// populated, traps placed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

// A dungeon file that cannot be read; the calling command is abandoned.
class DungeonFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the first 38560 bytes of dungeon file M_<dungeon>.mpt under AppDir, or throws
// DungeonFileError naming the file. Nothing of the game is touched, so a failed read leaves
// the floors as they were.
std::vector<uint8_t> ReadDungeonFile(int dungeon);

void SetUpFloor(int dungeon, bool readFile, bool resetObjects);  // throws on failure
void PlaceTrap();
void DrawFloorPicture();
