// Floor layouts. A floor is first drawn in a small alphabet of map characters (the same one
// the hand-drawn maps use, see assets/floors/README.md), then each dungeon's theme turns the
// characters into tile values.
#include "layout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <queue>
#include <stdexcept>
#include <string>

#include "tileset.h"

namespace floors {

namespace {

// ---------------------------------------------------------------------------------------
// Randomness: a fixed generator of our own, so the floors never change with the library.

struct Rng {
  uint64_t s;
  explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 0x1234567) {}
  uint32_t Next() {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return static_cast<uint32_t>(s >> 16);
  }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool OneIn(int n) { return Below(n) == 0; }
};

// ---------------------------------------------------------------------------------------
// The map alphabet.
//   '#' wall   'W' wall with a fitting (torch, banner, pipes, crystals)   ' ' wall
//   'T' solid object (tree, stalagmite, pillar ...)   'P' second solid object
//   'B' barrier (iron bars, fence)   '~' liquid, solid   'V' void, solid
//   '.' floor   ',' second floor   'o' passable clutter   '=' path, rails, carpet
//   'H' bridge   'L' hot floor   'S' spring   '*' brazier (solid)
//   '<' stair down   '>' stair up   '@' start tile
// Hand-drawn maps also use 'A' (arrival stair), 'D' (departure stair) and 'X' (way out).

bool Walkable(char ch) { return ch && std::strchr(".,o=HLS@<>", ch) != nullptr; }
bool IsStair(char ch) { return ch == '<' || ch == '>'; }
// Walking ground that is not a stair: what joins the parts of a floor to one another.
bool Ground(char ch) { return Walkable(ch) && !IsStair(ch); }

struct Grid {
  char c[kGrid][kGrid];     // [column][row]
  bool prot[kGrid][kGrid];  // laid down by a map or a stair: the generator leaves it alone
  Grid() {
    std::memset(c, '#', sizeof c);
    std::memset(prot, 0, sizeof prot);
  }
  static bool In(int x, int y) { return x >= 0 && y >= 0 && x < kGrid && y < kGrid; }
  static bool Inner(int x, int y) { return x >= 1 && y >= 1 && x < kGrid - 1 && y < kGrid - 1; }
  char At(int x, int y) const { return In(x, y) ? c[x][y] : '#'; }
  void Put(int x, int y, char ch) {
    if (Inner(x, y) && !prot[x][y]) c[x][y] = ch;
  }
  int CountAround(int x, int y, bool (*pred)(char)) const {
    int n = 0;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if ((dx || dy) && pred(At(x + dx, y + dy))) ++n;
    return n;
  }
};

const int kDX[4] = {0, 1, 0, -1};
const int kDY[4] = {-1, 0, 1, 0};

bool SolidCh(char ch) { return !Walkable(ch); }

// ---------------------------------------------------------------------------------------
// Themed generators. Each writes walls and floor inside the border (rows and columns 0 and
// 59 always stay wall).

// Caves by cellular automaton: a random fill smoothed so that a cell becomes wall when five
// or more of its eight neighbours are wall.
void Caves(Grid& g, Rng& rng, int fillPercent, int rounds) {
  for (int x = 1; x < kGrid - 1; ++x)
    for (int y = 1; y < kGrid - 1; ++y) g.Put(x, y, rng.Below(100) < fillPercent ? '#' : '.');
  for (int k = 0; k < rounds; ++k) {
    Grid next = g;
    for (int x = 1; x < kGrid - 1; ++x)
      for (int y = 1; y < kGrid - 1; ++y) {
        if (g.prot[x][y]) continue;
        int walls = g.CountAround(x, y, SolidCh);
        next.c[x][y] = walls >= 5 ? '#' : (walls == 4 ? g.c[x][y] : '.');
      }
    g = next;
  }
}

void Carve(Grid& g, int x0, int y0, int x1, int y1, char ch = '.') {
  for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) g.Put(x, y, ch);
}

// A corridor two tiles wide, one leg horizontal and one vertical.
void Corridor(Grid& g, Rng& rng, int x0, int y0, int x1, int y1) {
  if (rng.OneIn(2)) {
    Carve(g, x0, y0, x1, y0 + 1);
    Carve(g, x1, y0, x1 + 1, y1);
  } else {
    Carve(g, x0, y0, x0 + 1, y1);
    Carve(g, x0, y1, x1, y1 + 1);
  }
}

struct Room {
  int x, y, w, h;
  int cx() const { return x + w / 2; }
  int cy() const { return y + h / 2; }
};

// Rooms joined by two-wide corridors: each room to its nearest earlier one, plus a few loops.
std::vector<Room> Rooms(Grid& g, Rng& rng, int count, int minSize, int maxSize) {
  std::vector<Room> rooms;
  for (int attempt = 0; attempt < 400 && static_cast<int>(rooms.size()) < count; ++attempt) {
    Room r{0, 0, rng.Range(minSize, maxSize), rng.Range(minSize, maxSize)};
    r.x = rng.Range(2, kGrid - 3 - r.w);
    r.y = rng.Range(2, kGrid - 3 - r.h);
    bool clash = false;
    for (const Room& o : rooms)
      if (r.x < o.x + o.w + 2 && o.x < r.x + r.w + 2 && r.y < o.y + o.h + 2 && o.y < r.y + r.h + 2)
        clash = true;
    if (clash) continue;
    Carve(g, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1);
    if (!rooms.empty()) {
      const Room* best = &rooms[0];
      for (const Room& o : rooms)
        if (std::abs(o.cx() - r.cx()) + std::abs(o.cy() - r.cy()) <
            std::abs(best->cx() - r.cx()) + std::abs(best->cy() - r.cy()))
          best = &o;
      Corridor(g, rng, r.cx(), r.cy(), best->cx(), best->cy());
    }
    rooms.push_back(r);
  }
  for (int k = 0; k < static_cast<int>(rooms.size()) / 4 + 1 && rooms.size() > 2; ++k) {
    const Room& a = rooms[rng.Below(rooms.size())];
    const Room& b = rooms[rng.Below(rooms.size())];
    Corridor(g, rng, a.cx(), a.cy(), b.cx(), b.cy());
  }
  return rooms;
}

