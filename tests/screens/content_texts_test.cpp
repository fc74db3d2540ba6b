// The item table, the heroes' text storage and the new-game set-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "content/heroes.h"
#include "content/items.h"
#include "state/state.h"
#include "screens/text.h"
#include "support/test_support.h"

namespace {

bool IsEmptyRow(const ItemRecord& r) {
  return r.Name.empty() && r.Icon == 0 && r.UsableBy[0] == 0 && r.UsableBy[1] == 0 &&
         r.UsableBy[2] == 0 && r.UsableBy[3] == 0 && r.Kind == 0 && r.ShotLife == 0 &&
         r.ShotSpeed == 0 && r.RapidFire == 0 && r.Heal == 0 && r.Attack == 0 &&
         r.Defence == 0 && r.HeldLook == 0 && r.ShotLook == 0 && r.Cursed == 0 &&
         r.Blessed == 0 && r.FiresBack == 0 && r.Freezing == 0 && r.Burning == 0 &&
         r.KeyLevel == -1;
}

// One row as the design table writes it: heroes as a 4-letter mask ("1001" = heroes 0, 3)
// and flags as letters C B F Z H.
struct Expected {
  int No;
  const char* Name;
  int Icon;
  const char* Heroes;
  int Kind, Life, Speed, Rapid, Heal, Attack, Defence, Held, Shot;
  const char* Flags;
  int Key;
};

void ExpectRow(const Expected& e) {
  const ItemRecord& r = Items[e.No];
  SCOPED_TRACE("item " + std::to_string(e.No));
  EXPECT_EQ(r.Name, e.Name);
  EXPECT_EQ(r.Icon, e.Icon);
  for (int h = 0; h < 4; ++h) EXPECT_EQ(r.UsableBy[h], e.Heroes[h] == '1' ? 1 : 0) << "hero " << h;
  EXPECT_EQ(r.Kind, e.Kind);
  EXPECT_EQ(r.ShotLife, e.Life);
  EXPECT_EQ(r.ShotSpeed, e.Speed);
  EXPECT_EQ(r.RapidFire, e.Rapid);
  EXPECT_EQ(r.Heal, e.Heal);
  EXPECT_EQ(r.Attack, e.Attack);
  EXPECT_EQ(r.Defence, e.Defence);
  EXPECT_EQ(r.HeldLook, e.Held);
  EXPECT_EQ(r.ShotLook, e.Shot);
  std::string f = e.Flags;
  EXPECT_EQ(r.Cursed, f.find('C') != std::string::npos);
  EXPECT_EQ(r.Blessed, f.find('B') != std::string::npos);
  EXPECT_EQ(r.FiresBack, f.find('F') != std::string::npos);
  EXPECT_EQ(r.Freezing, f.find('Z') != std::string::npos);
  EXPECT_EQ(r.Burning, f.find('H') != std::string::npos);
  EXPECT_EQ(r.KeyLevel, e.Key);
}

TEST(ItemTable, RowsOfEveryBlock) {
  testsupport::ResetGame();
  const Expected rows[] = {
      {0, "剣", 2, "1001", 0, 5, 12, 0, 0, 1, 0, 0, 1, "", -1},
      {7, "魔剣アンカー", 30, "1000", 0, 12, 15, 9, 0, 110, 0, 14, 20, "CZH", -1},
      {9, "粒子ｶｯﾀｰ", 38, "1111", 0, 15, 24, 9, 0, 150, 0, 14, 22, "BZH", -1},
      {16, "ﾌｧﾗｵの短剣", 27, "0100", 1, 3, 5, 0, 0, 90, 0, 2, 2, "CZ", -1},
      {19, "ﾛｹｯﾄﾊﾟﾝﾁ", 39, "1111", 2, 15, 30, 9, 0, 200, 0, 1, 14, "FH", -1},
      {25, "途方弓", 24, "0110", 2, 39, 8, 6, 0, 30, 0, 4, 5, "Z", -1},
      {29, "黄蛾卍丸", 40, "0100", 1, 20, 24, 9, 0, 100, 0, 14, 23, "BH", -1},
      {38, "ｺﾞｯﾄﾞｴｯｼﾞ", 37, "0001", 3, 10, 14, 3, 0, 130, 0, 6, 18, "BFZ", -1},
      {39, "Ｆ・Ｍ", 37, "0001", 3, 0, 0, 3, 0, 999, 0, 6, 17, "", -1},
      {51, "ちょっとした薬草", 1, "1111", 4, 0, 0, 0, 20, 0, 0, 0, 0, "", -1},
      {52, "毒草", 0, "1111", 4, 0, 0, 0, -10, 0, 0, 0, 0, "", -1},
      {57, "回復石", 86, "1111", 4, 0, 0, 0, 100, 0, 0, 0, 0, "C", -1},
      {58, "エリクサーＺ", 85, "1111", 4, 0, 0, 0, 9999, 0, 0, 0, 0, "", -1},
      {61, "ﾊﾟｯﾄ付皮鎧", 46, "1101", 5, 0, 0, 0, 0, 0, 4, 0, 0, "", -1},
      {68, "リフレクター", 74, "1000", 5, 0, 0, 0, 0, 0, 60, 0, 0, "B", -1},
      {78, "忍御官武具", 75, "0100", 6, 0, 0, 0, 0, 0, 52, 0, 0, "B", -1},
      {86, "骸骨ドレス", 68, "0010", 7, 0, 0, 0, 0, 0, 48, 0, 0, "C", -1},
      {88, "ｼﾝﾃﾞﾚﾗﾄﾞﾚｽ", 76, "0010", 7, 0, 0, 0, 0, 0, 38, 0, 0, "B", -1},
      {97, "毒の鎧", 73, "0001", 8, 0, 0, 0, 0, 0, 70, 0, 0, "C", -1},
      {100, "非常口", 87, "1111", 9, 0, 0, 0, 0, 0, 0, 0, 0, "", -1},
      {109, "黄金の鍵", 96, "1111", 0, 10, 10, 5, 0, 40, 0, 14, 21, "", 8},
      {110, "針金", 96, "1111", 0, 10, 20, 7, 0, 100, 0, 14, 21, "", 99},
  };
  for (const Expected& e : rows) ExpectRow(e);
}

TEST(ItemTable, BlocksKindsAndEmptyRows) {
  testsupport::ResetGame();
  std::set<int> defined;
  auto range = [&](int from, int to) { for (int i = from; i <= to; ++i) defined.insert(i); };
  range(0, 39);
  range(50, 58);
  range(60, 68);
  range(70, 78);
  range(80, 88);
  range(90, 98);
  range(100, 110);
  ASSERT_EQ(defined.size(), 96u);
  int longest = 0;
  for (int n = 0; n < kItemCount; ++n) {
    const ItemRecord& r = Items[n];
    if (!defined.count(n)) {
      EXPECT_TRUE(IsEmptyRow(r)) << "item " << n << " should be empty";
      continue;
    }
    EXPECT_FALSE(r.Name.empty()) << n;
    longest = std::max(longest, SjisLength(r.Name));
    // Weapons of every class sit in 0..39 (19 and 29 are a launcher and a blade);
    // medicines, the four armour families, the escape item and the keys by block.
    if (n < 40) {
      EXPECT_LT(r.Kind, 4) << n;
    } else {
      int kind = n < 59 ? 4 : n < 69 ? 5 : n < 79 ? 6 : n < 89 ? 7 : n < 99 ? 8 : n == 100 ? 9 : 0;
      EXPECT_EQ(r.Kind, kind) << n;
    }
    if (n >= 101) {
      EXPECT_EQ(r.KeyLevel, n == 110 ? 99 : n - 101) << n;
      EXPECT_EQ(r.ShotLife, 10);
      if (n < 110) {
        EXPECT_EQ(r.Attack, (n - 101) * 5) << n;
      }
    } else {
      EXPECT_EQ(r.KeyLevel, -1) << n;
    }
  }
  EXPECT_EQ(longest, 16);  // ちょっとした薬草
}

TEST(ItemTable, FillingTwiceGivesTheSameTableAndOutOfRangeIsEmpty) {
  testsupport::ResetGame();
  Items[40].Name = "junk";
  Items[3].Attack = 7777;
  InitItems();
  EXPECT_TRUE(IsEmptyRow(Items[40]));
  EXPECT_EQ(Items[3].Attack, 20);
  for (int n : {-1, 150, 255, 100000}) EXPECT_TRUE(IsEmptyRow(ItemAt(n))) << n;
  EXPECT_EQ(&ItemAt(57), &Items[57]);
}

TEST(HeroTable, TextLookupIsSafeForAnyIndex) {
  testsupport::ResetGame();
  HeroTexts[3 * 12 + 11] = "last";
  EXPECT_EQ(HeroText(3, 11), "last");
  EXPECT_EQ(&HeroText(1, 5), &HeroTexts[17]);
  for (auto [h, s] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 12}, {127, 255}, {-128, 3}})
    EXPECT_EQ(HeroText(h, s), "") << h << "," << s;
}

