// The state's constant tables, filled once at start-up, and the empty monster slots a new
// program starts with.
#include <cstring>

#include "state/state.h"

namespace {

struct EntranceRow {
  int32_t x, y, threshold;
  uint8_t cell, startX, startY, music;
};

// The world map's dungeon entrances. They appear one after another as the hero's gold
// grows; the tenth record is a filler that can never be reached.
constexpr EntranceRow kEntrances[9] = {
    {142, 75, 0, 0, 3, 4, 3},          {52, 105, 500, 1, 28, 29, 1},
    {65, 3, 1700, 2, 15, 50, 1},       {187, 153, 4500, 3, 11, 47, 6},
    {230, 133, 9000, 0, 30, 31, 3},    {30, 133, 18000, 4, 29, 55, 12},
    {100, 80, 30000, 5, 16, 31, 1},    {160, 51, 50000, 1, 13, 11, 3},
    {260, 190, 100000, 5, 30, 50, 14},
};

}  // namespace

void InitWorldEntrances() {
  for (WorldEntrance& e : G.WorldEntrances) e = WorldEntrance{-100, -100, 9999999, 0, 0, 0, 0};
  for (int i = 0; i < 9; ++i) {
    const EntranceRow& r = kEntrances[i];
    G.WorldEntrances[i] = WorldEntrance{r.x, r.y, r.threshold, r.cell, r.startX, r.startY, r.music};
  }
}

void FillStateTables() {
  const uint8_t walk[4] = {0, 1, 0, 2}, speed[4] = {6, 8, 4, 3};
  for (int i = 0; i < 4; ++i) {
    G.WalkCycle[i] = walk[i];
    G.HeroSpeed[i] = speed[i];
  }
  InitWorldEntrances();
}

void SetStartValues() {
  G.MusicOn = 1;
  G.EffectsOn = 1;
  G.TickInterval = 50;
  FillStateTables();
  ClearAllMonsters();
}

void ClearAllMonsters() {
  std::memset(G.Monsters, 0, sizeof G.Monsters);
  for (MonsterRecord& m : G.Monsters) m.State = Empty;
}