// Winding tunnels dug by walkers with a brush of the given width, with dens along the way.
void Tunnels(Grid& g, Rng& rng, int walkers, int steps, int width, int denEvery, int denRadius) {
  for (int w = 0; w < walkers; ++w) {
    int x = rng.Range(5, kGrid - 6), y = rng.Range(5, kGrid - 6), dir = rng.Below(4);
    for (int s = 0; s < steps; ++s) {
      Carve(g, x, y, x + width - 1, y + width - 1);
      if (denEvery > 0 && rng.OneIn(denEvery)) {
        int r = rng.Range(denRadius - 1, denRadius);
        for (int dx = -r; dx <= r; ++dx)
          for (int dy = -r; dy <= r; ++dy)
            if (dx * dx + dy * dy <= r * r + 1) g.Put(x + dx, y + dy, '.');
      }
      if (rng.OneIn(5)) dir = (dir + (rng.OneIn(2) ? 1 : 3)) % 4;
      int nx = x + kDX[dir], ny = y + kDY[dir];
      if (nx < 2 || ny < 2 || nx > kGrid - 3 - width || ny > kGrid - 3 - width) {
        dir = (dir + 2) % 4;
        continue;
      }
      x = nx, y = ny;
    }
  }
}

// A braided maze of two-wide passages between two-thick walls, with some cells merged into
// small rooms: tight ways for the dark floors.
void Maze(Grid& g, Rng& rng, int roomCount) {
  constexpr int kCells = 14;  // cell (i, j) carves 2x2 at (2 + 4i, 2 + 4j)
  auto at = [](int i) { return 2 + 4 * i; };
  std::vector<int> visited(kCells * kCells, 0);
  std::vector<std::pair<int, int>> stack{{rng.Below(kCells), rng.Below(kCells)}};
  visited[stack[0].first * kCells + stack[0].second] = 1;
  Carve(g, at(stack[0].first), at(stack[0].second), at(stack[0].first) + 1, at(stack[0].second) + 1);
  while (!stack.empty()) {
    auto [i, j] = stack.back();
    int order[4] = {0, 1, 2, 3};
    for (int k = 3; k > 0; --k) std::swap(order[k], order[rng.Below(k + 1)]);
    bool moved = false;
    for (int d : order) {
      int ni = i + kDX[d], nj = j + kDY[d];
      if (ni < 0 || nj < 0 || ni >= kCells || nj >= kCells || visited[ni * kCells + nj]) continue;
      visited[ni * kCells + nj] = 1;
      Carve(g, at(i), at(j), at(ni) + 1, at(nj) + 1);
      stack.push_back({ni, nj});
      moved = true;
      break;
    }
    if (!moved) stack.pop_back();
  }
  // Braid: open a third of the dead ends into a neighbour, so that fights have ways round.
  for (int i = 0; i < kCells; ++i)
    for (int j = 0; j < kCells; ++j) {
      int open = 0;
      for (int d = 0; d < 4; ++d)
        if (Walkable(g.At(at(i) + kDX[d] * 2 + (d == 1 ? 1 : 0), at(j) + kDY[d] * 2 + (d == 2 ? 1 : 0))))
          ++open;
      if (open != 1 || !rng.OneIn(3)) continue;
      int d = rng.Below(4), ni = i + kDX[d], nj = j + kDY[d];
      if (ni >= 0 && nj >= 0 && ni < kCells && nj < kCells) Carve(g, at(i), at(j), at(ni) + 1, at(nj) + 1);
    }
  // Wear the walls: the odd wall tile open to two passages gives way, so the ways wind.
  for (int x = 2; x < kGrid - 2; ++x)
    for (int y = 2; y < kGrid - 2; ++y)
      if (g.c[x][y] == '#' && g.CountAround(x, y, Walkable) >= 4 && rng.OneIn(4)) g.Put(x, y, '.');
  for (int k = 0; k < roomCount; ++k) {
    int i = rng.Below(kCells - 2), j = rng.Below(kCells - 2), w = rng.Range(1, 2), h = rng.Range(1, 2);
    Carve(g, at(i), at(j), at(i + w) + 1, at(j + h) + 1);
  }
}

// Open ground with scattered ruins: broken wall rectangles with gaps.
void Ruins(Grid& g, Rng& rng, int count) {
  Carve(g, 1, 1, kGrid - 2, kGrid - 2);
  for (int k = 0; k < count; ++k) {
    int w = rng.Range(5, 11), h = rng.Range(5, 9), x = rng.Range(3, kGrid - 4 - w), y = rng.Range(3, kGrid - 4 - h);
    for (int i = 0; i <= w; ++i)
      for (int j = 0; j <= h; ++j) {
        bool edge = i == 0 || j == 0 || i == w || j == h;
        if (!edge) continue;
        if (rng.OneIn(5)) continue;  // crumbled
        g.Put(x + i, y + j, '#');
      }
    // A doorway two wide in the middle of one side.
    int side = rng.Below(4);
    int dx = side == 1 ? w : (side == 3 ? 0 : w / 2), dy = side == 2 ? h : (side == 0 ? 0 : h / 2);
    Carve(g, x + dx, y + dy, x + dx + (side % 2 == 0), y + dy + (side % 2 == 1));
  }
}

