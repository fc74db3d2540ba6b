// The world map's dungeon entrances. They appear one after another as the hero's gold
// grows; the tenth record is a filler that can never be reached.
#include "world/world.h"

#include "audio/sound.h"
#include "world/floor_setup.h"
#include "state/window_model.h"
#include "state/snapshot.h"
#include "state/state.h"

namespace {

bool Open(const WorldEntrance& e) { return e.GoldThreshold <= G.Gold; }

}  // namespace

void DrawWorldEntrances() {
  for (const WorldEntrance& e : G.WorldEntrances) {
    if (Open(e)) DrawCell(Window.MarkerSheet, e.EntranceCell, e.X, e.Y);
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
      G.HeroX = e.StartTileX * kTileSize;
      G.HeroY = e.StartTileY * kTileSize;
      G.FloorIndex = i == 5 ? 9 : 0;
      SetUpFloor(i, true, true);
      PlayMusic(e.Music);
      G.GameMode = kModePlay;
    });
    return;
  }
}
