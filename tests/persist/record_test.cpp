// The byte layout of the saved game, checked against the file's table on a state whose
// every field holds a value of its own.
#include <gtest/gtest.h>

#include "persist_fixture.h"

namespace {

using namespace persisttest;

class SaveRecordLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    // Every byte of the state non-zero, padding included, so a forgotten field or a
    // padding byte not cleared shows.
    std::memset(&G, 0xA5, sizeof(GameState));
    G.HeroX = 0x01020304;
    G.HeroY = 0x05060708;
    G.FloorIndex = 9;
    G.WorldX = -17;
    G.WorldY = 0x0A0B0C0D;
    G.WalkFrame = 0x11;
    G.Facing = 0x12;
    G.Level = 0x13141516;
    G.MaxHP = 0x17181920;
    G.HP = 0x21222324;
    G.Strength = 0x25262728;
    G.Defence = 0x29303132;
    G.Experience = 0x33343536;
    G.Gold = 0x37383940;
    G.Reserved1 = 0x41;
    G.HeroIndex = -2;
    G.WeaponItem = 0x43;
    G.ArmourItem = 0x44;
    G.Reserved2 = 0x45;
    G.Reserved3 = 0x46;
    G.PendingExperience = 0x47484950;
    G.DungeonIndex = 0x51525354;
    G.GameMode = 0x55565758;
    for (int i = 0; i < 40; ++i) {
      MonsterRecord& m = G.Monsters[i];
      m.X = 1000 + i;
      m.Y = 2000 + i;
      m.Kind = static_cast<uint8_t>(i);
      m.Height = 3000 + i;
      m.State = static_cast<uint8_t>(i % 3);
      m.StepLeft = static_cast<int8_t>(-i);
      m.SpriteRow = 4000 + i;
      m.SplatColumn = static_cast<uint8_t>(100 + i);
      m.FreezeTicks = 5000 + i;
      m.DropItem = static_cast<uint8_t>(150 + i);
      m.DropChance = 6000 + i;
      m.ShotRate = static_cast<uint8_t>(200 + i);
    }
    G.MusicTrack = 0x61;
    G.MusicOn = 0x62;
    G.EffectsOn = 0x63;
    G.TickInterval = 0x64656667;
    for (int i = 0; i < 64; ++i) G.Inventory[i] = static_cast<uint8_t>(i + 1);
    for (int i = 0; i < 100; ++i) {
      G.FloorItems[i].Present = static_cast<uint8_t>(i);
      G.FloorItems[i].X = 7000 + i;
      G.FloorItems[i].Y = 8000 + i;
      G.FloorItems[i].Item = static_cast<uint8_t>(i + 2);
      G.FloorItems[i].Unused0[0] = 0x70;
      G.FloorItems[i].Unused33[30] = 0x71;
    }
    G.InventoryCursor = 0x72737475;
    for (int i = 0; i < 10; ++i) {
      G.HeroShots[i].Active = static_cast<uint8_t>(i);
      G.HeroShots[i].Byte1 = 0x80;
      G.HeroShots[i].X = 9000 + i;
      G.HeroShots[i].Life = 9100 + i;
      G.HeroShots[i].Direction = static_cast<uint8_t>(i + 3);
      G.HeroShots[i].HeldLook = 0x81;
      G.HeroShots[i].Look = static_cast<uint8_t>(i + 4);
      G.HeroShots[i].Attack = 9200 + i;
      G.MonsterShots[i].Speed = static_cast<uint8_t>(i + 5);
      G.MonsterShots[i].Y = 9300 + i;
      G.Traps[i].Armed = 1;
      G.Traps[i].Sprung = static_cast<uint8_t>(i & 1);
      G.Traps[i].X = 24 * i;
      G.Traps[i].TrapKind = static_cast<uint8_t>(i + 6);
    }
    for (int i = 0; i < 100; ++i) {
      G.Coins[i].Active = static_cast<uint8_t>(i & 1);
      G.Coins[i].Lifetime = 200 - i;
      G.Coins[i].Amount = 0x01000000 + i;
      G.Coins[i].Frame = static_cast<uint8_t>(i % 6);
    }
    G.MenuPage = 0x90;
    for (int i = 0; i < 20; ++i) G.BossDefeated[i] = static_cast<uint8_t>(0xB0 + i);
  }
};