// Blobs of a character (ponds, pools, lava) in open ground.
void Blobs(Grid& g, Rng& rng, char ch, int count, int radius, bool onlyOpen) {
  for (int k = 0; k < count; ++k) {
    int x = rng.Range(4, kGrid - 5), y = rng.Range(4, kGrid - 5);
    int rx = rng.Range(1, radius), ry = rng.Range(1, radius);
    for (int dx = -rx; dx <= rx; ++dx)
      for (int dy = -ry; dy <= ry; ++dy) {
        if (dx * dx * ry * ry + dy * dy * rx * rx > rx * rx * ry * ry) continue;
        int px = x + dx, py = y + dy;
        if (!Grid::Inner(px, py) || g.prot[px][py]) continue;
        if (onlyOpen && g.At(px, py) != '.') continue;
        g.c[px][py] = ch;
      }
  }
}

// ---------------------------------------------------------------------------------------
// Hand-drawn maps.

struct MapFile {
  std::string name;
  std::vector<std::string> rows;
  int Width() const {
    size_t w = 0;
    for (const auto& r : rows) w = std::max(w, r.size());
    return static_cast<int>(w);
  }
};

MapFile LoadMap(const std::string& dir, const std::string& name) {
  std::string path = dir + "/" + name + ".txt";
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read floor map " + path);
  MapFile m{name, {}};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == ';') continue;  // comment
    for (char ch : line)
      if (!std::strchr("#W TPB~V.,o=HLS*<>@ADX", ch))
        throw std::runtime_error(path + ": unknown map character '" + std::string(1, ch) + "'");
    m.rows.push_back(line);
  }
  if (m.rows.empty() || m.Width() > kGrid - 2 || static_cast<int>(m.rows.size()) > kGrid - 2)
    throw std::runtime_error(path + ": a map must have 1 to 58 rows of at most 58 characters");
  return m;
}

struct Marks {
  bool hasStart = false, hasArrival = false, hasDeparture = false, hasExit = false;
  TilePos start{}, arrival{}, departure{}, exit{};
};

// Copies the map onto the floor with its top-left corner at (x0, y0); spaces leave the
// floor as it is. Cells that would fall on the border or outside are refused.
Marks Stamp(Grid& g, const MapFile& m, int x0, int y0, char arrivalCh, char departureCh, char exitCh) {
  Marks marks;
  for (int j = 0; j < static_cast<int>(m.rows.size()); ++j)
    for (int i = 0; i < static_cast<int>(m.rows[j].size()); ++i) {
      char ch = m.rows[j][i];
      if (ch == ' ') continue;
      int x = x0 + i, y = y0 + j;
      if (!Grid::Inner(x, y)) {
        // The border stays wall; only the marked tiles may not fall off the floor.
        if (std::strchr("@ADX", ch)) throw std::runtime_error("floor map " + m.name + " puts a stair or the start on the edge of the floor");
        continue;
      }
      TilePos p{x, y};
      switch (ch) {
        case '@': marks.hasStart = true, marks.start = p, ch = '.'; break;
        case 'A': marks.hasArrival = true, marks.arrival = p, ch = arrivalCh; break;
        case 'D': marks.hasDeparture = true, marks.departure = p, ch = departureCh; break;
        case 'X': marks.hasExit = true, marks.exit = p, ch = exitCh; break;
        default: break;
      }
      g.c[x][y] = ch;
      g.prot[x][y] = true;
    }
  return marks;
}

// A stair with a ring of floor round it: a hero arriving on a stair must be able to step
// off it in every direction, and the ring keeps the stair from cutting a passage in two.
void PlaceStair(Grid& g, TilePos p, char ch) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      int x = p.col + dx, y = p.row + dy;
      if (!Grid::Inner(x, y)) throw std::runtime_error("stair too close to the edge of the floor");
      if (g.prot[x][y] && !(dx == 0 && dy == 0)) {
        if (!Walkable(g.c[x][y]) || IsStair(g.c[x][y]))
          throw std::runtime_error("a map puts a wall or a stair next to a stair");
        continue;
      }
      if (dx || dy) g.c[x][y] = '.';
      g.prot[x][y] = true;
    }
  g.c[p.col][p.row] = ch;
}

// ---------------------------------------------------------------------------------------
// Joining the floor: every part of the ground is joined to the part holding `anchor`, by
// digging the cheapest way through unprotected wall (two wide); tiny pockets are filled in.

int Components(const Grid& g, std::vector<int>& comp, std::vector<int>& sizes) {
  comp.assign(kGrid * kGrid, -1);
  sizes.clear();
  for (int x = 0; x < kGrid; ++x)
    for (int y = 0; y < kGrid; ++y) {
      if (!Ground(g.c[x][y]) || comp[x * kGrid + y] >= 0) continue;
      int id = static_cast<int>(sizes.size());
      sizes.push_back(0);
      std::vector<int> todo{x * kGrid + y};
      comp[x * kGrid + y] = id;
      while (!todo.empty()) {
        int k = todo.back();
        todo.pop_back();
        ++sizes[id];
        for (int d = 0; d < 4; ++d) {
          int nx = k / kGrid + kDX[d], ny = k % kGrid + kDY[d];
          if (Grid::In(nx, ny) && Ground(g.c[nx][ny]) && comp[nx * kGrid + ny] < 0) {
            comp[nx * kGrid + ny] = id;
            todo.push_back(nx * kGrid + ny);
          }
        }
      }
    }
  return static_cast<int>(sizes.size());
}

