// The menu screens: every item action, the cursor, the inventory's compaction, and what
// each page draws.
#include "screens/menu.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "content/items.h"
#include "menu_fixture.h"

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
      ASSERT_EQ(Form1.Image2.Picture.Pixel(x, y), map.Picture.Pixel(x, y)) << x << "," << y;
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

// --- drawing ------------------------------------------------------------------------------

TEST_F(MenuTest, EquipmentPageShowsWeaponArmourAndTheirValues) {
  G.WeaponItem = 9;  // 粒子ｶｯﾀｰ: attack 150, speed 24, life 15, rapid 9, blessed
  G.ArmourItem = 60;
  G.HP = 7;
  G.TickCount = 0;
  Carry({kHerb});
  G.MenuPage = 0;
  DrawMenu();
  const gfx::Color w = gfx::kWhite;
  const std::vector<DrawnText> expected = {
      {175, 8, 10, w, "体力：7 / 15"},
      {175, 28, 10, w, "武器：　粒子ｶｯﾀｰ"},
      {175, 43, 10, w, "防具：　皮鎧"},
      {175, 63, 10, w, "攻撃力：150"},
      {175, 78, 10, w, "防御力：1"},
      {175, 98, 10, w, "　飛距離：24M /s"},
      {175, 113, 10, w, "滞空時間：15s"},
      {175, 128, 10, w, "  　連射：10連射"},
      {175, 163, 10, gfx::Rgb(255, 0, 0), "祝福を受けています。"},
      {10, 182, 10, w, "ｽﾍﾟｰｽｷｰで[　薬草]を使う"},
      {312, 199, 10, w,
       "ENTERｷｰでｱｲﾃﾑを捨てます。ESCｷｰで戻ります。F1ｷｰでアイテム装備画面、F2ｷｰで全体マップ画面、"
       "F3ｷｰでアイテム詳細画面になります。"},
  };
  EXPECT_EQ(drawn, expected);
}

TEST_F(MenuTest, EquipmentNotesShareOnePlaceAndTheKeyWins) {
  G.WeaponItem = 7;  // cursed
  DrawMenu();
  EXPECT_EQ(DrawnWith("  呪われています。").size(), 1u);
  EXPECT_EQ(DrawnWith("  呪われています。")[0].colour, gfx::Rgb(255, 0, 0));

  drawn.clear();
  G.WeaponItem = kWoodKey;
  G.ArmourItem = 97;  // cursed armour
  DrawMenu();
  std::vector<std::string> at148;
  for (const DrawnText& d : drawn) {
    if (d.x == 175 && d.y == 148) at148.push_back(d.text);
  }
  EXPECT_EQ(at148, (std::vector<std::string>{"  呪われています。", "宝箱を開ける鍵です。"}));
  EXPECT_EQ(DrawnWith("宝箱を開ける鍵です。")[0].colour, gfx::Rgb(255, 255, 0));
}

TEST_F(MenuTest, LongNamesAreCutWithoutSplittingACharacter) {
  Items[5].Name = "ｱ氷氷氷氷氷氷氷氷氷氷氷氷氷氷";  // 29 bytes, odd boundary at 28
  Items[53].Name = "ヒールポーションヒールポーション";
  G.WeaponItem = 5;
  Carry({53});
  DrawMenu();
  EXPECT_EQ(DrawnWith("武器：　ｱ氷氷氷氷氷氷氷氷氷").size(), 1u);              // 27 bytes
  EXPECT_EQ(DrawnWith("ｽﾍﾟｰｽｷｰで[　ヒールポーションヒー]を使う").size(), 1u);  // 12 + 20
}

TEST_F(MenuTest, ActionLineNamesTheActionOfTheKind) {
  const std::pair<uint8_t, const char*> cases[] = {
      {2, "ｽﾍﾟｰｽｷｰで[　レイピア]を装備する"}, {kWoodKey, "ｽﾍﾟｰｽｷｰで[　木の鍵]を装備する"},
      {kHerb, "ｽﾍﾟｰｽｷｰで[　薬草]を使う"},     {kEscape, "ｽﾍﾟｰｽｷｰで[　非常口]を使う"},
      {62, "ｽﾍﾟｰｽｷｰで[　旅人の服]を着ける"},  {86, "ｽﾍﾟｰｽｷｰで[　骸骨ドレス]を着ける"},
  };
  for (const auto& [item, line] : cases) {
    drawn.clear();
    Carry({item});
    G.MenuPage = 2;
    DrawMenu();
    EXPECT_EQ(DrawnWith(line).size(), 1u) << line;
    EXPECT_EQ(DrawnWith(line)[0].x, 10);
    EXPECT_EQ(Form1.Sp9.X, 78);  // the item's icon beside the line
    EXPECT_EQ(Form1.Sp9.Index(), ItemAt(item).Icon);
  }
}

