// Dungeon files, drawing a floor into FloorPicture, clearing the objects and hiding the traps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "world/floor_setup.h"
#include "state/window_model.h"
#include "state/state.h"
#include "gfx/image.h"
#include "play_helpers.h"
#include "support/test_support.h"

using namespace playtest;

namespace {

// A dungeon file whose floor f has tile value (f + c + 2 * r) % 64 at column c, row r, and
// whose attribute table marks value 63 solid.
std::vector<uint8_t> MakeDungeonFile() {
  std::vector<uint8_t> bytes(38560, 0);
  for (int f = 0; f < 10; ++f) {
    uint8_t* rec = bytes.data() + f * 3856;
    for (int c = 0; c < 60; ++c)
      for (int r = 0; r < 60; ++r) rec[c * 60 + r] = static_cast<uint8_t>((f + c + 2 * r) % 64);
    rec[3600 + 63] = 1;
  }
  return bytes;
}

// A tile sheet whose 64 cells are each one flat colour of their own.
gfx::Color CellColour(int cell) { return gfx::Rgb(cell * 4, 255 - cell * 3, 17); }
gfx::Bitmap TileSheet() {
  gfx::Bitmap sheet(192, 192);
  for (int cell = 0; cell < 64; ++cell)
    gfx::FillRect(sheet, (cell % 8) * 24, (cell / 8) * 24, 24, 24, CellColour(cell));
  return sheet;
}

class SetUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    Window.FloorTileSheet.LoadStored(TileSheet(), &Window.FloorPicture, 8, 8, 0, false, gfx::kBlack);
    file_ = MakeDungeonFile();
    dir_.WriteBytes("M_3.mpt", file_);
    dir_.WritePicture("c_r3.bmp", 288, 72, gfx::Rgb(200, 0, 0));
    dir_.WritePicture("c_boss3.bmp", 528, 44, gfx::Rgb(0, 0, 200));
    AppDir = dir_.Slash();
    G.HeroIndex = 0;
    G.FloorIndex = 2;
  }

  // Something on every object table, so that a reset shows.
  void Litter() {
    G.HeroShots[9].Active = 1;
    G.MonsterShots[0].Active = 1;
    G.Traps[9].Armed = 1;
    G.Traps[9].Sprung = 1;
    G.Coins[99].Active = 1;
    G.FloorItems[50].Present = 1;
  }
  bool Littered() const {
    return G.HeroShots[9].Active == 1 && G.MonsterShots[0].Active == 1 && G.Traps[9].Sprung == 1 &&
           G.Coins[99].Active == 1 && G.FloorItems[50].Present == 1;
  }
  static int ArmedTraps() {
    int n = 0;
    for (const TrapRecord& t : G.Traps) n += t.Armed;
    return n;
  }
  // Whether FloorPicture's tile at column c, row r shows cell `value` of the tile sheet.
  static bool TileShows(int c, int r, int value) {
    const gfx::Bitmap& buf = Window.FloorPicture.Picture;
    return buf.Pixel(c * 24, r * 24) == CellColour(value) &&
           buf.Pixel(c * 24 + 23, r * 24 + 23) == CellColour(value);
  }

  ScratchDir dir_{"setup"};
  std::vector<uint8_t> file_;
};

TEST_F(SetUpTest, ReadsDrawsAndResets) {
  Litter();
  SetUpFloor(3, true, true);
  EXPECT_EQ(G.DungeonIndex, 3);
  EXPECT_EQ(std::memcmp(G.DungeonImage, file_.data(), 38560), 0);
  EXPECT_EQ(std::memcmp(G.Floors, file_.data(), 38560), 0);

  ASSERT_EQ(Window.FloorPicture.Picture.Width(), 1440);
  ASSERT_EQ(Window.FloorPicture.Picture.Height(), 1440);
  for (int c = 0; c < 60; c += 7)
    for (int r = 0; r < 60; r += 5) ASSERT_TRUE(TileShows(c, r, (2 + c + 2 * r) % 64)) << c << "," << r;
  // Column-major: column 1, row 0 and column 0, row 1 differ.
  EXPECT_TRUE(TileShows(1, 0, 3));
  EXPECT_TRUE(TileShows(0, 1, 4));

  EXPECT_EQ(G.HeroShots[9].Active, 0);
  EXPECT_EQ(G.MonsterShots[0].Active, 0);
  EXPECT_EQ(G.Coins[99].Active, 0);
  EXPECT_EQ(G.FloorItems[50].Present, 0);
  EXPECT_EQ(G.Traps[9].Sprung, 0);
  EXPECT_EQ(ArmedTraps(), 2);  // floor 2
  for (const TrapRecord& t : G.Traps) {
    if (!t.Armed) continue;
    EXPECT_EQ(t.X % 24, 0);
    EXPECT_EQ(t.Y % 24, 0);
    EXPECT_FALSE(G.Floors[2].SolidAt(t.X / 24, t.Y / 24));
    EXPECT_EQ(t.TrapKind, 0);
  }

  EXPECT_EQ(Window.MonsterSheet.CX, 12);
  EXPECT_EQ(Window.MonsterSheet.CY, 3);
  EXPECT_EQ(Window.MonsterSheet.Width(), 24);
  EXPECT_EQ(Window.MonsterSheet.Height(), 24);
  EXPECT_EQ(Window.BossSheet.CX, 12);
  EXPECT_EQ(Window.BossSheet.CY, 1);
  EXPECT_EQ(Window.BossSheet.Width(), 44);
  ASSERT_NE(Window.MonsterSheet.Picture(), nullptr);
  EXPECT_EQ(Window.MonsterSheet.Picture()->Pixel(0, 0), gfx::Rgb(200, 0, 0));
}