// The cheapest dig from the main part to any other kept part: the cell reached, with the
// way back in `from`; -1 when none can be reached.
int CheapestDig(const Grid& g, const std::vector<int>& comp, const std::vector<bool>& keep, int mainId,
                std::vector<int>& from) {
  std::vector<int> cost(kGrid * kGrid, 1 << 29);
  from.assign(kGrid * kGrid, -1);
  using Item = std::pair<int, int>;
  std::priority_queue<Item, std::vector<Item>, std::greater<Item>> pq;
  for (int k = 0; k < kGrid * kGrid; ++k)
    if (comp[k] == mainId) cost[k] = 0, pq.push({0, k});
  while (!pq.empty()) {
    auto [c, k] = pq.top();
    pq.pop();
    if (c != cost[k]) continue;
    if (comp[k] >= 0 && comp[k] != mainId && keep[comp[k]]) return k;
    for (int d = 0; d < 4; ++d) {
      int nx = k / kGrid + kDX[d], ny = k % kGrid + kDY[d];
      if (!Grid::Inner(nx, ny)) continue;
      char ch = g.c[nx][ny];
      int step;
      if (Ground(ch)) step = 1;
      else if (g.prot[nx][ny] || IsStair(ch)) continue;
      else step = 6;
      int nk = nx * kGrid + ny;
      if (c + step < cost[nk]) cost[nk] = c + step, from[nk] = k, pq.push({c + step, nk});
    }
  }
  return -1;
}

// Digs the way found by CheapestDig, two tiles wide.
void Dig(Grid& g, const std::vector<int>& comp, int mainId, int reached, const std::vector<int>& from) {
  for (int k = reached; k >= 0 && comp[k] != mainId; k = from[k]) {
    int x = k / kGrid, y = k % kGrid;
    if (!Ground(g.c[x][y])) g.c[x][y] = '.';
    int p = from[k];
    if (p < 0) break;
    bool vertical = p / kGrid == x;
    int wx = vertical ? x + 1 : x, wy = vertical ? y : y + 1;
    if (Grid::Inner(wx, wy) && !g.prot[wx][wy] && !Ground(g.c[wx][wy]) && !IsStair(g.c[wx][wy]))
      g.c[wx][wy] = '.';
  }
}

void JoinFloor(Grid& g, TilePos anchor, const char* fillWall) {
  for (int round = 0; round < 400; ++round) {
    std::vector<int> comp, sizes;
    Components(g, comp, sizes);
    int mainId = -1;
    for (int d = 0; d < 4 && mainId < 0; ++d)
      if (Grid::In(anchor.col + kDX[d], anchor.row + kDY[d]))
        mainId = comp[(anchor.col + kDX[d]) * kGrid + anchor.row + kDY[d]];
    if (mainId < 0) throw std::runtime_error("stair without floor beside it");
    // Fill small unprotected pockets; keep the others to join.
    std::vector<bool> keep(sizes.size(), false), hasProt(sizes.size(), false);
    for (int k = 0; k < kGrid * kGrid; ++k)
      if (comp[k] >= 0 && g.prot[k / kGrid][k % kGrid]) hasProt[comp[k]] = true;
    bool others = false;
    for (size_t id = 0; id < sizes.size(); ++id) {
      keep[id] = static_cast<int>(id) == mainId || hasProt[id] || sizes[id] >= 12;
      if (keep[id] && static_cast<int>(id) != mainId) others = true;
    }
    for (int k = 0; k < kGrid * kGrid; ++k)
      if (comp[k] >= 0 && !keep[comp[k]]) g.c[k / kGrid][k % kGrid] = fillWall[0];
    if (!others) return;
    std::vector<int> from;
    int reached = CheapestDig(g, comp, keep, mainId, from);
    if (reached < 0) throw std::runtime_error("a walled-in part of a floor map cannot be joined");
    Dig(g, comp, mainId, reached, from);
  }
  throw std::runtime_error("floor could not be joined up");
}

// Walking distances over the ground from p (stairs count as walls), -1 where unreachable.
std::vector<int> Distances(const Grid& g, TilePos p) {
  std::vector<int> dist(kGrid * kGrid, -1);
  std::queue<int> q;
  for (int d = 0; d < 4; ++d) {
    int x = p.col + kDX[d], y = p.row + kDY[d];
    if (Grid::In(x, y) && Ground(g.c[x][y])) dist[x * kGrid + y] = 1, q.push(x * kGrid + y);
  }
  while (!q.empty()) {
    int k = q.front();
    q.pop();
    for (int d = 0; d < 4; ++d) {
      int nx = k / kGrid + kDX[d], ny = k % kGrid + kDY[d];
      if (Grid::In(nx, ny) && Ground(g.c[nx][ny]) && dist[nx * kGrid + ny] < 0)
        dist[nx * kGrid + ny] = dist[k] + 1, q.push(nx * kGrid + ny);
    }
  }
  return dist;
}

