// Loading refuses what no game could have saved, before anything of the running game is
// touched, and accepts the files a game does write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "persist_fixture.h"

namespace {

using namespace persisttest;

constexpr size_t kMonster3 = 72 + 96 * 3;
constexpr size_t kHeroShot2 = 10388 + 24 * 2;
constexpr size_t kFloorItem5 = 3984 + 64 * 5;
constexpr size_t kCoin4 = 11108 + 24 * 4;

class LoadCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    AppDir = content_.Dir();
    persist::ResetDialogFileNames();
    MakeWorldMapGame();
    G.MusicOn = 0;
    // Objects in use, so that their checks have something to look at.
    MonsterRecord& m = G.Monsters[3];
    m.State = Active;
    m.Kind = 2;
    m.SpriteRow = 1;
    m.X = 240;
    m.Y = 480;
    m.MaxHP = m.HP = 130;
    m.Shoots = 1;
    m.ShotLook = 9;
    m.DropItem = 52;
    m.RareDropItem = 53;
    m.DropChance = 15;
    G.HeroShots[2].Active = 1;
    G.HeroShots[2].Direction = 3;
    G.HeroShots[2].Look = 25;
    G.FloorItems[5].Present = 1;
    G.FloorItems[5].Item = 149;
    G.Coins[4].Active = 1;
    G.Coins[4].Frame = 5;
    G.Coins[4].Amount = 300;
    G.Traps[0].Armed = 1;
    valid_ = BuildSaveRecord();
    // The game the player has now, different from the file's.
    G.Gold = 5;
    G.HeroX = 7;
  }

  // Writes the valid record with one change and loads it.
  bool LoadWith(const std::function<void(std::vector<uint8_t>&)>& change) {
    std::vector<uint8_t> record = valid_;
    change(record);
    WriteBytes(dir_.File("game.sav"), record);
    testsupport::Os().lines.clear();
    return LoadGameFile(dir_.File("game.sav"));
  }

  std::string LastLine() const {
    const auto& lines = testsupport::Os().lines;
    return lines.empty() ? std::string() : lines.back();
  }

  ContentDir content_;
  ScratchDir dir_;
  std::vector<uint8_t> valid_;
};

struct BadValue {
  const char* field;  // named in the message
  size_t offset;
  int64_t value;
  int width;  // bytes
};