TEST_F(MenuTest, DetailPageShowsTheItemUnderTheCursor) {
  Carry({kHerb, 86});  // 骸骨ドレス: defence 48, cursed, hero 2 only
  G.InventoryCursor = 1;
  G.MenuPage = 2;
  Form1.SP2.X = -999;
  DrawMenu();
  const gfx::Color w = gfx::kWhite;
  const std::vector<DrawnText> head(drawn.begin(), drawn.begin() + 7);
  const std::vector<DrawnText> expected = {
      {190, 8, 10, w, "アイテムデータ"},
      {205, 30, 10, w, "骸骨ドレス"},
      {175, 50, 10, w, "攻撃力：0"},
      {175, 65, 10, w, "防御力：48"},
      {175, 80, 10, w, "回復力：0"},
      {175, 100, 10, w, "使用可能キャラ："},
      {175, 148, 10, gfx::Rgb(255, 0, 0), "  呪われています。"},
  };
  EXPECT_EQ(head, expected);
  // Only hero 2 may wear it: one figure, at the third place.
  EXPECT_EQ(Form1.SP2.X, 240);
  EXPECT_EQ(Form1.SP2.Index(), 30);
}

TEST_F(MenuTest, DetailPageNotesInTheirColours) {
  struct Case {
    uint8_t item;
    std::vector<std::pair<int, std::string>> notes;  // y, text; all yellow
  };
  const Case cases[] = {
      {kHealingStone, {{148, "使っても壊れません。"}}},
      {80, {{163, "祝福を受けています。"}}},
      {kWoodKey, {{148, "宝箱を開ける鍵です。"}}},
      {kEscape, {{148, "迷宮脱出用アイテム。"}}},
  };
  for (const Case& c : cases) {
    drawn.clear();
    Carry({c.item});
    G.MenuPage = 2;
    DrawMenu();
    std::vector<std::pair<int, std::string>> notes;
    for (const DrawnText& d : drawn) {
      if (d.x == 175 && d.y >= 148) {
        notes.emplace_back(d.y, d.text);
        EXPECT_EQ(d.colour, gfx::Rgb(255, 255, 0)) << d.text;
      }
    }
    EXPECT_EQ(notes, c.notes) << int(c.item);
  }
}

TEST_F(MenuTest, AnEmptyInventoryShowsNoItem) {
  for (uint8_t page : {0, 2}) {
    drawn.clear();
    Carry({});
    G.MenuPage = page;
    DrawMenu();
    EXPECT_FALSE(AnyDrawnContaining("ｽﾍﾟｰｽｷｰ")) << int(page);
    EXPECT_FALSE(AnyDrawnContaining("回復力")) << int(page);
    EXPECT_TRUE(AnyDrawnContaining("ENTERｷｰ")) << int(page);
  }
}

TEST_F(MenuTest, KeyHelpCrawlsLeftAndStartsOver) {
  const std::pair<int, int> cases[] = {{0, 312},   {1, 310},    {100, 112}, {574, -836},
                                       {575, 312}, {1150, 312}, {1151, 310}};
  for (const auto& [t, x] : cases) {
    drawn.clear();
    G.TickCount = t;
    G.MenuPage = 1;
    DrawMenu();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].x, x) << "T = " << t;
    EXPECT_EQ(drawn[0].y, 199);
  }
}

TEST_F(MenuTest, MapPageShowsTheWholeFloorShrunk) {
  gfx::FillRect(Form1.buf2.Picture, 0, 0, 312, 216, gfx::kWhite);
  gfx::FillRect(Form1.BUF.Picture, 0, 0, 1440, 1440, gfx::Rgb(0, 0, 200));
  gfx::FillRect(Form1.BUF.Picture, 720, 0, 720, 1440, gfx::Rgb(200, 0, 0));
  Carry({kHerb});
  G.MenuPage = 1;
  G.TickCount = 0;  // the help line starts beyond the right edge, clear of the map
  DrawMenu();
  const gfx::Bitmap& f = Form1.buf2.Picture;
  EXPECT_EQ(f.Pixel(47, 10), gfx::kBlack);
  EXPECT_EQ(f.Pixel(48, 10), gfx::Rgb(0, 0, 200));
  EXPECT_EQ(f.Pixel(150, 214), gfx::Rgb(0, 0, 200));
  EXPECT_EQ(f.Pixel(160, 10), gfx::Rgb(200, 0, 0));
  EXPECT_EQ(f.Pixel(262, 214), gfx::Rgb(200, 0, 0));
  EXPECT_EQ(f.Pixel(263, 10), gfx::kBlack);
  EXPECT_EQ(f.Pixel(100, 215), gfx::kBlack);
  EXPECT_EQ(f.Pixel(5, 5), gfx::kBlack);  // no grid, no cursor
}

}  // namespace
