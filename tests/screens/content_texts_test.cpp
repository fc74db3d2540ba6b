// The item table, the heroes' text storage and the new-game set-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "content/heroes.h"
#include "content/items.h"
#include "state/window_model.h"
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

int Cells(const gfx::TSprite& sheet) { return sheet.CX * sheet.CY; }

bool IsWeaponOrKey(const ItemRecord& r) { return r.Kind <= kGreatSword; }

// What every row must hold for the game to use it, whatever its numbers: someone can use
// it, its icon and its looks are cells of their sheets, it is not both cursed and blessed,
// and only the fields its kind uses are set (only medicines heal, only armour defends, only
// weapons and keys fire).
TEST(ItemTable, EveryRowIsUsableDrawableAndOfOneKind) {
  testsupport::ResetGame();
  std::set<std::string> names;
  int rows = 0;
  for (int n = 0; n < kItemCount; ++n) {
    const ItemRecord& r = Items[n];
    if (r.Name.empty()) continue;
    ++rows;
    SCOPED_TRACE("item " + std::to_string(n) + " " + r.Name);
    EXPECT_TRUE(names.insert(r.Name).second) << "a second item of this name";
    EXPECT_TRUE(r.UsableBy[0] || r.UsableBy[1] || r.UsableBy[2] || r.UsableBy[3]);
    EXPECT_LT(r.Icon, Cells(Window.ItemIconSheet));
    EXPECT_FALSE(r.Cursed && r.Blessed);
    EXPECT_LE(r.Kind, kEscapeItem);
    EXPECT_EQ(r.Heal != 0, r.Kind == kMedicine);
    EXPECT_GE(r.Defence, 0);
    if (r.Defence != 0) {
      EXPECT_GE(r.Kind, kLightArmour);
      EXPECT_LE(r.Kind, kHeavyArmour);
    }
    if (IsWeaponOrKey(r)) {
      // A held weapon and its shot are drawn as look * 4 + facing on the shot sheet.
      EXPECT_LT(r.HeldLook * 4 + 3, Cells(Window.ShotSheet));
      EXPECT_LT(r.ShotLook * 4 + 3, Cells(Window.ShotSheet));
      if (r.KeyLevel < 0) {
        EXPECT_GT(r.Attack, 0) << "a weapon that cannot hurt";
      }
    } else {
      EXPECT_EQ(r.Attack, 0);
      EXPECT_EQ(r.ShotLife + r.ShotSpeed + r.RapidFire + r.HeldLook + r.ShotLook, 0);
      EXPECT_FALSE(r.FiresBack || r.Freezing || r.Burning);
      EXPECT_EQ(r.KeyLevel, -1);
    }
  }
  EXPECT_EQ(rows, 96);
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
