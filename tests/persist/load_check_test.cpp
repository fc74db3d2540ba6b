// Loading refuses what no game could have saved, before anything of the running game is
// touched, and accepts the files a game does write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "persist_fixture.h"
#include "platform/files.h"

namespace {

using namespace persisttest;

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
  const char* field;  // named in the message with the value
  int64_t value;
};

// Values no game writes, each in a file that is otherwise good.
const BadValue kBadValues[] = {
    {"HeroIndex", 7},
    {"HeroIndex", -1},
    {"WeaponItem", 150},
    {"ArmourItem", 200},
    {"Inventory[10]", 150},
    {"InventoryCursor", 64},
    {"InventoryCursor", -1},
    {"GameMode", 7},
    {"GameMode", -1},
    {"DungeonIndex", 9},
    {"FloorIndex", 10},
    {"FloorIndex", -1},
    {"MenuPage", 3},
    {"TickInterval", 0},
    {"TickInterval", 101},
    {"WalkFrame", 16},
    {"Facing", 4},
    {"Level", 100},
    {"Level", 0},  // a hero on the world map has been made
    {"MaxHP", 0},
    {"HP", 9999},  // more than the hero's 240
    {"HP", 241},
    {"HP", -1},
    {"Gold", 1000000},
    {"HeroX", INT_MAX},
    {"MusicOn", 2},
    {"Monsters[3].State", 3},
    {"Monsters[3].Kind", 4},
    {"Monsters[3].Facing", 4},
    {"Monsters[3].AnimFrame", 4},
    {"Monsters[3].AnimFrame", -1},
    {"Monsters[3].SplatColumn", 6},
    {"Monsters[3].SpriteRow", 3},
    {"Monsters[3].Behaviour", 7},
    {"Monsters[3].DropItem", 150},
    {"Monsters[3].RareDropItem", 255},
    {"Monsters[3].ShotLook", 26},
    {"Monsters[3].X", INT_MIN},
    {"Monsters[3].HP", 2000000},
    {"HeroShots[2].Direction", 4},
    {"HeroShots[2].Look", 26},
    {"HeroShots[2].Active", 2},
    {"Traps[0].Armed", 5},
    {"FloorItems[5].Item", 150},
    {"Coins[4].Frame", 6},
    {"Coins[9].Frame", 200},  // a free coin keeps its frame
    {"Coins[4].Amount", -5},
    {"BossDefeated[3]", 2},
};

TEST_F(LoadCheck, RefusesValuesOutsideTheGamesTablesAndKeepsTheGame) {
  for (const BadValue& bad : kBadValues) {
    const std::string expected = std::string(bad.field) + " が " + std::to_string(bad.value);
    SCOPED_TRACE(expected);
    std::vector<uint8_t> before = StateBytes();
    WindowModel formBefore = Window;
    EXPECT_FALSE(LoadWith([&](std::vector<uint8_t>& r) {
      SetField(r, bad.field, bad.value);
    }));
    EXPECT_EQ(StateDifference(StateBytes(), before), "");
    EXPECT_EQ(Window.SaveCommand.Enabled, formBefore.SaveCommand.Enabled);
    EXPECT_EQ(Window.TickTimer.Interval, formBefore.TickTimer.Interval);
    EXPECT_NE(LastLine().find("このファイルはセーブデータとして読み込めません："), std::string::npos)
        << LastLine();
    EXPECT_NE(LastLine().find(dir_.File("game.sav")), std::string::npos);
    EXPECT_NE(LastLine().find(expected + " です（"), std::string::npos) << LastLine();
  }
  // A refused file is not proposed for the next save.
  EXPECT_EQ(persist::SaveDialogFileName(), "*.sav");
}

// Every range of the record's description is kept at both ends, in every record the
// fixture has in use, and the message names the value as the file holds it.
TEST_F(LoadCheck, EveryRangeIsRefusedJustOutsideAndNamedByItsField) {
  std::vector<std::string> names;
  for (const persist::FieldInfo& f : persist::SaveRecordInfo().fields) {
    if (!f.record) {
      names.push_back(f.count > 1 ? std::string(f.name) + "[1]" : f.name);
      continue;
    }
    const int used = std::string(f.name) == "Monsters" ? 3
                     : std::string(f.name) == "HeroShots" ? 2
                     : std::string(f.name) == "Coins" ? 4
                     : std::string(f.name) == "FloorItems" ? 5 : 0;
    for (const persist::FieldInfo& inner : f.record->fields)
      if (inner.count == 1)
        names.push_back(std::string(f.name) + "[" + std::to_string(used) + "]." + inner.name);
  }
  std::vector<uint8_t> base = valid_;
  SetField(base, "MonsterShots[0].Active", 1);  // in flight, so that its ranges hold
  ASSERT_FALSE(persist::CheckSaveRecord(base.data()).has_value());
  int checked = 0;
  for (const std::string& name : names) {
    const persist::FieldInfo& f = *Place(name).field;
    if (f.rule != persist::Rule::kRange && f.rule != persist::Rule::kRangeOr) continue;
    const int64_t least = f.isSigned ? -(int64_t{1} << (8 * f.width - 1)) : 0;
    const int64_t most = (int64_t{1} << (8 * f.width - (f.isSigned ? 1 : 0))) - 1;
    for (int64_t bad : {f.lo - 1, f.hi + 1}) {
      if (bad < least || bad > most || (f.rule == persist::Rule::kRangeOr && bad == f.extra))
        continue;
      std::vector<uint8_t> r = base;
      SetField(r, name, bad);
      std::optional<std::string> problem = persist::CheckSaveRecord(r.data());
      ASSERT_TRUE(problem.has_value()) << name << " = " << bad;
      EXPECT_EQ(problem->rfind(name + " が " + std::to_string(bad) + " です（", 0), 0u) << *problem;
      ++checked;
    }
  }
  EXPECT_GT(checked, 60);
}

