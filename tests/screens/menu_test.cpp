// The menu screens: what each page draws.
#include "screens/menu.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "content/items.h"
#include "menu_fixture.h"

namespace {

using namespace menutest;


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
    EXPECT_EQ(Window.ItemIconSheet.X, 78);  // the item's icon beside the line
    EXPECT_EQ(Window.ItemIconSheet.Index(), ItemAt(item).Icon);
  }
}

TEST_F(MenuTest, DetailPageShowsTheItemUnderTheCursor) {
  Carry({kHerb, 86});  // 骸骨ドレス: defence 48, cursed, hero 2 only
  G.InventoryCursor = 1;
  G.MenuPage = 2;
  Window.HeroSheet.X = -999;
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
  EXPECT_EQ(Window.HeroSheet.X, 240);
  EXPECT_EQ(Window.HeroSheet.Index(), 30);
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
  gfx::FillRect(Window.Frame.Picture, 0, 0, 312, 216, gfx::kWhite);
  gfx::FillRect(Window.FloorPicture.Picture, 0, 0, 1440, 1440, gfx::Rgb(0, 0, 200));
  gfx::FillRect(Window.FloorPicture.Picture, 720, 0, 720, 1440, gfx::Rgb(200, 0, 0));
  Carry({kHerb});
  G.MenuPage = 1;
  G.TickCount = 0;  // the help line starts beyond the right edge, clear of the map
  DrawMenu();
  const gfx::Bitmap& f = Window.Frame.Picture;
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
