#include "floor_map.h"

#include <queue>

namespace autoplay {

namespace {

int Index(Tile t) { return t.col * kGrid + t.row; }
Tile AtIndex(int i) { return {i / kGrid, i % kGrid}; }

constexpr Tile kSteps[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};

}  // namespace

FloorMap::FloorMap(const FloorRecord& floor) {
  for (int i = 0; i < kGrid * kGrid; ++i) {
    value_[i] = floor.Tiles[i];
    solid_[i] = floor.Attr[floor.Tiles[i]] != 0;
  }
}

bool FloorMap::Passable(Tile t) const { return Inside(t) && !solid_[Index(t)]; }

int FloorMap::Value(Tile t) const { return Inside(t) ? value_[Index(t)] : -1; }

StairWay FloorMap::Stair(Tile t) const {
  int v = Value(t);
  if (v == 25 || v == 39) return StairWay::Onward;
  if (v == 24 || v == 38) return StairWay::Back;
  return StairWay::None;
}

std::vector<Tile> FloorMap::Where(const std::function<bool(Tile)>& pred) const {
  std::vector<Tile> out;
  for (int c = 0; c < kGrid; ++c)
    for (int r = 0; r < kGrid; ++r)
      if (pred({c, r})) out.push_back({c, r});
  return out;
}

Distances::Distances(const FloorMap& map, Tile from) : from_(from) {
  if (!map.Inside(from)) return;
  using Entry = std::pair<int, int>;  // cost, index
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  cost_[Index(from)] = 0;
  open.push({0, Index(from)});
  while (!open.empty()) {
    auto [cost, i] = open.top();
    open.pop();
    if (cost != cost_[i]) continue;
    Tile t = AtIndex(i);
    if (!(t == from) && map.Stair(t) != StairWay::None) continue;  // a closed door
    for (Tile s : kSteps) {
      Tile n{t.col + s.col, t.row + s.row};
      if (!map.Passable(n)) continue;
      int next = cost + (map.Hot(n) ? kHotCost : 1);
      if (next < cost_[Index(n)]) {
        cost_[Index(n)] = next;
        parent_[Index(n)] = i;
        open.push({next, Index(n)});
      }
    }
  }
}

int Distances::To(Tile t) const {
  if (t.col < 0 || t.row < 0 || t.col >= kGrid || t.row >= kGrid) return kUnreached;
  return cost_[Index(t)];
}

std::vector<Tile> Distances::PathTo(Tile to) const {
  std::vector<Tile> path;
  if (!Reached(to)) return path;
  for (int i = Index(to); i != Index(from_) && i >= 0; i = parent_[i]) path.push_back(AtIndex(i));
  return {path.rbegin(), path.rend()};
}

bool Distances::Nearest(const std::function<bool(Tile)>& pred, Tile& out) const {
  int best = kUnreached;
  for (int i = 0; i < kGrid * kGrid; ++i) {
    if (cost_[i] < best && pred(AtIndex(i))) {
      best = cost_[i];
      out = AtIndex(i);
    }
  }
  return best < kUnreached;
}

Tile RunEnd(Tile from, const std::vector<Tile>& path) {
  if (path.empty()) return from;
  int dc = path[0].col - from.col, dr = path[0].row - from.row;
  Tile end = path[0];
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i].col - end.col != dc || path[i].row - end.row != dr) break;
    end = path[i];
  }
  return end;
}

}  // namespace autoplay
