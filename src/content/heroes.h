// The four heroes: their numbers, their twelve text lines each, and the new-game set-up.
#pragma once

#include <cstdint>

#include <string>

// Each hero's twelve text lines, in slot order: the remarks SpeechIndex picks for the line
// under the view, and the four labels of the selection screen. HeroTexts holds 48 lines,
// entry HeroIndex * 12 + slot.
enum HeroLine : uint8_t {
  kLineIdle = 0, kLineAttacking = 1, kLineNoEffect = 2, kLineAttacked = 3, kLineSpring = 4,
  kLineLastWords = 5, kLineType = 6, kLineWeapon = 7, kLineArmour = 8, kLineName = 9,
  kLineChestFound = 10, kLineHotFloor = 11,
};

extern std::string HeroTexts[48];

void InitHeroTexts();
void StartNewGame();
// A hero's line in the language the player reads; safe for any index (empty outside).
const std::string& HeroText(int hero, int slot);
// The English line of a hero (empty outside the table).
const char* EnglishHeroText(int hero, int slot);
