// The item table: 150 records, filled once at start-up.
#pragma once

#include <cstdint>
#include <string>

enum ItemKind : uint8_t {
  kSword = 0, kDagger = 1, kBow = 2, kGreatSword = 3, kMedicine = 4,
  kLightArmour = 5, kNinjaGarb = 6, kDress = 7, kHeavyArmour = 8, kEscapeItem = 9,
};

struct ItemRecord {
  std::string Name;  // UTF-8 in the source; at most 31 bytes in Shift-JIS
  std::string EnglishName;  // printable ASCII, drawn where Name is in English
  uint8_t Icon = 0;
  uint8_t UsableBy[4] = {0, 0, 0, 0};
  uint8_t Kind = 0;
  uint8_t ShotLife = 0;
  uint8_t ShotSpeed = 0;
  uint8_t RapidFire = 0;
  int32_t Heal = 0;
  int32_t Attack = 0;
  int32_t Defence = 0;
  uint8_t HeldLook = 0;
  uint8_t ShotLook = 0;
  uint8_t Cursed = 0;
  uint8_t Blessed = 0;
  uint8_t FiresBack = 0;
  uint8_t Freezing = 0;
  uint8_t Burning = 0;
  int8_t KeyLevel = -1;
};

constexpr int kItemCount = 150;
constexpr uint8_t kNoItem = 255;

extern ItemRecord Items[kItemCount];

void InitItems();

// The item record for a number read from the state; an out-of-range number (which the
// game never produces, but a damaged save might) reads as the empty record.
const ItemRecord& ItemAt(int number);

// The name the player reads, in the language of the moment (empty for an empty row).
const std::string& ItemName(const ItemRecord& item);

// The carried items: 64 slots, an 8 x 8 grid on the menu screens.
constexpr int kInventorySlots = 64;
// The item in a slot, or kNoItem for an empty slot or a slot number outside the grid.
int SlotItem(int slot);
inline bool Occupied(int slot) { return SlotItem(slot) != kNoItem; }
inline bool IsWeapon(int kind) { return kind >= kSword && kind <= kGreatSword; }
inline bool IsArmour(int kind) { return kind >= kLightArmour && kind <= kHeavyArmour; }