// The shortest walk from a to b (both stairs or ground), as a list of cells.
std::vector<TilePos> Route(const Grid& g, TilePos a, TilePos b) {
  std::vector<int> dist = Distances(g, b);
  std::vector<TilePos> route;
  TilePos p = a;
  for (int guard = 0; guard < kGrid * kGrid; ++guard) {
    int best = -1, bestD = 1 << 30;
    for (int d = 0; d < 4; ++d) {
      int x = p.col + kDX[d], y = p.row + kDY[d];
      if (Grid::In(x, y) && dist[x * kGrid + y] >= 0 && dist[x * kGrid + y] < bestD)
        bestD = dist[x * kGrid + y], best = d;
    }
    if (best < 0) break;
    p = {p.col + kDX[best], p.row + kDY[best]};
    route.push_back(p);
    if (bestD <= 1) break;
  }
  return route;
}

// ---------------------------------------------------------------------------------------
// Themes.

struct Theme {
  uint8_t floor, floorAlt, wall, wallAlt, object, object2, barrier, clutter, liquid, path;
  bool built;  // stairs of cut stone and steel rather than rough rock
};

const Theme kThemes[kDungeonCount] = {
    {kGrass, kTallGrass, kTree, kBoulder, kBoulder, kTree, kFence, kFlowers, kPond, kDirtPath, false},
    {kCaveFloor, kCavePebbles, kCaveWall, kCaveCrystal, kStalagmite, kStalagmite, kStalagmite, kRubble, kCavePool, kCavePebbles, false},
    {kPrisonFloor, kPrisonStraw, kPrisonWall, kPrisonTorch, kPrisonBars, kPrisonWall, kPrisonBars, kPrisonBones, kCavePool, kPrisonStraw, true},
    {kMineFloor, kRubble, kMineWall, kMineTimber, kMineCrate, kMineTimber, kMineTimber, kRubble, kCavePool, kMineRails, false},
    {kSwampMud, kSwampReeds, kSwampBog, kSwampDeadTree, kSwampDeadTree, kSwampDeadTree, kSwampDeadTree, kSwampReeds, kSwampBog, kSwampStones, false},
    {kSand, kSandBones, kSandstoneWall, kSandstoneWall, kCactus, kPalm, kSandstoneWall, kSandBones, kPond, kTempleTiles, false},
    {kLairFloor, kLairNest, kLairWall, kLairWall, kBonePile, kBonePile, kBonePile, kLairNest, kSlimePool, kLairNest, false},
    {kMetalFloor, kMetalGrate, kMetalWall, kPipes, kGearBlock, kPipes, kPipes, kMachineLamp, kGearBlock, kHazardFloor, true},
    {kGoldFloor, kGoldFloor, kGoldWall, kBanner, kGoldPillar, kStatue, kGoldPillar, kGoldFloor, kVoid, kCarpet, true},
};

uint8_t TileOf(const Theme& t, char ch) {
  switch (ch) {
    case '.': case '@': return t.floor;
    case ',': return t.floorAlt;
    case 'o': return t.clutter;
    case '=': return t.path;
    case 'H': return kBridge;
    case 'L': return kHotFloor;
    case 'S': return kSpring;
    case '<': return t.built ? kStairDownBuilt : kStairDownRough;
    case '>': return t.built ? kStairUpBuilt : kStairUpRough;
    case 'W': return t.wallAlt;
    case 'T': return t.object;
    case 'P': return t.object2;
    case 'B': return t.barrier;
    case '~': return t.liquid;
    case 'V': return kVoid;
    case '*': return kBrazier;
    default: return t.wall;
  }
}

// ---------------------------------------------------------------------------------------
// The plan of each dungeon.

enum class Style { Meadow, Caves, Cells, Mine, Marsh, Maze, Desert, TightRuins, Lair, Halls, Keep, Map };

struct FloorPlan {
  Style style;
  const char* map = nullptr;  // hand-drawn map filling the floor (boss arenas, the final hall)
};

struct DungeonPlan {
  FloorPlan floors[kFloorCount];
};

const DungeonPlan kPlans[kDungeonCount] = {
    // 0: meadows and woods; the boss waits in a clearing on floor 6.
    {{{Style::Meadow}, {Style::Meadow}, {Style::Meadow}, {Style::Meadow}, {Style::Meadow},
      {Style::Meadow}, {Style::Map, "arena_clearing"}, {Style::Meadow}, {Style::Meadow}, {Style::Meadow}}},
    // 1: caves; boss hall on floor 7.
    {{{Style::Caves}, {Style::Caves}, {Style::Caves}, {Style::Caves}, {Style::Caves},
      {Style::Caves}, {Style::Caves}, {Style::Map, "arena_hall"}, {Style::Caves}, {Style::Caves}}},
    // 2: prison blocks; the warden's hall at the bottom.
    {{{Style::Cells}, {Style::Cells}, {Style::Cells}, {Style::Cells}, {Style::Cells},
      {Style::Cells}, {Style::Cells}, {Style::Cells}, {Style::Cells}, {Style::Map, "arena_hall"}}},
    // 3: the mine; a lava pit on floor 7.
    {{{Style::Mine}, {Style::Mine}, {Style::Mine}, {Style::Mine}, {Style::Mine},
      {Style::Mine}, {Style::Mine}, {Style::Map, "arena_pit"}, {Style::Mine}, {Style::Mine}}},
    // 4: the swamp, dark from floor 0 to 6: narrow ways through the bog.
    {{{Style::Maze}, {Style::Maze}, {Style::Maze}, {Style::Maze}, {Style::Maze},
      {Style::Maze}, {Style::Maze}, {Style::Marsh}, {Style::Marsh}, {Style::Map, "arena_clearing"}}},
    // 5: the desert, walked from the top down; dark on floors 4 and 7.
    {{{Style::Desert}, {Style::Desert}, {Style::Desert}, {Style::Map, "arena_temple"}, {Style::TightRuins},
      {Style::Desert}, {Style::Desert}, {Style::TightRuins}, {Style::Desert}, {Style::Desert}}},
    // 6: the beast lair, dark throughout.
    {{{Style::Lair}, {Style::Lair}, {Style::Lair}, {Style::Lair}, {Style::Lair},
      {Style::Lair}, {Style::Lair}, {Style::Lair}, {Style::Lair}, {Style::Map, "arena_warren"}}},
    // 7: machine halls; the boss hall on floor 8.
    {{{Style::Halls}, {Style::Halls}, {Style::Halls}, {Style::Halls}, {Style::Halls},
      {Style::Halls}, {Style::Halls}, {Style::Halls}, {Style::Map, "arena_hall"}, {Style::Halls}}},
    // 8: the golden keep; the final opponent's hall on floor 5.
    {{{Style::Keep}, {Style::Keep}, {Style::Keep}, {Style::Keep}, {Style::Keep},
      {Style::Map, "final_hall"}, {Style::Keep}, {Style::Keep}, {Style::Keep}, {Style::Keep}}},
};

