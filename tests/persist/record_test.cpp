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
    FillHeroAndMonsters();
    FillItemsShotsAndCoins();
  }

  // The hero's stretch and the forty monsters, each field a value of its own.
  static void FillHeroAndMonsters() {
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
  }

  // The options, the carried and lying items, the shots, traps, coins and boss flags.
  static void FillItemsShotsAndCoins() {
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

// Each byte of the record r (from `base` on, described by `record`) against the state's
// byte of the same field at `held`: equal, or zero where the field is padding.
void ExpectRecordMatchesState(const persist::RecordInfo& record, const uint8_t* held,
                              const std::vector<uint8_t>& r, size_t base, int& mismatches) {
  for (const persist::FieldInfo& f : record.fields) {
    if (f.stateOffset == persist::kNotHeld) continue;  // the file's tail, checked apart
    if (f.record) {
      for (int i = 0; i < f.count; ++i)
        ExpectRecordMatchesState(*f.record, held + f.stateOffset + i * f.width, r,
                                 base + f.offset + i * f.width, mismatches);
      continue;
    }
    for (size_t b = 0; b < f.Size() && mismatches < 10; ++b) {
      const size_t at = base + f.offset + b;
      const bool cleared = f.role == persist::Role::kPadding;
      const uint8_t want = cleared ? 0 : held[f.stateOffset + b];
      if (r[at] == want) continue;
      ++mismatches;
      ADD_FAILURE() << persist::FieldNameAt(at) << " (byte " << at << ") is " << int{r[at]}
                    << ", should be " << int{want};
    }
  }
}

TEST_F(SaveRecordLayout, EveryValueTravelsAndOnlyPaddingIsCleared) {
  std::vector<uint8_t> r = BuildSaveRecord();
  ASSERT_EQ(r.size(), 13532u);
  // The file's own landmarks: a little-endian hero position first, the boss flags right
  // after the menu page, and three zero bytes at the end.
  EXPECT_EQ(r[0], 0x04);
  EXPECT_EQ(r[3], 0x01);
  EXPECT_EQ(r[13508], 0x90);
  EXPECT_EQ(r[13509], 0xB0);
  EXPECT_EQ(r[13528], 0xB0 + 19);
  EXPECT_EQ(r[13529] | r[13530] | r[13531], 0);
  // Every other byte, by the record's description: the state's value, or zero in padding.
  // The fixture filled every byte of the state with something, padding included.
  int mismatches = 0;
  ExpectRecordMatchesState(persist::SaveRecordInfo(), reinterpret_cast<const uint8_t*>(&G), r,
                           0, mismatches);
  EXPECT_EQ(mismatches, 0);
}

TEST(SaveRecordNames, EveryByteHasANameThatLeadsBackToIt) {
  for (size_t offset = 0; offset < kSaveRecordSize; ++offset) {
    const std::string name = persist::FieldNameAt(offset);
    std::optional<persist::FieldPlace> place = persist::FindField(name);
    ASSERT_TRUE(place.has_value()) << offset << " " << name;
    EXPECT_LE(place->offset, offset) << name;
    EXPECT_LT(offset, place->offset + place->field->width) << name;
  }
  EXPECT_EQ(persist::FieldNameAt(72 + 96 * 3 + 12), "Monsters[3].HP");
  EXPECT_EQ(persist::FieldNameAt(13509 + 4), "BossDefeated[4]");
  EXPECT_EQ(persist::FieldNameAt(kSaveRecordSize), "past the record");
  for (const char* wrong : {"", "Monsters", "Monsters[40].HP", "Monsters[3]", "HeroX[0]",
                            "Inventory[64]", "Inventory[-1]", "Monsters[3].Nothing", "HP.X",
                            "Monsters[3]x.HP", "Coins[99999999999].X"})
    EXPECT_FALSE(persist::FindField(wrong).has_value()) << wrong;
}

TEST_F(SaveRecordLayout, BuildingTheRecordLeavesTheGameAlone) {
  std::vector<uint8_t> before = StateBytes();
  BuildSaveRecord();
  EXPECT_EQ(StateDifference(StateBytes(), before), "");
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