TEST_F(LoadCheck, RefusesValuesOutsideTheGamesTablesAndKeepsTheGame) {
  const BadValue cases[] = {
      {"HeroIndex が 7", 53, 7, 1},
      {"HeroIndex が -1", 53, 0xFF, 1},
      {"WeaponItem が 150", 54, 150, 1},
      {"ArmourItem が 200", 55, 200, 1},
      {"Inventory[10] が 150", 3920 + 10, 150, 1},
      {"InventoryCursor が 64", 10384, 64, 4},
      {"InventoryCursor が -1", 10384, -1, 4},
      {"GameMode が 7", 68, 7, 4},
      {"GameMode が -1", 68, -1, 4},
      {"DungeonIndex が 9", 64, 9, 4},
      {"FloorIndex が 10", 8, 10, 4},
      {"FloorIndex が -1", 8, -1, 4},
      {"MenuPage が 3", 13508, 3, 1},
      {"TickInterval が 0", 3916, 0, 4},
      {"TickInterval が 101", 3916, 101, 4},
      {"WalkFrame が 16", 20, 16, 1},
      {"Facing が 4", 21, 4, 1},
      {"Level が 100", 24, 100, 4},
      {"Level が 0", 24, 0, 4},  // a hero on the world map has been made
      {"MaxHP が 0", 28, 0, 4},
      {"HP が 9999", 32, 9999, 4},  // more than the hero's 240
      {"HP が 241", 32, 241, 4},
      {"HP が -1", 32, -1, 4},
      {"Gold が 1000000", 48, 1000000, 4},
      {"HeroX が 2147483647", 0, INT_MAX, 4},
      {"MusicOn が 2", 3913, 2, 1},
      {"Monsters[3].State が 3", kMonster3 + 45, 3, 1},
      {"Monsters[3].Kind が 4", kMonster3 + 32, 4, 1},
      {"Monsters[3].Facing が 4", kMonster3 + 47, 4, 1},
      {"Monsters[3].AnimFrame が 4", kMonster3 + 56, 4, 4},
      {"Monsters[3].AnimFrame が -1", kMonster3 + 56, -1, 4},
      {"Monsters[3].SplatColumn が 6", kMonster3 + 68, 6, 1},
      {"Monsters[3].SpriteRow が 3", kMonster3 + 52, 3, 4},
      {"Monsters[3].Behaviour が 7", kMonster3 + 46, 7, 1},
      {"Monsters[3].DropItem が 150", kMonster3 + 80, 150, 1},
      {"Monsters[3].RareDropItem が 255", kMonster3 + 88, 255, 1},
      {"Monsters[3].ShotLook が 26", kMonster3 + 92, 26, 1},
      {"Monsters[3].X が -2147483648", kMonster3 + 0, INT_MIN, 4},
      {"Monsters[3].HP が 2000000", kMonster3 + 12, 2000000, 4},
      {"HeroShots[2].Direction が 4", kHeroShot2 + 17, 4, 1},
      {"HeroShots[2].Look が 26", kHeroShot2 + 19, 26, 1},
      {"HeroShots[2].Active が 2", kHeroShot2 + 0, 2, 1},
      {"Traps[0].Armed が 5", 10868, 5, 1},
      {"FloorItems[5].Item が 150", kFloorItem5 + 32, 150, 1},
      {"Coins[4].Frame が 6", kCoin4 + 20, 6, 1},
      {"Coins[9].Frame が 200", 11108 + 24 * 9 + 20, 200, 1},  // a free coin keeps its frame
      {"Coins[4].Amount が -5", kCoin4 + 16, -5, 4},
      {"BossDefeated[3] が 2", 13509 + 3, 2, 1},
  };
  for (const BadValue& bad : cases) {
    SCOPED_TRACE(bad.field);
    std::vector<uint8_t> before = StateBytes();
    TForm1 formBefore = Form1;
    EXPECT_FALSE(LoadWith([&](std::vector<uint8_t>& r) {
      std::memcpy(r.data() + bad.offset, &bad.value, bad.width);
    }));
    EXPECT_EQ(StateBytes(), before);
    EXPECT_EQ(Form1.K1.Enabled, formBefore.K1.Enabled);
    EXPECT_EQ(Form1.Timer1.Interval, formBefore.Timer1.Interval);
    EXPECT_NE(LastLine().find("このファイルはセーブデータとして読み込めません："), std::string::npos)
        << LastLine();
    EXPECT_NE(LastLine().find(dir_.File("game.sav")), std::string::npos);
    EXPECT_NE(LastLine().find(bad.field), std::string::npos) << LastLine();
  }
  // A refused file is not proposed for the next save.
  EXPECT_EQ(persist::SaveDialogFileName(), "*.sav");
}

TEST_F(LoadCheck, BossSheetHasOneRow) {
  EXPECT_FALSE(LoadWith([](std::vector<uint8_t>& r) {
    r[kMonster3 + 32] = 100;  // Kind boss
    r[kMonster3 + 44] = 1;    // IsBoss
    WriteLE<int32_t>(r, kMonster3 + 52, 1);
  }));
  EXPECT_NE(LastLine().find("Monsters[3].SpriteRow が 1"), std::string::npos) << LastLine();
}

TEST_F(LoadCheck, AcceptsWhatUnusedRecordsHoldAndWhatPlayReaches) {
  // Empty monster slots, free shots and absent floor items hold leftovers of earlier floors.
  EXPECT_TRUE(LoadWith([](std::vector<uint8_t>& r) {
    size_t empty = 72 + 96 * 10;
    r[empty + 45] = Empty;
    r[empty + 32] = 250;
    WriteLE<int32_t>(r, empty + 56, 99);
    WriteLE<int32_t>(r, empty + 0, INT_MIN);
    r[10388 + 24 * 5 + 19] = 200;       // free hero shot with an odd look
    r[3984 + 64 * 9 + 32] = 200;        // absent floor item
    r[kMonster3 + 48] = 0x80;           // StepLeft is signed and any value
    r[3912] = 250;                      // a track number means silence from 99 on
    r[3920 + 20] = 255;                 // an empty inventory slot
    r[kMonster3 + 32] = 0;              // a chest does not use its sprite row
    r[kMonster3 + 69] = 1;
    WriteLE<int32_t>(r, kMonster3 + 52, 8);
    WriteLE<int32_t>(r, 3916, 1);       // fastest and slowest speeds
    WriteLE<int32_t>(r, 68, 6);         // the ending
  }))
      << LastLine();
  EXPECT_EQ(G.GameMode, 6);
  EXPECT_EQ(G.TickInterval, 1);
}