bool IsDark(int d, int f) { return (d == 4 && f <= 6) || (d == 5 && (f == 4 || f == 7)) || d == 6; }

void Lay(Grid& g, Style style, Rng& rng, bool dark) {
  switch (style) {
    case Style::Meadow:
      Caves(g, rng, 42, 5);
      Blobs(g, rng, '~', 3, 3, true);
      break;
    case Style::Caves:
      Caves(g, rng, 47, 5);
      Blobs(g, rng, '~', 2, 2, true);
      break;
    case Style::Cells: Rooms(g, rng, 16, 4, 9); break;
    case Style::Mine: Tunnels(g, rng, 7, 140, 2, 30, 3); break;
    case Style::Marsh:
      Caves(g, rng, 45, 4);
      Blobs(g, rng, '~', 4, 2, true);
      break;
    case Style::Maze: Maze(g, rng, 6); break;
    case Style::Desert: Ruins(g, rng, 16); break;
    case Style::TightRuins: Rooms(g, rng, 18, 3, 6); break;
    case Style::Lair: Tunnels(g, rng, 9, 110, 2, 18, 2); break;
    case Style::Halls: Rooms(g, rng, 11, 6, 12); break;
    case Style::Keep: Rooms(g, rng, 12, 5, 10); break;
    case Style::Map: break;
  }
  (void)dark;
}

// Solid objects standing alone in open ground (a ring of ground round each, so nothing is
// ever cut off by them), passable clutter, second floor in patches.
void Dress(Grid& g, Rng& rng, Style style, const std::vector<TilePos>& route) {
  std::vector<bool> onRoute(kGrid * kGrid, false);
  for (TilePos p : route)
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (Grid::In(p.col + dx, p.row + dy)) onRoute[(p.col + dx) * kGrid + p.row + dy] = true;
  int objectChance = 0, clutterChance = 30, altChance = 0;
  char object = 'T';
  switch (style) {
    case Style::Meadow: objectChance = 30, altChance = 5; break;
    case Style::Caves: objectChance = 40, altChance = 6; break;
    case Style::Marsh: objectChance = 30, altChance = 5; break;
    case Style::Desert: objectChance = 35, altChance = 0; break;
    case Style::Halls: case Style::Keep: objectChance = 0; break;
    default: objectChance = 60; break;
  }
  // Second floor in soft patches.
  if (altChance > 0) {
    for (int k = 0; k < altChance * 3; ++k) {
      int x = rng.Range(2, kGrid - 3), y = rng.Range(2, kGrid - 3), r = rng.Range(1, 3);
      for (int dx = -r; dx <= r; ++dx)
        for (int dy = -r; dy <= r; ++dy)
          if (dx * dx + dy * dy <= r * r && g.At(x + dx, y + dy) == '.' && !g.prot[x + dx][y + dy])
            g.c[x + dx][y + dy] = ',';
    }
  }
  for (int x = 2; x < kGrid - 2; ++x)
    for (int y = 2; y < kGrid - 2; ++y) {
      if (g.prot[x][y] || g.c[x][y] != '.') continue;
      if (objectChance && !onRoute[x * kGrid + y] && g.CountAround(x, y, Ground) == 8 && rng.OneIn(objectChance)) {
        g.c[x][y] = (style == Style::Desert && rng.OneIn(3)) ? 'P' : object;
        continue;
      }
      if (rng.OneIn(clutterChance) && g.CountAround(x, y, Ground) >= 3) g.c[x][y] = 'o';
    }
  // Fittings on walls that face the ground below them (torches, banners, pipes, crystals).
  for (int x = 1; x < kGrid - 1; ++x)
    for (int y = 1; y < kGrid - 2; ++y)
      if (g.c[x][y] == '#' && !g.prot[x][y] && Ground(g.c[x][y + 1]) && rng.OneIn(style == Style::Meadow ? 4 : 9))
        g.c[x][y] = 'W';
}