TEST_F(SetUpTest, TrapsPerFloor) {
  const int expected[10] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
  SetUpFloor(3, true, true);
  for (int f = 0; f < 10; ++f) {
    G.FloorIndex = f;
    SetUpFloor(0, false, true);
    EXPECT_EQ(ArmedTraps(), expected[f]) << "floor " << f;
  }
}

TEST_F(SetUpTest, EmptyBufIsSizedForTheFloor) {
  Window.FloorPicture.Picture = gfx::Bitmap();
  SetUpFloor(3, true, false);
  EXPECT_EQ(Window.FloorPicture.Picture.Width(), 1440);
  EXPECT_EQ(Window.FloorPicture.Picture.Height(), 1440);
  EXPECT_TRUE(TileShows(59, 59, (2 + 59 + 118) % 64));
}

TEST_F(SetUpTest, MonsterSheetOfDungeonEightFollowsTheHero) {
  dir_.WriteBytes("M_8.mpt", file_);
  dir_.WritePicture("c_r82.bmp", 288, 72, gfx::Rgb(1, 2, 3));
  dir_.WritePicture("c_boss8.bmp", 528, 44, gfx::Rgb(4, 5, 6));
  G.HeroIndex = 2;
  SetUpFloor(8, true, true);
  EXPECT_EQ(G.DungeonIndex, 8);
  EXPECT_EQ(Window.MonsterSheet.Picture()->Pixel(0, 0), gfx::Rgb(1, 2, 3));
  G.HeroIndex = 1;  // there is no c_r81.bmp here
  EXPECT_THROW(SetUpFloor(8, true, true), gfx::FileError);
}

// A stair neither reads the file again nor reloads the pictures; a load keeps the objects.
TEST_F(SetUpTest, StairsAndLoadsDoLessThanAnEntrance) {
  SetUpFloor(3, true, true);
  dir_.Remove("M_3.mpt");
  dir_.Remove("c_r3.bmp");
  G.FloorIndex = 7;
  SetUpFloor(0, false, true);
  EXPECT_EQ(G.DungeonIndex, 3);
  EXPECT_TRUE(TileShows(0, 0, 7));
  EXPECT_EQ(ArmedTraps(), 4);

  dir_.WriteBytes("M_3.mpt", file_);
  dir_.WritePicture("c_r3.bmp", 288, 72, gfx::Rgb(200, 0, 0));
  Litter();
  G.FloorIndex = 5;
  SetUpFloor(3, true, false);
  EXPECT_TRUE(Littered());
  EXPECT_TRUE(TileShows(0, 0, 5));
}

// The failures of the file leave every floor, the dungeon number, FloorPicture and the sheets as
// they were.
class SetUpFailure : public SetUpTest {
 protected:
  void SetUp() override {
    SetUpTest::SetUp();
    SetUpFloor(3, true, true);  // a good dungeon to fall back on
    std::memcpy(floors_, G.Floors, sizeof floors_);
    floorPicture_ = Window.FloorPicture.Picture;
    sheet_ = *Window.MonsterSheet.Picture();
    Litter();
  }
  void ExpectUnchanged() {
    EXPECT_EQ(G.DungeonIndex, 3);
    EXPECT_EQ(std::memcmp(G.Floors, floors_, sizeof floors_), 0);
    EXPECT_EQ(std::memcmp(G.DungeonImage, floors_, sizeof floors_), 0);
    EXPECT_TRUE(Window.FloorPicture.Picture == floorPicture_);
    EXPECT_TRUE(*Window.MonsterSheet.Picture() == sheet_);
    EXPECT_TRUE(Littered());
  }
  std::string MessageOf(int dungeon, bool readFile = true) {
    try {
      SetUpFloor(dungeon, readFile, true);
    } catch (const DungeonFileError& e) {
      return e.what();
    }
    return "(no error)";
  }
  FloorRecord floors_[10];
  gfx::Bitmap floorPicture_, sheet_;
};

TEST_F(SetUpFailure, MissingFile) {
  G.FloorIndex = 0;
  std::string message = MessageOf(4);
  EXPECT_NE(message.find("M_4.mpt"), std::string::npos) << message;
  EXPECT_NE(message.find("見つかりません"), std::string::npos) << message;
  ExpectUnchanged();
}