TEST_F(SaveRecordLayout, EveryFieldSitsAtItsOffset) {
  std::vector<uint8_t> r = BuildSaveRecord();
  ASSERT_EQ(r.size(), 13532u);
  EXPECT_EQ(ReadLE<int32_t>(r, 0), 0x01020304);
  EXPECT_EQ(r[0], 0x04);  // little-endian
  EXPECT_EQ(ReadLE<int32_t>(r, 4), 0x05060708);
  EXPECT_EQ(ReadLE<int32_t>(r, 8), 9);
  EXPECT_EQ(ReadLE<int32_t>(r, 12), -17);
  EXPECT_EQ(ReadLE<int32_t>(r, 16), 0x0A0B0C0D);
  EXPECT_EQ(r[20], 0x11);
  EXPECT_EQ(r[21], 0x12);
  EXPECT_EQ(ReadLE<int32_t>(r, 24), 0x13141516);
  EXPECT_EQ(ReadLE<int32_t>(r, 28), 0x17181920);
  EXPECT_EQ(ReadLE<int32_t>(r, 32), 0x21222324);
  EXPECT_EQ(ReadLE<int32_t>(r, 36), 0x25262728);
  EXPECT_EQ(ReadLE<int32_t>(r, 40), 0x29303132);
  EXPECT_EQ(ReadLE<int32_t>(r, 44), 0x33343536);
  EXPECT_EQ(ReadLE<int32_t>(r, 48), 0x37383940);
  EXPECT_EQ(r[52], 0x41);
  EXPECT_EQ(static_cast<int8_t>(r[53]), -2);
  EXPECT_EQ(r[54], 0x43);
  EXPECT_EQ(r[55], 0x44);
  EXPECT_EQ(r[56], 0x45);
  EXPECT_EQ(r[57], 0x46);
  EXPECT_EQ(ReadLE<int32_t>(r, 60), 0x47484950);
  EXPECT_EQ(ReadLE<int32_t>(r, 64), 0x51525354);
  EXPECT_EQ(ReadLE<int32_t>(r, 68), 0x55565758);
  for (int i = 0; i < 40; ++i) {
    size_t m = 72 + 96 * i;
    SCOPED_TRACE("monster " + std::to_string(i));
    EXPECT_EQ(ReadLE<int32_t>(r, m + 0), 1000 + i);
    EXPECT_EQ(ReadLE<int32_t>(r, m + 4), 2000 + i);
    EXPECT_EQ(r[m + 32], i);
    EXPECT_EQ(ReadLE<int32_t>(r, m + 36), 3000 + i);
    EXPECT_EQ(r[m + 45], i % 3);
    EXPECT_EQ(static_cast<int8_t>(r[m + 48]), -i);
    EXPECT_EQ(ReadLE<int32_t>(r, m + 52), 4000 + i);
    EXPECT_EQ(r[m + 68], 100 + i);
    EXPECT_EQ(ReadLE<int32_t>(r, m + 72), 5000 + i);
    EXPECT_EQ(r[m + 80], 150 + i);
    EXPECT_EQ(ReadLE<int32_t>(r, m + 84), 6000 + i);
    EXPECT_EQ(r[m + 93], 200 + i);
    for (size_t pad : {33, 34, 35, 49, 50, 51, 70, 71, 81, 82, 83, 94, 95})
      EXPECT_EQ(r[m + pad], 0) << "padding byte " << pad;
  }
  EXPECT_EQ(r[3912], 0x61);
  EXPECT_EQ(r[3913], 0x62);
  EXPECT_EQ(r[3914], 0x63);
  EXPECT_EQ(r[3915], 0);
  EXPECT_EQ(ReadLE<int32_t>(r, 3916), 0x64656667);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(r[3920 + i], i + 1);
  for (int i = 0; i < 100; ++i) {
    size_t f = 3984 + 64 * i;
    EXPECT_EQ(r[f + 21], i);
    EXPECT_EQ(r[f + 22], 0);
    EXPECT_EQ(r[f + 23], 0);
    EXPECT_EQ(ReadLE<int32_t>(r, f + 24), 7000 + i);
    EXPECT_EQ(ReadLE<int32_t>(r, f + 28), 8000 + i);
    EXPECT_EQ(r[f + 32], i + 2);
    // Bytes without meaning that are not padding travel as the game holds them.
    EXPECT_EQ(r[f + 0], 0x70);
    EXPECT_EQ(r[f + 63], 0x71);
  }
  EXPECT_EQ(ReadLE<int32_t>(r, 10384), 0x72737475);
  for (int i = 0; i < 10; ++i) {
    size_t h = 10388 + 24 * i, s = 10628 + 24 * i, t = 10868 + 24 * i;
    EXPECT_EQ(r[h + 0], i);
    EXPECT_EQ(r[h + 1], 0x80);
    EXPECT_EQ(r[h + 2], 0);
    EXPECT_EQ(r[h + 3], 0);
    EXPECT_EQ(ReadLE<int32_t>(r, h + 4), 9000 + i);
    EXPECT_EQ(ReadLE<int32_t>(r, h + 12), 9100 + i);
    EXPECT_EQ(r[h + 17], i + 3);
    EXPECT_EQ(r[h + 18], 0x81);
    EXPECT_EQ(r[h + 19], i + 4);
    EXPECT_EQ(ReadLE<int32_t>(r, h + 20), 9200 + i);
    EXPECT_EQ(ReadLE<int32_t>(r, s + 8), 9300 + i);
    EXPECT_EQ(r[s + 16], i + 5);
    EXPECT_EQ(r[t + 0], 1);
    EXPECT_EQ(r[t + 1], i & 1);
    EXPECT_EQ(r[t + 2], 0);
    EXPECT_EQ(ReadLE<int32_t>(r, t + 4), 24 * i);
    EXPECT_EQ(r[t + 18], i + 6);
  }
  for (int i = 0; i < 100; ++i) {
    size_t c = 11108 + 24 * i;
    EXPECT_EQ(r[c + 0], i & 1);
    EXPECT_EQ(r[c + 1], 0);
    EXPECT_EQ(r[c + 3], 0);
    EXPECT_EQ(ReadLE<int32_t>(r, c + 12), 200 - i);
    EXPECT_EQ(ReadLE<int32_t>(r, c + 16), 0x01000000 + i);
    EXPECT_EQ(r[c + 20], i % 6);
    EXPECT_EQ(r[c + 21], 0);
    EXPECT_EQ(r[c + 23], 0);
  }
  EXPECT_EQ(r[13508], 0x90);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(r[13509 + i], 0xB0 + i);
  EXPECT_EQ(r[13529], 0);
  EXPECT_EQ(r[13530], 0);
  EXPECT_EQ(r[13531], 0);
  EXPECT_EQ(r[22], 0);
  EXPECT_EQ(r[23], 0);
  EXPECT_EQ(r[58], 0);
  EXPECT_EQ(r[59], 0);
}

TEST_F(SaveRecordLayout, BuildingTheRecordLeavesTheGameAlone) {
  std::vector<uint8_t> before = StateBytes();
  BuildSaveRecord();
  EXPECT_EQ(StateBytes(), before);
}

TEST_F(SaveRecordLayout, ApplyingARecordRestoresEveryFieldAndClearsPadding) {
  std::vector<uint8_t> r = BuildSaveRecord();
  std::vector<uint8_t> stretch(r.begin(), r.begin() + kSavedStretchSize);
  std::memset(&G, 0, sizeof(GameState));
  persist::ApplySaveRecord(r.data());
  std::vector<uint8_t> state = StateBytes();
  EXPECT_TRUE(std::equal(stretch.begin(), stretch.end(), state.begin()));
  for (int i = 0; i < 20; ++i) EXPECT_EQ(G.BossDefeated[i], 0xB0 + i);
  EXPECT_EQ(G.Pad22[0], 0);
  EXPECT_EQ(G.Monsters[7].Pad94[1], 0);
  EXPECT_EQ(G.HeroShots[3].Byte1, 0x80);
}

}  // namespace
