// The floor tile set: what each of the 64 tile values of FloorTileSheet is, whether it blocks, and
// the pictures. assets/floors/tiles.txt lists the same catalogue for the level designers;
// the floor tests hold the two together.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/bitmap.h"

namespace floors {

constexpr int kTileCount = 64;
constexpr int kTilePixels = 24;

enum Tile : uint8_t {
  // Meadows and woods (dungeon 0)
  kGrass = 0, kFlowers = 1, kDirtPath = 2, kTree = 3, kBoulder = 4, kPond = 5, kFence = 6,
  kSpring = 7,  // heals while stood on
  // Caves (1) and prison (2)
  kCaveFloor = 8, kCavePebbles = 9, kCaveWall = 10, kStalagmite = 11,
  kPrisonFloor = 12, kPrisonWall = 13, kPrisonBars = 14, kPrisonStraw = 15,
  // Mine (3) and swamp (4)
  kMineFloor = 16, kMineWall = 17, kMineRails = 18, kMineTimber = 19,
  kSwampMud = 20, kSwampBog = 21, kSwampReeds = 22, kSwampDeadTree = 23,
  // Rough stairs, desert (5), lava
  kStairDownRough = 24, kStairUpRough = 25,
  kSand = 26, kSandstoneWall = 27, kCactus = 28, kSandBones = 29,
  kHotFloor = 30,  // lava crust: hurts while stood on
  kTempleTiles = 31,
  // Beast lair (6), machine halls (7), built stairs
  kLairFloor = 32, kLairWall = 33, kBonePile = 34, kLairNest = 35,
  kMetalFloor = 36, kMetalWall = 37, kStairDownBuilt = 38, kStairUpBuilt = 39,
  kMetalGrate = 40, kPipes = 41, kGearBlock = 42, kHazardFloor = 43,
  // The golden keep (8)
  kGoldFloor = 44, kGoldWall = 45, kCarpet = 46, kGoldPillar = 47,
  kStatue = 48, kVoid = 49, kBrazier = 50,
  // Second decorations of the themes
  kCavePool = 51, kPrisonBones = 52, kMineCrate = 53, kSwampStones = 54, kPalm = 55,
  kSlimePool = 56, kMachineLamp = 57, kBanner = 58, kTallGrass = 59, kBridge = 60,
  kCaveCrystal = 61, kPrisonTorch = 62, kRubble = 63,
};

// True for the values that block the hero, monsters and shots.
bool IsSolidTile(int value);
// Short English name used by the catalogue and the error messages.
const char* TileName(int value);

// Stairs: down leads to FloorIndex - 1 (out of the dungeon on floor 0), up to FloorIndex + 1
// (out on floor 9).
inline bool IsStairDown(int v) { return v == kStairDownRough || v == kStairDownBuilt; }
inline bool IsStairUp(int v) { return v == kStairUpRough || v == kStairUpBuilt; }

// The whole sheet, 192 x 192, cell v at ((v mod 8) * 24, (v div 8) * 24).
gfx::Bitmap DrawTileSheet();

// The sheet as a palette: colours (at most 256) and one index per pixel, top row first.
void IndexBitmap(const gfx::Bitmap& bitmap, std::vector<gfx::Color>& palette,
                 std::vector<uint8_t>& indices);

}  // namespace floors