// Paths along the way from arrival to departure: dirt in the woods, rails in the mine
// (where the way runs straight up or down), carpet in the keep.
void LayPath(Grid& g, Style style, const std::vector<TilePos>& route) {
  for (size_t i = 0; i < route.size(); ++i) {
    TilePos p = route[i];
    if (g.prot[p.col][p.row] || !Ground(g.c[p.col][p.row]) || g.c[p.col][p.row] == 'S') continue;
    if (style == Style::Meadow || style == Style::Keep) {
      g.c[p.col][p.row] = '=';
    } else if (style == Style::Mine) {
      bool up = i > 0 && route[i - 1].col == p.col, down = i + 1 < route.size() && route[i + 1].col == p.col;
      if (up && down) g.c[p.col][p.row] = '=';
    }
  }
}

// Lava pools away from the way through (mine, desert, keep).
void LavaPools(Grid& g, Rng& rng, int count, const std::vector<TilePos>& route) {
  std::vector<int> far(kGrid * kGrid, 1);
  for (TilePos p : route)
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy)
        if (Grid::In(p.col + dx, p.row + dy)) far[(p.col + dx) * kGrid + p.row + dy] = 0;
  for (int k = 0; k < count; ++k) {
    int x = rng.Range(3, kGrid - 4), y = rng.Range(3, kGrid - 4);
    int r = rng.Range(1, 2);
    for (int dx = -r; dx <= r; ++dx)
      for (int dy = -r; dy <= r; ++dy) {
        int px = x + dx, py = y + dy;
        if (dx * dx + dy * dy > r * r + 1 || !Grid::Inner(px, py) || g.prot[px][py]) continue;
        if (far[px * kGrid + py] && (g.c[px][py] == '.' || g.c[px][py] == ',')) g.c[px][py] = 'L';
      }
  }
}

// A spring two steps from p, on free ground.
void SpringNear(Grid& g, Rng& rng, TilePos p) {
  std::vector<TilePos> spots;
  for (int dx = -3; dx <= 3; ++dx)
    for (int dy = -3; dy <= 3; ++dy) {
      if (std::max(std::abs(dx), std::abs(dy)) < 2) continue;
      int x = p.col + dx, y = p.row + dy;
      if (Grid::Inner(x, y) && !g.prot[x][y] && (g.c[x][y] == '.' || g.c[x][y] == ',')) spots.push_back({x, y});
    }
  if (spots.empty()) return;
  TilePos s = spots[rng.Below(spots.size())];
  g.c[s.col][s.row] = 'S';
  g.prot[s.col][s.row] = true;
}

// Picks the departure stair: far from the arrival along the ground, in open floor.
TilePos ChooseDeparture(const Grid& g, Rng& rng, TilePos from, const TilePos* avoid) {
  std::vector<int> dist = Distances(g, from);
  int best = 0;
  for (int v : dist) best = std::max(best, v);
  std::vector<TilePos> spots;
  for (int want = best * 3 / 4; spots.empty() && want >= 0; want -= std::max(1, best / 8)) {
    for (int x = 3; x < kGrid - 3; ++x)
      for (int y = 3; y < kGrid - 3; ++y) {
        if (dist[x * kGrid + y] < want) continue;
        // The next floor has a stair of its own fixed here: keep the rings apart.
        if (avoid && std::abs(x - avoid->col) <= 3 && std::abs(y - avoid->row) <= 3) continue;
        bool open = true;
        for (int dx = -1; dx <= 1 && open; ++dx)
          for (int dy = -1; dy <= 1 && open; ++dy)
            if (g.prot[x + dx][y + dy] || !Ground(g.c[x + dx][y + dy]) || g.c[x + dx][y + dy] == 'L') open = false;
        if (open) spots.push_back({x, y});
      }
    if (want == 0) break;
  }
  if (spots.empty()) throw std::runtime_error("no room for a stair on a floor");
  return spots[rng.Below(spots.size())];
}

// What every floor of one dungeon's walk shares.
struct Walk {
  int d;
  const DungeonPlan& plan;
  std::vector<int> order;  // floor indices in the order the hero walks them
  char onward, back;       // the stairs that lead on and back
  MapFile entrance;
  const std::string& floorsDir;
  const FloorPlan& At(int step) const { return plan.floors[order[step]]; }
};

// Where a hand-drawn floor, centred on the grid, has its arrival stair 'A'.
bool ArrivalOf(const MapFile& m, TilePos& at) {
  int x0 = (kGrid - m.Width()) / 2, y0 = (kGrid - static_cast<int>(m.rows.size())) / 2;
  bool found = false;
  for (int j = 0; j < static_cast<int>(m.rows.size()); ++j)
    for (int i = 0; i < static_cast<int>(m.rows[j].size()); ++i)
      if (m.rows[j][i] == 'A') at = {x0 + i, y0 + j}, found = true;
  return found;
}

// A hand-drawn floor: returns its departure stair.
TilePos BuildMapFloor(Grid& g, const Walk& w, int step, TilePos arrival) {
  MapFile m = LoadMap(w.floorsDir, w.At(step).map);
  // The map's arrival stair must land on the previous floor's departure, so the
  // previous floor was told where to put it (see below); here it is simply placed.
  int x0 = (kGrid - m.Width()) / 2, y0 = (kGrid - static_cast<int>(m.rows.size())) / 2;
  Marks mk = Stamp(g, m, x0, y0, w.back, w.onward, w.onward);
  if (!mk.hasArrival || !mk.hasDeparture) throw std::runtime_error(m.name + ": needs an A and a D stair");
  if (step > 0 && (mk.arrival.col != arrival.col || mk.arrival.row != arrival.row))
    throw std::runtime_error(m.name + ": arrival stair does not meet the floor above");
  PlaceStair(g, mk.departure, w.onward);
  PlaceStair(g, mk.arrival, w.back);
  return mk.departure;
}