TEST(HeroTable, StartNewGameForEachHero) {
  struct Start {
    int MaxHP, Strength, Defence, Weapon, Armour;
  };
  const Start starts[4] = {{15, 3, 2, 0, 60}, {20, 2, 3, 10, 70}, {12, 1, 1, 20, 80}, {35, 4, 3, 30, 90}};
  for (int hero = 0; hero < 4; ++hero) {
    testsupport::ResetGame();
    // Values a previous game leaves behind.
    G.HeroIndex = static_cast<int8_t>(hero);
    G.HeroX = G.HeroY = G.WorldX = G.WorldY = 999;
    G.Level = 40;
    G.Experience = G.Gold = 12345;
    G.Reserved1 = G.Reserved2 = G.Reserved3 = 7;
    G.Facing = 1;
    for (auto& b : G.BossDefeated) b = 1;
    for (auto& s : G.Inventory) s = 33;
    G.InventoryCursor = 40;
    G.PendingExperience = 77;
    G.DungeonIndex = 6;
    G.GameMode = kModeSelect;

    StartNewGame();
    SCOPED_TRACE("hero " + std::to_string(hero));
    EXPECT_EQ(G.HeroX, 182);
    EXPECT_EQ(G.WorldX, 182);
    EXPECT_EQ(G.HeroY, 64);
    EXPECT_EQ(G.WorldY, 64);
    EXPECT_EQ(G.Level, 1);
    EXPECT_EQ(G.Experience, 0);
    EXPECT_EQ(G.Gold, 0);
    EXPECT_EQ(G.Reserved1, 0);
    EXPECT_EQ(G.Reserved2, 0);
    EXPECT_EQ(G.Reserved3, 7);  // only start-up clears it
    EXPECT_EQ(G.Facing, 2);
    for (auto b : G.BossDefeated) EXPECT_EQ(b, 0);
    const int inventory[7] = {50, 50, 50, 50, 50, 100, 101};
    for (int i = 0; i < 64; ++i) EXPECT_EQ(G.Inventory[i], i < 7 ? inventory[i] : 255) << i;
    EXPECT_EQ(G.InventoryCursor, 0);
    EXPECT_EQ(G.MaxHP, starts[hero].MaxHP);
    EXPECT_EQ(G.HP, starts[hero].MaxHP);
    EXPECT_EQ(G.Strength, starts[hero].Strength);
    EXPECT_EQ(G.Defence, starts[hero].Defence);
    EXPECT_EQ(G.WeaponItem, starts[hero].Weapon);
    EXPECT_EQ(G.ArmourItem, starts[hero].Armour);
    EXPECT_EQ(G.GameMode, kModeWorld);
    EXPECT_EQ(G.PendingExperience, 77);  // kept until the first dungeon
    EXPECT_EQ(G.DungeonIndex, 6);
    // Every hero may use its own start equipment.
    EXPECT_EQ(Items[G.WeaponItem].UsableBy[hero], 1);
    EXPECT_EQ(Items[G.ArmourItem].UsableBy[hero], 1);
  }
}

TEST(HeroTable, UnknownHeroKeepsItsNumbers) {
  testsupport::ResetGame();
  G.HeroIndex = 4;
  G.MaxHP = 55;
  G.WeaponItem = 3;
  StartNewGame();
  EXPECT_EQ(G.MaxHP, 55);
  EXPECT_EQ(G.WeaponItem, 3);
  EXPECT_EQ(G.Inventory[6], 101);
}

}  // namespace