TEST_F(SetUpFailure, ShortFile) {
  dir_.WriteBytes("M_4.mpt", std::vector<uint8_t>(1200, 5));
  dir_.WritePicture("c_r4.bmp", 288, 72, gfx::kWhite);
  dir_.WritePicture("c_boss4.bmp", 528, 44, gfx::kWhite);
  std::string message = MessageOf(4);
  EXPECT_NE(message.find("M_4.mpt"), std::string::npos) << message;
  EXPECT_NE(message.find("1200 バイト、38560 バイト必要です"), std::string::npos) << message;
  ExpectUnchanged();
  // One byte short is still short; one byte over is fine and the extra is ignored.
  std::vector<uint8_t> almost(38559, 0);
  dir_.WriteBytes("M_4.mpt", almost);
  EXPECT_NE(MessageOf(4).find("38559 バイト"), std::string::npos);
  ExpectUnchanged();
  std::vector<uint8_t> longer = file_;
  longer.push_back(99);
  dir_.WriteBytes("M_4.mpt", longer);
  SetUpFloor(4, true, false);
  EXPECT_EQ(G.DungeonIndex, 4);
}

TEST_F(SetUpFailure, NoSuchDungeonOrFloor) {
  for (int bad : {9, -1, 255}) {
    std::string message = MessageOf(bad);
    EXPECT_NE(message.find("はありません"), std::string::npos) << message;
    ExpectUnchanged();
  }
  G.FloorIndex = 10;
  EXPECT_NE(MessageOf(3).find("階 10"), std::string::npos);
  EXPECT_NE(MessageOf(0, false).find("階 10"), std::string::npos);
  G.FloorIndex = 2;
  ExpectUnchanged();
  // A stair uses the dungeon already set; a damaged one is refused as well.
  G.DungeonIndex = 12;
  EXPECT_NE(MessageOf(0, false).find("ダンジョン 12"), std::string::npos);
  EXPECT_TRUE(Littered());
}

// A missing picture: the floors and the dungeon number are already taken from the new
// file, but the floor is not drawn and the objects are not reset.
TEST_F(SetUpFailure, MissingPicture) {
  std::vector<uint8_t> other = MakeDungeonFile();
  other[0] = 42;
  dir_.WriteBytes("M_6.mpt", other);
  dir_.WritePicture("c_r6.bmp", 288, 72, gfx::kWhite);  // but no c_boss6.bmp
  EXPECT_THROW(SetUpFloor(6, true, true), gfx::FileError);
  EXPECT_EQ(G.DungeonIndex, 6);
  EXPECT_EQ(G.Floors[0].Tiles[0], 42);
  EXPECT_TRUE(Window.FloorPicture.Picture == floorPicture_);
  EXPECT_TRUE(Littered());
}

class PlaceTrapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    G.FloorIndex = 6;
    MakeFloor(6);
  }
};

TEST_F(PlaceTrapTest, RowIsDrawnBeforeColumn) {
  auto d = PeekRandom({60, 60});
  PlaceTrap();
  EXPECT_EQ(G.Traps[0].Armed, 1);
  EXPECT_EQ(G.Traps[0].X, d[1] * 24);
  EXPECT_EQ(G.Traps[0].Y, d[0] * 24);
  EXPECT_EQ(G.Traps[1].Armed, 0);
}

TEST_F(PlaceTrapTest, ArmedRecordsAreSkippedAndOnlyPassableTilesTaken) {
  MakeFloor(6, kWall);
  SetTile(6, 5, 40, 200);  // the one passable tile: column 5, row 40 (value 200, attribute 0)
  G.Traps[0].Armed = 1;
  G.Traps[0].X = 7;
  G.Traps[1].TrapKind = 9;
  PlaceTrap();
  EXPECT_EQ(G.Traps[0].X, 7);
  EXPECT_EQ(G.Traps[1].Armed, 1);
  EXPECT_EQ(G.Traps[1].X, 5 * 24);
  EXPECT_EQ(G.Traps[1].Y, 40 * 24);
  EXPECT_EQ(G.Traps[1].TrapKind, 0);
}

TEST_F(PlaceTrapTest, AllSolidFloorGivesUpWithoutHanging) {
  MakeFloor(6, kWall);
  uint32_t seed = RandSeed;
  PlaceTrap();
  for (const TrapRecord& t : G.Traps) EXPECT_EQ(t.Armed, 0);
  EXPECT_EQ(DrawsSince(seed), 10 * 10000 * 2);  // every free record tried its 10000 times
  // With every record armed nothing is drawn at all.
  for (TrapRecord& t : G.Traps) t.Armed = 1;
  seed = RandSeed;
  PlaceTrap();
  EXPECT_EQ(DrawsSince(seed), 0);
}

}  // namespace
