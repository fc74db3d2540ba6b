// The fixed-layout records of the game: every one of them travels inside the saved game,
// so their byte layouts are binding. Padding is spelled out as named bytes so that no
// byte of a record is ever indeterminate.
#pragma once

#include <cstddef>
#include <cstdint>

enum MonsterState : uint8_t { Dormant = 0, Active = 1, Empty = 2 };

enum Behaviour : uint8_t { Wander = 0, Pursue = 1, Avoid = 2, Hunt = 3, Escape = 4, Stand = 5, Spin = 6 };

struct MonsterRecord {
  int32_t X;
  int32_t Y;
  int32_t MaxHP;
  int32_t HP;
  int32_t Attack;
  int32_t Defence;
  int32_t ExpValue;
  int32_t Gold;
  uint8_t Kind;  // 0 chest, 1..3 ordinary kinds, 100 boss
  uint8_t Pad33[3];
  int32_t Height;
  int32_t Width;
  uint8_t IsBoss;
  uint8_t State;  // MonsterState
  uint8_t Behaviour;
  uint8_t Facing;
  int8_t StepLeft;
  uint8_t Pad49[3];
  int32_t SpriteRow;
  int32_t AnimFrame;
  int32_t MoveTimer;
  int32_t MoveDelay;
  uint8_t SplatColumn;
  uint8_t IsChest;
  uint8_t Pad70[2];
  int32_t FreezeTicks;
  int32_t BurnTicks;
  uint8_t DropItem;
  uint8_t Pad81[3];
  int32_t DropChance;
  uint8_t RareDropItem;
  uint8_t Shoots;
  uint8_t ShotLife;
  uint8_t ShotSpeed;
  uint8_t ShotLook;
  uint8_t ShotRate;
  uint8_t Pad94[2];
};

// Hero shots, monster shots and trap arrows.
struct ShotRecord {
  uint8_t Active;
  uint8_t Byte1;  // never written for shots; the trap records keep their sprung flag here
  uint8_t Pad2[2];
  int32_t X;
  int32_t Y;
  int32_t Life;
  uint8_t Speed;
  uint8_t Direction;
  uint8_t HeldLook;  // hero shots: the weapon's held look at firing; unused in flight
  uint8_t Look;
  int32_t Attack;
};

// Hidden floor traps share the shot layout; only four of its fields mean anything here.
struct TrapRecord {
  uint8_t Armed;
  uint8_t Sprung;
  uint8_t Pad2[2];
  int32_t X;
  int32_t Y;
  int32_t Unused12;
  uint8_t Unused16;
  uint8_t Unused17;
  uint8_t TrapKind;
  uint8_t Unused19;
  int32_t Unused20;
};

struct CoinRecord {
  uint8_t Active;
  uint8_t Pad1[3];
  int32_t X;
  int32_t Y;
  int32_t Lifetime;
  int32_t Amount;
  uint8_t Frame;
  uint8_t Pad21[3];
};

struct FloorItemRecord {
  uint8_t Unused0[21];
  uint8_t Present;
  uint8_t Pad22[2];
  int32_t X;
  int32_t Y;
  uint8_t Item;
  uint8_t Unused33[31];
};

constexpr int kTileSize = 24;  // a floor tile's side in pixels
constexpr int kFloorTiles = 60;
constexpr int kFloorPixels = kFloorTiles * kTileSize;

// One floor: 3600 tile bytes in column-major order, then the solidity of every tile value.
struct FloorRecord {
  uint8_t Tiles[kFloorTiles * kFloorTiles];
  uint8_t Attr[256];

  uint8_t TileAt(int column, int row) const { return Tiles[column * kFloorTiles + row]; }
  bool SolidAt(int column, int row) const { return Attr[TileAt(column, row)] != 0; }
};

struct WorldEntrance {
  int32_t X;
  int32_t Y;
  int32_t GoldThreshold;
  uint8_t EntranceCell;
  uint8_t StartTileX;
  uint8_t StartTileY;
  uint8_t Music;
};

// The saved records are pinned, field by field, by the saved game's tables
// (persist/record_fields.cpp); the floor and the entrance are the dungeon file's and the
// world map's.
static_assert(sizeof(FloorRecord) == 3856);
static_assert(sizeof(WorldEntrance) == 16);
