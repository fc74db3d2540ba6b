// Saved games for the soak: made from a record the game wrote, placed in every dungeon, and
// damaged the ways a disk or a hand editor damages them.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace soak {

using Record = std::vector<uint8_t>;

// The hero of base on the world map, standing on the entrance at (x, y), with the gold that
// opens every entrance.
Record AtEntrance(const Record& base, int x, int y);

// The hero of base on floor floor of dungeon dungeon, at a passable tile or a stair of that
// floor read from the content folder (often one that does something: a stair, a spring), with strength drawn at random.
Record InDungeon(const Record& base, const std::string& data, int dungeon, int floor,
                 std::mt19937& rng);

// Some bytes changed, the file cut short or grown.
Record Damaged(const Record& good, std::mt19937& rng);

void WriteFile(const std::string& path, const Record& bytes);
Record ReadFile(const std::string& path);

}  // namespace soak