TEST_F(LoadCheck, OnlyTheTitleHoldsAHeroNotYetMade) {
  auto unmade = [](int mode) {
    return [mode](std::vector<uint8_t>& r) {
      WriteLE<int32_t>(r, 68, mode);
      WriteLE<int32_t>(r, 24, 0);  // Level
      WriteLE<int32_t>(r, 28, 0);  // MaxHP
      WriteLE<int32_t>(r, 32, 0);  // HP
    };
  };
  EXPECT_TRUE(LoadWith(unmade(kModeTitle))) << LastLine();
  for (int mode : {kModePlay, kModeMenu, kModeGameOver, kModeSelect, kModeWorld, kModeEnding}) {
    EXPECT_FALSE(LoadWith(unmade(mode))) << mode;
    EXPECT_NE(LastLine().find("Level が 0"), std::string::npos) << LastLine();
  }
  // Full health and the game-over screen's none are both what play writes.
  EXPECT_TRUE(LoadWith([](std::vector<uint8_t>& r) { WriteLE<int32_t>(r, 32, 240); }));
  EXPECT_TRUE(LoadWith([](std::vector<uint8_t>& r) {
    WriteLE<int32_t>(r, 68, kModeGameOver);
    WriteLE<int32_t>(r, 32, 0);
  })) << LastLine();
}

TEST_F(LoadCheck, ShortFileIsRefusedWithItsSize) {
  for (size_t size : {size_t{0}, size_t{100}, kSaveRecordSize - 1}) {
    std::vector<uint8_t> before = StateBytes();
    std::vector<uint8_t> record(valid_.begin(), valid_.begin() + size);
    WriteBytes(dir_.File("short.sav"), record);
    EXPECT_FALSE(LoadGameFile(dir_.File("short.sav")));
    EXPECT_EQ(StateBytes(), before);
    EXPECT_NE(LastLine().find("ファイルは " + std::to_string(size) + " バイトです"),
              std::string::npos)
        << LastLine();
    EXPECT_NE(LastLine().find("13532 バイト"), std::string::npos);
  }
}

TEST_F(LoadCheck, LongerFileIsLoadedAndItsTailIgnored) {
  std::vector<uint8_t> record = valid_;
  record.resize(kSaveRecordSize + 500, 0xEE);
  WriteBytes(dir_.File("long.sav"), record);
  EXPECT_TRUE(LoadGameFile(dir_.File("long.sav"))) << LastLine();
  EXPECT_EQ(BuildSaveRecord(), valid_);
}

TEST_F(LoadCheck, UnreadablePathsAreReportedNotLoaded) {
  std::vector<uint8_t> before = StateBytes();
  EXPECT_FALSE(LoadGameFile(dir_.File("missing.sav")));
  EXPECT_NE(LastLine().find(dir_.File("missing.sav")), std::string::npos);
  EXPECT_NE(LastLine().find(persist::SystemReason(ENOENT)), std::string::npos) << LastLine();

  EXPECT_FALSE(LoadGameFile(dir_.Path()));
  EXPECT_NE(LastLine().find(persist::SystemReason(EISDIR)), std::string::npos) << LastLine();

  // A named pipe must not hang the game waiting for a writer.
  ASSERT_EQ(::mkfifo(dir_.File("pipe.sav").c_str(), 0600), 0);
  EXPECT_FALSE(LoadGameFile(dir_.File("pipe.sav")));
  EXPECT_EQ(StateBytes(), before);
}

}  // namespace
