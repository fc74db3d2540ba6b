// All state of a running game: one record, one global instance, read and written directly
// by every routine. The first stretch (HeroX .. MenuPage) is the saved game's byte image,
// natural alignment included; the saved game's tables (persist/record_fields.cpp) pin it
// field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "state/records.h"

enum KeyFlag { kUp = 0, kRight, kDown, kLeft, kShift, kEsc, kSpace, kEnter };

// The four ways the hero, a monster or a shot can face, as Facing and Direction hold them:
// clockwise from up, so that the opposite way is two steps round.
enum Facing : uint8_t { kFacingUp = 0, kFacingRight = 1, kFacingDown = 2, kFacingLeft = 3 };

struct GameState {
  // ---- saved stretch: 13509 bytes --------------------------------------------------------
  int32_t HeroX;
  int32_t HeroY;
  int32_t FloorIndex;
  int32_t WorldX;
  int32_t WorldY;
  uint8_t WalkFrame;
  uint8_t Facing;
  uint8_t Pad22[2];
  int32_t Level;
  int32_t MaxHP;
  int32_t HP;
  int32_t Strength;
  int32_t Defence;
  int32_t Experience;
  int32_t Gold;
  uint8_t Reserved1;
  int8_t HeroIndex;
  uint8_t WeaponItem;
  uint8_t ArmourItem;
  uint8_t Reserved2;
  uint8_t Reserved3;
  uint8_t Pad58[2];
  int32_t PendingExperience;
  int32_t DungeonIndex;
  int32_t GameMode;
  MonsterRecord Monsters[40];
  uint8_t MusicTrack;
  uint8_t MusicOn;
  uint8_t EffectsOn;
  uint8_t Pad3915;
  int32_t TickInterval;
  uint8_t Inventory[64];
  FloorItemRecord FloorItems[100];
  int32_t InventoryCursor;
  ShotRecord HeroShots[10];
  ShotRecord MonsterShots[10];
  TrapRecord Traps[10];
  CoinRecord Coins[100];
  uint8_t MenuPage;
  // ---- end of the saved stretch ------------------------------------------------------------

  FloorRecord DungeonImage[10];  // the dungeon file exactly as read
  FloorRecord Floors[10];        // the working floors, copied from DungeonImage

  uint8_t WalkCycle[4];
  uint8_t HeroSpeed[4];

  uint8_t KeyState[8];  // Up, Right, Down, Left, Shift, Esc, Space, Enter
  uint8_t StairLatch;
  uint8_t SpeechIndex;

  WorldEntrance WorldEntrances[10];

  int32_t MessageTimer;
  uint8_t MessageItem;
  int32_t TickCount;
  uint8_t BossDefeated[20];
};

constexpr size_t kSavedStretchSize = 13509;

static_assert(offsetof(GameState, MenuPage) + 1 == kSavedStretchSize);

// The one game. Zero at program start; OnWindowCreate gives it its start-up values.
extern GameState G;

// The game's content folder with a trailing slash: prefix of every picture and music file,
// and (on this platform) of the dungeon and effect files too, so that a file dialog that
// wanders elsewhere cannot lose them.
extern std::string AppDir;

// Game modes.
enum Mode : int32_t {
  kModeTitle = 0,
  kModePlay = 1,
  kModeMenu = 2,
  kModeGameOver = 3,
  kModeSelect = 4,
  kModeWorld = 5,
  kModeEnding = 6,
};

// The tile under a floor-pixel point. Points outside the 1440 x 1440 floor are no tile:
// they count as solid wherever solidity is asked.
bool OutsideFloor(int px, int py);
bool SolidAt(int px, int py);  // attribute of the tile under (px, py) is non-zero, or outside
int TileValueAt(int px, int py);  // -1 outside the floor

// Start-up: the walk cycle, the hero speeds and the world map's entrances.
void FillStateTables();
void InitWorldEntrances();
// Start-up: every monster slot Empty with all values zero.
void ClearAllMonsters();
// The values every start shares, the program's and the tests': music and effects on, the
// usual speed, the state's tables and empty monster slots.
void SetStartValues();
