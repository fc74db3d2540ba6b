// The four heroes: what each starts a new game with, and the storage of their text lines
// (the wording itself lives with the other texts of the game).
#include "content/heroes.h"

#include <cstdint>

#include "content/items.h"
#include "platform/language.h"
#include "state/state.h"

std::string HeroTexts[48];

namespace {

struct HeroStart {
  int32_t MaxHP;
  int32_t Strength;
  int32_t Defence;
  uint8_t Weapon;
  uint8_t Armour;
};

// 剣 / 皮鎧, 短剣 / 青忍者服, 弓 / 汚いドレス, 大剣 / 鉄鎧.
constexpr HeroStart kHeroStart[4] = {
    {15, 3, 2, 0, 60},
    {20, 2, 3, 10, 70},
    {12, 1, 1, 20, 80},
    {35, 4, 3, 30, 90},
};

constexpr int kHerb = 50;
constexpr int kExitItem = 100;
constexpr int kFirstKey = 101;

}  // namespace

const std::string& HeroText(int hero, int slot) {
  static const std::string kNone;
  if (hero < 0 || hero > 3 || slot < 0 || slot > 11) return kNone;
  if (CurrentLanguage() == Language::kEnglish) {
    // HeroTexts stays the game's own Japanese; English is looked up as it is drawn.
    static std::string english[48];
    std::string& line = english[hero * 12 + slot];
    if (line.empty()) line = EnglishHeroText(hero, slot);
    return line;
  }
  return HeroTexts[hero * 12 + slot];
}

void StartNewGame() {
  G.WorldX = G.HeroX = 182;
  G.WorldY = G.HeroY = 64;

  G.Level = 1;
  G.Experience = 0;
  G.Gold = 0;
  G.Reserved1 = 0;
  G.Reserved2 = 0;
  G.Facing = kFacingDown;

  for (uint8_t& beaten : G.BossDefeated) beaten = 0;

  for (uint8_t& slot : G.Inventory) slot = kNoItem;
  for (int i = 0; i < 5; ++i) G.Inventory[i] = kHerb;
  G.Inventory[5] = kExitItem;
  G.Inventory[6] = kFirstKey;
  G.InventoryCursor = 0;

  // The selection screen offers heroes 0..3 only; any other index must not overrun the
  // table, so it keeps the values it had.
  if (G.HeroIndex >= 0 && G.HeroIndex <= 3) {
    const HeroStart& h = kHeroStart[G.HeroIndex];
    G.MaxHP = h.MaxHP;
    G.HP = h.MaxHP;
    G.Strength = h.Strength;
    G.Defence = h.Defence;
    G.WeaponItem = h.Weapon;
    G.ArmourItem = h.Armour;
  }

  G.GameMode = kModeWorld;
}
