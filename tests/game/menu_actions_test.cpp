// The menu keys' item actions: equipping, medicine, the escape item, the cursor, and the
// inventory's compaction.
#include "game/menu_actions.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "content/items.h"
#include "screens/menu_fixture.h"

namespace {

using namespace menutest;


// --- equipping ----------------------------------------------------------------------------

TEST_F(MenuTest, EquippingAWeaponSwapsItIntoTheSlot) {
  Carry({kHerb, kHerb, 2, kEscape});  // 2: a rapier hero 0 may use
  G.InventoryCursor = 2;
  UseItem();
  EXPECT_EQ(G.WeaponItem, 2);
  EXPECT_EQ(Slots(5), (std::vector<int>{kHerb, kHerb, 0, kEscape, kNoItem}));
  EXPECT_EQ(G.InventoryCursor, 2);
  EXPECT_EQ(audio::EffectCalls(), (std::vector<int>{3}));
  EXPECT_TRUE(Boxes().empty());

  // A key is a weapon too.
  Carry({kWoodKey});
  UseItem();
  EXPECT_EQ(G.WeaponItem, kWoodKey);
  EXPECT_EQ(G.Inventory[0], 2);
}

TEST_F(MenuTest, WearingArmourSwapsSilently) {
  G.HeroIndex = 3;
  G.ArmourItem = 90;
  Carry({kHerb, 91});
  G.InventoryCursor = 1;
  UseItem();
  EXPECT_EQ(G.ArmourItem, 91);
  EXPECT_EQ(G.Inventory[1], 90);
  EXPECT_TRUE(audio::EffectCalls().empty());
}

TEST_F(MenuTest, RefusedEquipmentShowsABoxAndChangesNothing) {
  G.HeroIndex = 1;  // may not use the sword (0) nor the iron armour (90)
  G.WeaponItem = 10;
  G.ArmourItem = 70;
  Carry({0, 90});
  UseItem();
  G.InventoryCursor = 1;
  UseItem();
  EXPECT_EQ(G.WeaponItem, 10);
  EXPECT_EQ(G.ArmourItem, 70);
  EXPECT_EQ(Slots(2), (std::vector<int>{0, 90}));
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{"msgbox: 扱えません！！ | それは装備出来ません・・・",
                                      "msgbox: 着れません！！ | それは着れません・・・"}));
  EXPECT_TRUE(audio::EffectCalls().empty());
}

TEST_F(MenuTest, ADamagedHeroIndexMayEquipNothing) {
  G.HeroIndex = 7;
  Carry({2});
  UseItem();
  EXPECT_EQ(G.WeaponItem, 0);
  EXPECT_EQ(Boxes().size(), 1u);
}

// --- medicine -----------------------------------------------------------------------------

const char* const kUseBox =
    "msgbox: 使いますよ！ | 今現在選んでいるアイテムを使ってもよろしいでしょうか？";

TEST_F(MenuTest, MedicineHealsUpToMaxHpAndIsUsedUp) {
  Carry({kHerb, kHerb, kEscape});
  G.HP = 3;
  UseItem();
  EXPECT_EQ(G.HP, 13);
  EXPECT_EQ(Slots(3), (std::vector<int>{kHerb, kEscape, kNoItem}));
  UseItem();
  EXPECT_EQ(G.HP, 15);  // 13 + 10 stops at 15
  EXPECT_EQ(Slots(2), (std::vector<int>{kEscape, kNoItem}));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{kUseBox, kUseBox}));
}

TEST_F(MenuTest, BadMedicineNeverKills) {
  Carry({kPoisonHerb, kPoisonHerb});
  G.HP = 5;
  UseItem();
  EXPECT_EQ(G.HP, 1);
  G.HP = 11;
  UseItem();
  EXPECT_EQ(G.HP, 1);
  EXPECT_EQ(G.Inventory[0], kNoItem);
}

TEST_F(MenuTest, ACursedMedicineIsNotUsedUp) {
  Carry({kHealingStone});
  G.HP = 2;
  UseItem();
  EXPECT_EQ(G.HP, 15);
  EXPECT_EQ(G.Inventory[0], kHealingStone);
}

TEST_F(MenuTest, AnsweringNoChangesNothing) {
  testsupport::Os().answerYes = false;
  Carry({kHerb, kEscape});
  G.HP = 3;
  UseItem();
  DiscardItem();
  G.InventoryCursor = 1;
  UseItem();
  EXPECT_EQ(G.HP, 3);
  EXPECT_EQ(G.GameMode, kModeMenu);
  EXPECT_EQ(Slots(2), (std::vector<int>{kHerb, kEscape}));
  EXPECT_EQ(Boxes().size(), 3u);
}

// --- removing at both ends of the run -----------------------------------------------------

TEST_F(MenuTest, UsingTheLastItemStepsTheCursorBack) {
  Carry({1, 2, 3, 4, 5, kEscape, kHerb});
  G.InventoryCursor = 6;
  UseItem();
  EXPECT_EQ(Slots(7), (std::vector<int>{1, 2, 3, 4, 5, kEscape, kNoItem}));
  EXPECT_EQ(G.InventoryCursor, 5);
}

TEST_F(MenuTest, DroppingTheFirstItemMovesTheRestForward) {
  Carry({kHerb, 1, 2, 3, 4, 5, kEscape});
  DiscardItem();
  EXPECT_EQ(Slots(7), (std::vector<int>{1, 2, 3, 4, 5, kEscape, kNoItem}));
  EXPECT_EQ(G.InventoryCursor, 0);
  EXPECT_EQ(
      Boxes(),
      (std::vector<std::string>{
          "msgbox: 捨てますよ！！ | 今現在選んでいるアイテムを捨ててもよろしいでしょうか？"}));
}