TEST_F(LoadCheck, BossSheetHasOneRow) {
  EXPECT_FALSE(LoadWith([](std::vector<uint8_t>& r) {
    SetField(r, "Monsters[3].Kind", 100);
    SetField(r, "Monsters[3].IsBoss", 1);
    SetField(r, "Monsters[3].SpriteRow", 1);
  }));
  EXPECT_NE(LastLine().find("Monsters[3].SpriteRow が 1"), std::string::npos) << LastLine();
}

TEST_F(LoadCheck, AcceptsWhatUnusedRecordsHoldAndWhatPlayReaches) {
  // Empty monster slots, free shots and absent floor items hold leftovers of earlier floors.
  EXPECT_TRUE(LoadWith([](std::vector<uint8_t>& r) {
    SetField(r, "Monsters[10].State", Empty);
    SetField(r, "Monsters[10].Kind", 250);
    SetField(r, "Monsters[10].AnimFrame", 99);
    SetField(r, "Monsters[10].X", INT_MIN);
    SetField(r, "HeroShots[5].Look", 200);      // free hero shot with an odd look
    SetField(r, "FloorItems[9].Item", 200);     // absent floor item
    SetField(r, "Monsters[3].StepLeft", -128);  // signed and any value
    SetField(r, "MusicTrack", 250);             // a track number means silence from 99 on
    SetField(r, "Inventory[20]", 255);          // an empty inventory slot
    SetField(r, "Monsters[3].Kind", 0);         // a chest does not use its sprite row
    SetField(r, "Monsters[3].IsChest", 1);
    SetField(r, "Monsters[3].SpriteRow", 8);
    SetField(r, "TickInterval", 1);             // fastest and slowest speeds
    SetField(r, "GameMode", kModeEnding);
  }))
      << LastLine();
  EXPECT_EQ(G.GameMode, 6);
  EXPECT_EQ(G.TickInterval, 1);
}

TEST_F(LoadCheck, OnlyTheTitleHoldsAHeroNotYetMade) {
  auto unmade = [](int mode) {
    return [mode](std::vector<uint8_t>& r) {
      SetField(r, "GameMode", mode);
      SetField(r, "Level", 0);
      SetField(r, "MaxHP", 0);
      SetField(r, "HP", 0);
    };
  };
  EXPECT_TRUE(LoadWith(unmade(kModeTitle))) << LastLine();
  for (int mode : {kModePlay, kModeMenu, kModeGameOver, kModeSelect, kModeWorld, kModeEnding}) {
    EXPECT_FALSE(LoadWith(unmade(mode))) << mode;
    EXPECT_NE(LastLine().find("Level が 0"), std::string::npos) << LastLine();
  }
  // Full health and the game-over screen's none are both what play writes.
  EXPECT_TRUE(LoadWith([](std::vector<uint8_t>& r) { SetField(r, "HP", 240); }));
  EXPECT_TRUE(LoadWith([](std::vector<uint8_t>& r) {
    SetField(r, "GameMode", kModeGameOver);
    SetField(r, "HP", 0);
  })) << LastLine();
}

TEST_F(LoadCheck, ShortFileIsRefusedWithItsSize) {
  for (size_t size : {size_t{0}, size_t{100}, kSaveRecordSize - 1}) {
    std::vector<uint8_t> before = StateBytes();
    std::vector<uint8_t> record(valid_.begin(), valid_.begin() + size);
    WriteBytes(dir_.File("short.sav"), record);
    EXPECT_FALSE(LoadGameFile(dir_.File("short.sav")));
    EXPECT_EQ(StateDifference(StateBytes(), before), "");
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
  EXPECT_EQ(FirstDifference(BuildSaveRecord(), valid_), "");
}

TEST_F(LoadCheck, UnreadablePathsAreReportedNotLoaded) {
  std::vector<uint8_t> before = StateBytes();
  EXPECT_FALSE(LoadGameFile(dir_.File("missing.sav")));
  EXPECT_NE(LastLine().find(dir_.File("missing.sav")), std::string::npos);
  EXPECT_NE(LastLine().find(platform::SystemReason(ENOENT)), std::string::npos) << LastLine();

  EXPECT_FALSE(LoadGameFile(dir_.Path()));
  EXPECT_NE(LastLine().find(platform::SystemReason(EISDIR)), std::string::npos) << LastLine();

  // A named pipe must not hang the game waiting for a writer; a pipe and a device are both
  // "not a regular file" to the player, as they always were.
  ASSERT_EQ(::mkfifo(dir_.File("pipe.sav").c_str(), 0600), 0);
  for (const std::string& path : {dir_.File("pipe.sav"), std::string("/dev/null")}) {
    EXPECT_FALSE(LoadGameFile(path));
    EXPECT_NE(LastLine().find("\n通常のファイルではありません"), std::string::npos) << LastLine();
  }
  EXPECT_EQ(StateDifference(StateBytes(), before), "");
}

}  // namespace
