// The world map's dungeon entrances. They appear one after another as the hero's gold
// grows; the tenth record is a filler that can never be reached.
#include "core/world.h"

#include "audio/sound.h"
#include "core/floor_setup.h"
#include "core/form.h"
#include "core/snapshot.h"
#include "core/state.h"

namespace {

struct EntranceRow {
  int32_t x, y, threshold;
  uint8_t cell, startX, startY, music;
};

constexpr EntranceRow kEntrances[9] = {
    {142, 75, 0, 0, 3, 4, 3},          {52, 105, 500, 1, 28, 29, 1},
    {65, 3, 1700, 2, 15, 50, 1},       {187, 153, 4500, 3, 11, 47, 6},
    {230, 133, 9000, 0, 30, 31, 3},    {30, 133, 18000, 4, 29, 55, 12},
    {100, 80, 30000, 5, 16, 31, 1},    {160, 51, 50000, 1, 13, 11, 3},
    {260, 190, 100000, 5, 30, 50, 14},
};

bool Open(const WorldEntrance& e) { return e.GoldThreshold <= G.Gold; }

}  // namespace

void InitWorldEntrances() {
  for (WorldEntrance& e : G.WorldEntrances) e = WorldEntrance{-100, -100, 9999999, 0, 0, 0, 0};
  for (int i = 0; i < 9; ++i) {
    const EntranceRow& r = kEntrances[i];
    G.WorldEntrances[i] = WorldEntrance{r.x, r.y, r.threshold, r.cell, r.startX, r.startY, r.music};
  }
}

void DrawWorldEntrances() {
  for (const WorldEntrance& e : G.WorldEntrances) {
    if (Open(e)) DrawCell(Form1.Sp8, e.EntranceCell, e.X, e.Y);
  }
}

void EnterDungeon() {
  for (int i = 0; i < 10; ++i) {
    const WorldEntrance& e = G.WorldEntrances[i];
    bool within = e.X - 16 <= G.HeroX && G.HeroX < e.X + 12 && e.Y - 16 <= G.HeroY &&
                  G.HeroY < e.Y + 12;
    if (!Open(e) || !within) continue;
    // A dungeon that cannot be set up leaves the hero on the world map where it stood.
    CompleteOrRestore([&] {
      G.WorldX = G.HeroX;
      G.WorldY = G.HeroY;
      G.HeroX = e.StartTileX * 24;
      G.HeroY = e.StartTileY * 24;
      G.FloorIndex = i == 5 ? 9 : 0;
      SetUpFloor(i, true, true);
      PlayMusic(e.Music);
      G.GameMode = kModePlay;
    });
    return;
  }
}
