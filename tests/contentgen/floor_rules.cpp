#include "floor_rules.h"

#include <algorithm>
#include <array>
#include <queue>
#include <sstream>

#include "state/state.h"

namespace floorcheck {

namespace {

constexpr int kGrid = 60, kTiles = kGrid * kGrid, kRecord = kTiles + 256, kFloors = 10;
constexpr int kDX[4] = {0, 1, 0, -1}, kDY[4] = {-1, 0, 1, 0};

bool Down(int v) { return v == 24 || v == 38; }
bool Up(int v) { return v == 25 || v == 39; }
bool Stair(int v) { return Down(v) || Up(v); }
bool Effect(int v) { return v == 7 || v == 30 || Stair(v); }

struct View {
  const std::vector<uint8_t>& file;
  int Tile(int f, int c, int r) const { return file[f * kRecord + c * kGrid + r]; }
  int Attr(int f, int v) const { return file[f * kRecord + kTiles + v]; }
  bool Open(int f, int c, int r) const {
    return c >= 0 && r >= 0 && c < kGrid && r < kGrid && Attr(f, Tile(f, c, r)) == 0;
  }
};

std::string Where(int d, int f, int c, int r) {
  std::ostringstream s;
  s << "dungeon " << d << ", floor " << f << ", tile (" << c << "," << r << ")";
  return s.str();
}

using Problems = std::vector<std::string>;

std::string OfFloor(int d, int f) {
  return "dungeon " + std::to_string(d) + ", floor " + std::to_string(f);
}

// Tile values with pictures, solid edges, and the attribute tables.
void CheckTiles(const View& w, int d, Problems& out) {
  for (int f = 0; f < kFloors; ++f) {
    for (int c = 0; c < kGrid; ++c)
      for (int r = 0; r < kGrid; ++r) {
        int v = w.Tile(f, c, r);
        if (v >= 64) out.push_back(Where(d, f, c, r) + ": tile value " + std::to_string(v) + " has no picture");
        bool edge = c == 0 || r == 0 || c == kGrid - 1 || r == kGrid - 1;
        if (edge && w.Attr(f, v) == 0) out.push_back(Where(d, f, c, r) + ": passable tile on the edge of the floor");
      }
    for (int v = 64; v < 256; ++v)
      if (w.Attr(f, v) == 0) {
        out.push_back(OfFloor(d, f) + ": unused tile value " + std::to_string(v) + " is marked passable");
        break;
      }
    for (int v : {7, 30, 24, 25, 38, 39})
      if (w.Attr(f, v) != 0) out.push_back(OfFloor(d, f) + ": effect tile " + std::to_string(v) + " is solid");
  }
}

void CheckStart(const View& w, const Expectations& e, Problems& out) {
  const int d = e.dungeon, sf = e.entryFloor, sc = e.startCol, sr = e.startRow;
  if (!w.Open(sf, sc, sr)) out.push_back(Where(d, sf, sc, sr) + ": the start tile is solid");
  if (Effect(w.Tile(sf, sc, sr)))
    out.push_back(Where(d, sf, sc, sr) + ": the start tile is a spring, hot floor or stair");
}

// Every stair has its partner on the next floor and a way off it.
void CheckStairs(const View& w, int d, Problems& out) {
  for (int f = 0; f < kFloors; ++f)
    for (int c = 0; c < kGrid; ++c)
      for (int r = 0; r < kGrid; ++r) {
        int v = w.Tile(f, c, r);
        if (!Stair(v)) continue;
        if (Up(v) && f < 9 && !Down(w.Tile(f + 1, c, r)))
          out.push_back(Where(d, f, c, r) + ": stair up has no stair down at the same tile of floor " + std::to_string(f + 1));
        if (Down(v) && f > 0 && !Up(w.Tile(f - 1, c, r)))
          out.push_back(Where(d, f, c, r) + ": stair down has no stair up at the same tile of floor " + std::to_string(f - 1));
        bool off = false;
        for (int k = 0; k < 4; ++k)
          if (w.Open(f, c + kDX[k], r + kDY[k]) && !Stair(w.Tile(f, c + kDX[k], r + kDY[k]))) off = true;
        if (!off) out.push_back(Where(d, f, c, r) + ": a hero arriving on this stair cannot step off it");
      }
}

// Where a hero can walk from the start, the stairs taken as the game takes them.
struct Walk {
  std::vector<uint8_t> visited = std::vector<uint8_t>(kFloors * kTiles, 0);
  bool floorReached[kFloors] = {};
  bool exitDown = false, exitUp = false;
  int exitSteps = -1;  // on the entry floor, to the stair that leaves the dungeon
};

// A state is a tile the hero stands on, and whether the stair latch holds there.
Walk WalkFromStart(const View& w, const Expectations& e) {
  Walk walk;
  const int sf = e.entryFloor;
  std::vector<uint8_t> seen(kFloors * kTiles * 2, 0);
  struct State { int f, c, r, latched, steps; };
  std::queue<State> q;
  auto push = [&](int f, int c, int r, int latched, int steps) {
    int k = (f * kTiles + c * kGrid + r) * 2 + latched;
    if (seen[k]) return;
    seen[k] = 1;
    walk.visited[f * kTiles + c * kGrid + r] = 1;
    walk.floorReached[f] = true;
    q.push({f, c, r, latched, steps});
  };
  if (w.Open(sf, e.startCol, e.startRow)) push(sf, e.startCol, e.startRow, 0, 0);
  while (!q.empty()) {
    State s = q.front();
    q.pop();
    for (int k = 0; k < 4; ++k) {
      int c = s.c + kDX[k], r = s.r + kDY[k];
      if (!w.Open(s.f, c, r)) continue;
      int v = w.Tile(s.f, c, r);
      if (!Stair(v) || s.latched) {  // a latched stair does nothing
        push(s.f, c, r, Stair(v) ? 1 : 0, s.steps + 1);
        walk.visited[s.f * kTiles + c * kGrid + r] = 1;
        continue;
      }
      walk.visited[s.f * kTiles + c * kGrid + r] = 1;
      if ((Down(v) && s.f == 0) || (Up(v) && s.f == 9)) {
        (Down(v) ? walk.exitDown : walk.exitUp) = true;
        bool entryExit = (e.entryFloor == 0) == (Down(v) && s.f == 0);
        bool steps = s.f == sf && (walk.exitSteps < 0 || s.steps + 1 < walk.exitSteps);
        if (entryExit && steps) walk.exitSteps = s.steps + 1;  // counted on the entry floor only
        continue;
      }
      int to = Down(v) ? s.f - 1 : s.f + 1;
      if (w.Open(to, c, r)) push(to, c, r, 1, s.steps + 1000);
    }
  }
  return walk;
}

void CheckWalk(const View& w, const Expectations& e, const Walk& walk, Problems& out) {
  const int d = e.dungeon;
  const std::string dungeon = "dungeon " + std::to_string(d);
  for (int f = 0; f < kFloors; ++f)
    if (!walk.floorReached[f]) out.push_back(dungeon + ": floor " + std::to_string(f) + " cannot be reached from the start");
  if (e.bossFloor >= 0 && !walk.floorReached[e.bossFloor])
    out.push_back(dungeon + ": the boss floor " + std::to_string(e.bossFloor) + " cannot be reached");
  if (!walk.exitDown) out.push_back(dungeon + ": no way out by the stair down of floor 0");
  if (!walk.exitUp) out.push_back(dungeon + ": no way out by the stair up of floor 9");
  if (walk.exitSteps < 0 || walk.exitSteps > e.maxExitSteps)
    out.push_back(Where(d, e.entryFloor, e.startCol, e.startRow) + ": the way out is not within " +
                  std::to_string(e.maxExitSteps) + " steps of the start");
  for (int f = 0; f < kFloors; ++f) {
    int lost = 0;
    for (int c = 0; c < kGrid; ++c)
      for (int r = 0; r < kGrid; ++r)
        if (w.Open(f, c, r) && !walk.visited[f * kTiles + c * kGrid + r] && lost++ < 3)
          out.push_back(Where(d, f, c, r) + ": walkable tile cut off from the stairs");
    if (lost > 3) out.push_back(OfFloor(d, f) + ": " + std::to_string(lost) + " walkable tiles cut off in all");
  }
}

// Room for the monsters: they land on walkable tiles of columns and rows 0..58.
void CheckRoom(const View& w, const Expectations& e, Problems& out) {
  for (int f : e.monsterFloors) {
    int open = 0;
    for (int c = 0; c < kGrid - 1; ++c)
      for (int r = 0; r < kGrid - 1; ++r) open += w.Open(f, c, r);
    int need = f == e.bossFloor ? 250 : 400;
    if (open < need)
      out.push_back(OfFloor(e.dungeon, f) + ": only " + std::to_string(open) +
                    " walkable tiles for its monsters (want " + std::to_string(need) + ")");
  }
}

// Lantern light reaches about four tiles: on dark floors no open square wider than 11.
void CheckDarkness(const View& w, const Expectations& e, Problems& out) {
  for (int f : e.darkFloors) {
    std::vector<int> run(kTiles, 0);  // largest all-walkable square ending at (c, r)
    int best = 0, bc = 0, br = 0;
    for (int c = 0; c < kGrid; ++c)
      for (int r = 0; r < kGrid; ++r) {
        if (!w.Open(f, c, r)) continue;
        int a = (c > 0 && r > 0) ? run[(c - 1) * kGrid + r - 1] : 0;
        int b = c > 0 ? run[(c - 1) * kGrid + r] : 0;
        int l = r > 0 ? run[c * kGrid + r - 1] : 0;
        int v = 1 + std::min({a, b, l});
        run[c * kGrid + r] = v;
        if (v > best) best = v, bc = c, br = r;
      }
    if (best > 11)
      out.push_back(Where(e.dungeon, f, bc, br) + ": an open hall " + std::to_string(best) + " tiles square on a dark floor");
  }
}

}  // namespace

Expectations ExpectationsFor(int d) {
  // Where the world map's entrance puts the hero, as the game has it.
  InitWorldEntrances();
  static const int kBoss[9] = {6, 7, 9, 7, 9, 3, 9, 8, 5};
  Expectations e;
  e.dungeon = d;
  e.entryFloor = d == 5 ? 9 : 0;
  e.startCol = G.WorldEntrances[d].StartTileX;
  e.startRow = G.WorldEntrances[d].StartTileY;
  e.bossFloor = kBoss[d];
  for (int f = 0; f < kFloors; ++f) {
    bool monsters = false;
    switch (d) {
      case 0: monsters = f <= 6; break;
      case 1: case 3: monsters = f <= 7; break;
      case 2: case 4: case 6: monsters = true; break;
      case 5: monsters = f == 3 || f == 4 || f == 5 || f >= 7; break;
      case 7: monsters = f <= 8; break;
      case 8: monsters = f == 5; break;
    }
    if (monsters) e.monsterFloors.push_back(f);
    if ((d == 4 && f <= 6) || (d == 5 && (f == 4 || f == 7)) || d == 6) e.darkFloors.push_back(f);
  }
  return e;
}

std::vector<std::string> CheckDungeon(const std::vector<uint8_t>& file, const Expectations& e) {
  Problems out;
  if (file.size() != static_cast<size_t>(kRecord * kFloors)) {
    out.push_back("dungeon " + std::to_string(e.dungeon) + ": file holds " + std::to_string(file.size()) +
                  " bytes, not 38560");
    return out;
  }
  View w{file};
  CheckTiles(w, e.dungeon, out);
  CheckStart(w, e, out);
  CheckStairs(w, e.dungeon, out);
  CheckWalk(w, e, WalkFromStart(w, e), out);
  CheckRoom(w, e, out);
  CheckDarkness(w, e, out);
  return out;
}

}  // namespace floorcheck
