// The player's judgement of its belongings: which weapon and armour are better, which key
// opens the chests here, which medicine to take, what to throw away when the bag is full,
// and the menu keys that do it.
#pragma once

#include <cstdint>
#include <vector>

#include "state/state.h"

namespace autoplay {

// How good a weapon or an armour is for this hero; below zero: not to be worn at all (not
// allowed to the hero, a key, cursed, or no equipment).
int WeaponScore(int item, int hero);
int ArmourScore(int item, int hero);

// The inventory slot of a weapon (armour) better than the one equipped, or -1.
int BetterWeaponSlot(const GameState& g);
int BetterArmourSlot(const GameState& g);

// The best attack the hero can have with what it carries (its own strength included).
int BestAttack(const GameState& g);

// The slot of the weakest key that opens chests of the dungeon, or -1.
int KeySlot(const GameState& g, int dungeon);
bool KeyEquippedFor(const GameState& g, int dungeon);

// The medicine to take now, or -1: none needed or none carried.
int MedicineSlot(const GameState& g, bool urgent);
int MedicineCount(const GameState& g);
// The slot of the way-out item, or -1.
int EscapeSlot(const GameState& g);

// A slot whose item is of no use, to drop when the bag is nearly full; -1 when none.
int JunkSlot(const GameState& g);
int CarriedCount(const GameState& g);

// The keys pressed in the open menu to move the cursor from `cursor` to `slot` (the run of
// carried items has no gaps) and then press `action` there.
std::vector<uint16_t> MenuPresses(int cursor, int slot, uint16_t action);

}  // namespace autoplay
