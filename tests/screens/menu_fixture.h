// The menu tests' fixture: a hero in the menu with chosen items in the grid.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "content/items.h"
#include "screens/screen_fixture.h"

namespace menutest {

constexpr uint8_t kHerb = 50, kPoisonHerb = 52, kHealingStone = 57, kEscape = 100, kWoodKey = 101;

class MenuTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    G.GameMode = kModeMenu;
    G.HeroIndex = 0;
    G.MaxHP = 15;
    G.HP = 15;
    G.WeaponItem = 0;
    G.ArmourItem = 60;
    G.WorldX = 182;
    G.WorldY = 64;
    G.HeroX = 700;
    G.HeroY = 900;
    Carry({});
    Window.TickTimer.Enabled = true;
    audio::ClearCallLog();
  }

  void Carry(std::initializer_list<uint8_t> items) {
    for (uint8_t& slot : G.Inventory) slot = kNoItem;
    int i = 0;
    for (uint8_t item : items) G.Inventory[i++] = item;
    G.InventoryCursor = 0;
  }

  std::vector<int> Slots(int count) const {
    return std::vector<int>(G.Inventory, G.Inventory + count);
  }
  const std::vector<std::string>& Boxes() const { return testsupport::Os().lines; }
};

}  // namespace menutest
