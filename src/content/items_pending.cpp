// Pending: replaced by items.cpp and heroes.cpp.
#include "content/heroes.h"
#include "content/items.h"

ItemRecord Items[kItemCount];
void InitItems() {}
const ItemRecord& ItemAt(int number) {
  static ItemRecord empty;
  return number >= 0 && number < kItemCount ? Items[number] : empty;
}
std::string HeroTexts[48];
void StartNewGame() {}
const std::string& HeroText(int hero, int slot) {
  static std::string none;
  int i = hero * 12 + slot;
  return hero >= 0 && hero < 4 && slot >= 0 && slot < 12 ? HeroTexts[i] : none;
}
