// The four heroes: their numbers, their twelve text lines each, and the new-game set-up.
#pragma once

#include <string>

// 48 lines, entry HeroIndex * 12 + slot. Slots: 0 idle, 1 attacking, 2 attack without
// effect, 3 attacked, 4 spring, 5 last words, 6 type, 7 weapon, 8 armour, 9 name,
// 10 chest found, 11 hot floor.
extern std::string HeroTexts[48];

void InitHeroTexts();
void StartNewGame();
const std::string& HeroText(int hero, int slot);  // safe for any index
