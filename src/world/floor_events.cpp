// What the tiles under the hero do: springs heal, hot floors burn, stairs change the floor
// or lead out; and the hidden traps that shoot at a hero who steps near them.
#include "world/floor_events.h"

#include <cstdint>

#include "audio/sound.h"
#include "combat/shots.h"
#include "modes/mode_changes.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/snapshot.h"
#include "state/state.h"
#include "world/floor_setup.h"
#include "content/heroes.h"
#include "platform/language.h"


namespace {

constexpr Bilingual kStepOffAndBack = {"\n階段から離れてもう一度乗ると、もう一度試します。",
                                       "\nStep off the stairs and back on to try again."};

}  // namespace

namespace {

constexpr int kSpring = 7;
constexpr int kHotFloor = 30;

bool IsStairUp(int t) { return t == 25 || t == 39; }    // to FloorIndex + 1
bool IsStairDown(int t) { return t == 24 || t == 38; }  // to FloorIndex - 1

// The track started on arriving at a floor by a stair, or -1 to let the music go on.
// Track 9 greets the floors that hold a dungeon's boss.
int StairMusic(int dungeon, int newFloor, bool wentUp) {
  struct Change {
    int Floor;
    int Track;
  };
  static const Change kUp[9][2] = {
      {{6, 9}, {7, 3}}, {{7, 9}, {-1, 0}}, {{9, 9}, {-1, 0}},  {{7, 9}, {-1, 0}},
      {{9, 9}, {-1, 0}}, {{4, 12}, {-1, 0}}, {{9, 9}, {-1, 0}}, {{8, 9}, {-1, 0}},
      {{-1, 0}, {-1, 0}},
  };
  static const Change kDown[9][2] = {
      {{5, 3}, {6, 9}}, {{6, 1}, {-1, 0}}, {{8, 1}, {-1, 0}}, {{6, 6}, {-1, 0}},
      {{8, 3}, {-1, 0}}, {{3, 9}, {-1, 0}}, {{8, 1}, {-1, 0}}, {{7, 3}, {-1, 0}},
      {{-1, 0}, {-1, 0}},
  };
  if (dungeon < 0 || dungeon > 8) return -1;
  for (const Change& c : wentUp ? kUp[dungeon] : kDown[dungeon]) {
    if (c.Floor >= 0 && c.Floor == newFloor) return c.Track;
  }
  return -1;
}

// Two sparkles (spring) or two flames (hot floor) around the hero; cell, x and y are drawn
// in that order for each.
void DrawAroundHero(int firstCell, int cellChoices) {
  for (int i = 0; i < 2; ++i) {
    int cell = Random(cellChoices) + firstCell;
    int x = Random(20) + 136;
    int y = Random(20) + 88;
    DrawCell(Window.MarkerSheet, cell, x, y);
  }
}

// A world map that cannot be shown leaves the hero on the stair, latched: the stair is not
// taken again, with its message, until the hero steps off it and back on.
void LeaveDungeon() {
  try {
    CompleteOrRestore([] {
      ShowWorldMap();
      G.GameMode = kModeWorld;
    });
  } catch (const ChangeUndone& e) {
    G.StairLatch = 1;
    throw ChangeUndone(std::string(e.what()) + Pick(kStepOffAndBack));
  }
}

// Takes the stair to floor FloorIndex + step. The latch keeps the stair the hero arrives on
// from firing again until the hero steps off it.
void TakeStair(int step) {
  G.FloorIndex += step;
  G.StairLatch = 1;
  SetUpFloor(0, false, true);
  int track = StairMusic(G.DungeonIndex, G.FloorIndex, step > 0);
  if (track >= 0) PlayMusic(static_cast<uint8_t>(track));
}

}  // namespace

void DrawSprungTraps() {
  for (const TrapRecord& trap : G.Traps) {
    if (trap.Sprung == 1) DrawCell(Window.MarkerSheet, 11, trap.X - G.HeroX + 144, trap.Y - G.HeroY + 96);
  }
}

void TouchTraps() {
  for (TrapRecord& trap : G.Traps) {
    if (trap.Armed != 1) continue;
    // Widened: a damaged save may hold positions far apart enough to overflow.
    int64_t dx = int64_t{trap.X} - G.HeroX;
    int64_t dy = int64_t{trap.Y} - G.HeroY;
    if (dx < -12 || dx > 12 || dy < -12 || dy > 12) continue;
    int slot = 0;
    while (slot < 10 && G.MonsterShots[slot].Active != 0) ++slot;
    if (slot == 10) continue;  // every arrow slot busy: the trap waits, still hidden
    SpawnTrapArrow(slot, Random(4));
    trap.Sprung = 1;  // stays armed: it fires again while the hero lingers
  }
}

bool FloorEvents() {
  // Outside the floor there is no tile: nothing happens and the latch opens.
  int t = TileValueAt(G.HeroX + 12, G.HeroY + 12);

  if (t == kSpring) {
    if (G.HP < G.MaxHP) G.HP += 1;
    G.SpeechIndex = kLineSpring;
    DrawAroundHero(8, 2);
  }
  if (t == kHotFloor) {
    if (G.HP > 0) G.HP -= 1;
    G.SpeechIndex = kLineHotFloor;
    DrawAroundHero(13, 3);
  }

  if (IsStairUp(t)) {
    if (G.StairLatch == 1) return false;
    if (G.FloorIndex == 9) {
      LeaveDungeon();
      return true;
    }
    TakeStair(+1);
  } else if (IsStairDown(t)) {
    if (G.StairLatch == 1) return false;
    if (G.FloorIndex == 0) {
      LeaveDungeon();
      return true;
    }
    TakeStair(-1);
  } else {
    G.StairLatch = 0;
  }
  return false;
}
