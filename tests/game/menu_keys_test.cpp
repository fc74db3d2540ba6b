// The menu's keys, from the key handler to the page that takes them.
#include <gtest/gtest.h>

#include "game/keys.h"
#include "screens/menu_fixture.h"

namespace {

using namespace menutest;

TEST_F(MenuTest, TheMapPageIgnoresTheItemKeys) {
  Carry({kHerb, kHerb, 2});
  G.HP = 3;
  G.MenuPage = 1;
  const std::vector<uint16_t> keys = {VK_RIGHT, VK_DOWN, VK_SPACE, 'V', VK_RETURN, 'D'};
  for (uint16_t key : keys) {
    OnKeyDown(key);
    OnKeyUp(key);
  }
  EXPECT_EQ(G.InventoryCursor, 0);
  EXPECT_EQ(G.HP, 3);
  EXPECT_EQ(Slots(3), (std::vector<int>{kHerb, kHerb, 2}));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(G.GameMode, kModeMenu);
}

TEST_F(MenuTest, EquipmentAndDetailPagesTakeTheItemKeys) {
  for (uint8_t page : {0, 2}) {
    Carry({kHerb, kHerb, 2});
    G.WeaponItem = 0;
    G.HP = 3;
    G.MenuPage = page;
    OnKeyDown(VK_RIGHT);
    OnKeyDown(VK_RIGHT);
    OnKeyDown('V');  // the rapier
    EXPECT_EQ(G.WeaponItem, 2) << "page " << int(page);
    OnKeyDown(VK_LEFT);
    OnKeyDown(VK_SPACE);  // a herb
    EXPECT_EQ(G.HP, 13);
    OnKeyDown('D');
    EXPECT_EQ(Slots(2), (std::vector<int>{kHerb, kNoItem})) << "page " << int(page);
    EXPECT_TRUE(Window.TickTimer.Enabled);
    EXPECT_EQ(G.GameMode, kModeMenu);
  }
}

TEST_F(MenuTest, CLeavesFromEveryPage) {
  for (uint8_t page : {0, 1, 2}) {
    G.GameMode = kModeMenu;
    G.MenuPage = page;
    OnKeyDown('C');
    EXPECT_EQ(G.GameMode, kModePlay) << "page " << int(page);
    EXPECT_TRUE(Window.TickTimer.Enabled);
  }
}

}  // namespace