TEST_F(MenuTest, DroppingTheLastItemStepsBackAndTheOnlyItemLeavesAnEmptyGrid) {
  Carry({kHerb, kWoodKey});
  G.InventoryCursor = 1;
  DiscardItem();  // a key can be dropped like anything else
  EXPECT_EQ(G.InventoryCursor, 0);
  DiscardItem();
  EXPECT_EQ(G.Inventory[0], kNoItem);
  EXPECT_EQ(G.InventoryCursor, 0);

  // Nothing left: no question, no effect.
  testsupport::Os().lines.clear();
  UseItem();
  DiscardItem();
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MenuTest, AFullInventoryCompactsFromTheEnd) {
  for (int i = 0; i < 64; ++i) G.Inventory[i] = static_cast<uint8_t>(i % 10);
  G.InventoryCursor = 63;
  DiscardItem();
  EXPECT_EQ(G.Inventory[63], kNoItem);
  EXPECT_EQ(G.InventoryCursor, 62);
  G.InventoryCursor = 0;
  DiscardItem();
  EXPECT_EQ(G.Inventory[0], 1);
  EXPECT_EQ(G.Inventory[61], 2);
  EXPECT_EQ(G.Inventory[62], kNoItem);
}

TEST_F(MenuTest, ACursorOutsideTheGridDoesNothing) {
  Carry({kHerb});
  for (int c : {-1, 64, 1000}) {
    G.InventoryCursor = c;
    UseItem();
    DiscardItem();
    MoveCursor(0);
    MoveCursor(3);
    EXPECT_EQ(G.InventoryCursor, c);
  }
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(G.Inventory[0], kHerb);
}

// --- the escape item ----------------------------------------------------------------------

TEST_F(MenuTest, TheEscapeItemLeadsToTheWorldMap) {
  Carry({kHerb, kEscape, kWoodKey});
  G.InventoryCursor = 1;
  UseItem();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HeroX, 182);
  EXPECT_EQ(G.HeroY, 64);
  EXPECT_EQ(Slots(3), (std::vector<int>{kHerb, kWoodKey, kNoItem}));
  EXPECT_EQ(G.InventoryCursor, 1);
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{11}));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{kUseBox}));

  gfx::TImage map;
  map.LoadFromFile(AppDir + "mainmap.bmp");
  for (int y = 0; y < 216; y += 5) {
    for (int x = 0; x < 312; x += 5) {
      ASSERT_EQ(Window.Backdrop.Picture.Pixel(x, y), map.Picture.Pixel(x, y)) << x << "," << y;
    }
  }
}

// --- the cursor ---------------------------------------------------------------------------

TEST_F(MenuTest, CursorMovesOnlyOntoItems) {
  Carry({kHerb, kHerb, kHerb});
  MoveCursor(2);  // slot 8 is empty
  MoveCursor(0);  // no row above
  MoveCursor(3);  // no slot before 0
  EXPECT_EQ(G.InventoryCursor, 0);
  EXPECT_TRUE(audio::EffectCalls().empty());

  MoveCursor(1);
  MoveCursor(1);
  EXPECT_EQ(G.InventoryCursor, 2);
  MoveCursor(1);  // slot 3 is empty
  EXPECT_EQ(G.InventoryCursor, 2);
  MoveCursor(3);
  EXPECT_EQ(G.InventoryCursor, 1);
  EXPECT_EQ(audio::EffectCalls(), (std::vector<int>{3, 3, 3}));
}

TEST_F(MenuTest, CursorWalksTheGridAsOneList) {
  for (uint8_t& slot : G.Inventory) slot = kHerb;
  G.InventoryCursor = 7;
  MoveCursor(1);
  EXPECT_EQ(G.InventoryCursor, 8);  // the first column of the next row
  MoveCursor(3);
  EXPECT_EQ(G.InventoryCursor, 7);
  MoveCursor(2);
  EXPECT_EQ(G.InventoryCursor, 15);
  MoveCursor(0);
  EXPECT_EQ(G.InventoryCursor, 7);

  G.InventoryCursor = 63;
  MoveCursor(1);
  MoveCursor(2);
  EXPECT_EQ(G.InventoryCursor, 63);
  G.InventoryCursor = 56;
  MoveCursor(2);
  EXPECT_EQ(G.InventoryCursor, 56);
  MoveCursor(0);
  EXPECT_EQ(G.InventoryCursor, 48);
}

// --- compaction ---------------------------------------------------------------------------

TEST(CompactInventory, OneGapMovesEveryLaterItemForward) {
  for (uint8_t& slot : G.Inventory) slot = kNoItem;
  for (int i = 0; i < 10; ++i) G.Inventory[i] = static_cast<uint8_t>(i + 1);
  G.Inventory[4] = kNoItem;
  CompactInventory();
  const std::vector<int> expected = {1, 2, 3, 4, 6, 7, 8, 9, 10, kNoItem, kNoItem};
  EXPECT_EQ(std::vector<int>(G.Inventory, G.Inventory + 11), expected);
}

TEST(CompactInventory, ItIsASinglePass) {
  // Two gaps side by side close only by one slot in one pass: removals make one gap at a
  // time, so the game never needs more.
  for (uint8_t& slot : G.Inventory) slot = kNoItem;
  G.Inventory[0] = 1;
  G.Inventory[3] = 2;
  G.Inventory[63] = 3;
  CompactInventory();
  EXPECT_EQ(G.Inventory[0], 1);
  EXPECT_EQ(G.Inventory[1], kNoItem);
  EXPECT_EQ(G.Inventory[2], 2);
  EXPECT_EQ(G.Inventory[62], 3);
  EXPECT_EQ(G.Inventory[63], kNoItem);
}

}  // namespace