// The stair a laid-out floor is entered by: the dungeon's way out on the first floor of the
// walk, else where the previous floor's stair onward lands.
TilePos LayAnchor(Grid& g, const Walk& w, int step, TilePos arrival) {
  if (step > 0) {
    PlaceStair(g, arrival, w.back);
    return arrival;
  }
  TilePos s = kStartTiles[w.d];
  int ax = 0, ay = 0;
  for (int j = 0; j < static_cast<int>(w.entrance.rows.size()); ++j)
    for (int i = 0; i < static_cast<int>(w.entrance.rows[j].size()); ++i)
      if (w.entrance.rows[j][i] == '@') ax = i, ay = j;
  // The way out: a stair of the kind that leaves from this floor.
  Marks mk = Stamp(g, w.entrance, s.col - ax, s.row - ay, w.back, w.onward, w.back);
  if (!mk.hasStart || !mk.hasExit) throw std::runtime_error("entrance: needs @ and X");
  g.c[mk.exit.col][mk.exit.row] = w.back;
  return mk.exit;
}

// A laid-out floor: returns its departure stair.
TilePos BuildLaidFloor(Grid& g, const Walk& w, int step, TilePos arrival, Rng& rng) {
  const int f = w.order[step];
  const bool last = step == kFloorCount - 1;
  Lay(g, w.At(step).style, rng, IsDark(w.d, f));
  TilePos anchor = LayAnchor(g, w, step, arrival);
  TilePos departure{};
  bool departureFixed = false;
  // A hand-drawn floor next in the walk fixes where this floor's stair onward must be.
  if (!last && w.At(step + 1).style == Style::Map) {
    MapFile next = LoadMap(w.floorsDir, w.At(step + 1).map);
    departureFixed = ArrivalOf(next, departure);
    if (!departureFixed) throw std::runtime_error(next.name + ": needs an A stair");
    PlaceStair(g, departure, w.onward);
  }
  // Keep the stair rings joined: the ring beside the anchor is the floor's main part.
  JoinFloor(g, anchor, "#");
  if (!departureFixed) {
    TilePos nextFixed{};
    bool hasNextFixed = step + 2 < kFloorCount && w.At(step + 2).style == Style::Map;
    if (hasNextFixed) ArrivalOf(LoadMap(w.floorsDir, w.At(step + 2).map), nextFixed);
    departure = ChooseDeparture(g, rng, anchor, hasNextFixed ? &nextFixed : nullptr);
    PlaceStair(g, departure, w.onward);
  }
  std::vector<TilePos> route = Route(g, anchor, departure);
  // Rest before the hard floors: a spring by the arrival from floor 5 of the walk on,
  // and by the stair onward when the next floor holds the boss.
  if (step >= 5) SpringNear(g, rng, anchor);
  if (!last && w.order[step + 1] == BossFloor(w.d)) SpringNear(g, rng, departure);
  LayPath(g, w.At(step).style, route);
  if (w.d == 3 || w.d == 5 || w.d == 8) LavaPools(g, rng, w.d == 5 ? 6 : 9, route);
  Dress(g, rng, w.At(step).style, route);
  return departure;
}

std::vector<uint8_t> PackDungeon(const Theme& theme, const std::vector<Grid>& grids) {
  std::vector<uint8_t> file(kDungeonBytes, 0);
  for (int f = 0; f < kFloorCount; ++f) {
    uint8_t* rec = file.data() + f * kFloorBytes;
    for (int x = 0; x < kGrid; ++x)
      for (int y = 0; y < kGrid; ++y) rec[x * kGrid + y] = TileOf(theme, grids[f].c[x][y]);
    for (int v = 0; v < 256; ++v) rec[kTileBytes + v] = IsSolidTile(v) ? 1 : 0;
  }
  return file;
}

}  // namespace

int BossFloor(int dungeon) {
  static const int kBoss[kDungeonCount] = {6, 7, 9, 7, 9, 3, 9, 8, 5};
  return kBoss[dungeon];
}

std::vector<uint8_t> BuildDungeon(int d, const std::string& floorsDir) {
  if (d < 0 || d >= kDungeonCount) throw std::runtime_error("no such dungeon");
  // The hero walks the floors from the entry floor to the far end; stairs lead on.
  const bool descending = EntryFloor(d) == 9;
  Walk w{d, kPlans[d], {}, descending ? '<' : '>', descending ? '>' : '<',
         LoadMap(floorsDir, "entrance"), floorsDir};
  for (int k = 0; k < kFloorCount; ++k) w.order.push_back(descending ? 9 - k : k);

  std::vector<Grid> grids(kFloorCount);
  TilePos arrival{};  // where the stair from the previous floor of the walk lands
  for (int step = 0; step < kFloorCount; ++step) {
    int f = w.order[step];
    try {
      Rng rng(static_cast<uint64_t>(d) * 1000 + f * 17 + 5);
      arrival = w.At(step).style == Style::Map ? BuildMapFloor(grids[f], w, step, arrival)
                                               : BuildLaidFloor(grids[f], w, step, arrival, rng);
    } catch (const std::exception& e) {
      throw std::runtime_error("dungeon " + std::to_string(d) + ", floor " + std::to_string(f) + ": " + e.what());
    }
  }
  return PackDungeon(kThemes[d], grids);
}

}  // namespace floors
