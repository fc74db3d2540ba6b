// What the scripted player knows of one floor, read the way a player reads the screen: which
// tiles can be stood on, where the stairs, springs and hot floors are, and how far every tile
// is from the hero by the hero's own four-way steps.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "state/records.h"

namespace autoplay {

constexpr int kGrid = kFloorTiles;
constexpr int kTile = 24;

struct Tile {
  int col = 0, row = 0;
  bool operator==(const Tile&) const = default;
};

// The tile under the centre of a 24 x 24 box whose top-left corner is (x, y).
inline Tile TileOfBox(int x, int y) { return {(x + kTile / 2) / kTile, (y + kTile / 2) / kTile}; }

enum class StairWay { None, Onward, Back };  // Onward leads to FloorIndex + 1

class FloorMap {
 public:
  FloorMap() = default;
  explicit FloorMap(const FloorRecord& floor);

  bool Inside(Tile t) const { return t.col >= 0 && t.row >= 0 && t.col < kGrid && t.row < kGrid; }
  bool Passable(Tile t) const;
  int Value(Tile t) const;
  StairWay Stair(Tile t) const;
  bool Hot(Tile t) const { return Value(t) == 30; }
  bool Spring(Tile t) const { return Value(t) == 7; }
  std::vector<Tile> Where(const std::function<bool(Tile)>& pred) const;

 private:
  std::vector<uint8_t> value_ = std::vector<uint8_t>(kGrid * kGrid, 0);
  std::vector<uint8_t> solid_ = std::vector<uint8_t>(kGrid * kGrid, 1);
};

// Shortest ways from one tile to every other. A stair other than the start is a closed door:
// it can be the end of a way (stepping onto it fires it) but never a place passed through.
// Hot floor hurts, so it costs several steps.
class Distances {
 public:
  static constexpr int kUnreached = 1 << 30;
  static constexpr int kHotCost = 8;

  Distances() = default;
  Distances(const FloorMap& map, Tile from);

  int To(Tile t) const;
  bool Reached(Tile t) const { return To(t) < kUnreached; }
  // The tiles after the start, up to and including `to`; empty when unreached or at the start.
  std::vector<Tile> PathTo(Tile to) const;
  // The reached tile of least cost that satisfies pred, or none.
  bool Nearest(const std::function<bool(Tile)>& pred, Tile& out) const;
  Tile From() const { return from_; }

 private:
  Tile from_;
  std::vector<int> cost_ = std::vector<int>(kGrid * kGrid, kUnreached);
  std::vector<int> parent_ = std::vector<int>(kGrid * kGrid, -1);
};

// The farthest tile of the path's first straight run: the hero walks a whole run at once.
Tile RunEnd(Tile from, const std::vector<Tile>& path);

}  // namespace autoplay
