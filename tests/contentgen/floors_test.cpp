// The dungeon files and the tile sheet as the build writes them: every floor playable, the
// files exactly what the floor sources make, and the checker itself catching broken floors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "floors/layout.h"
#include "floors/tileset.h"
#include "generators.h"
#include "floor_rules.h"
#include "gfx/bmp.h"
#include "support/data_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string FloorsDir() { return std::string(MIROVAAN_SOURCE_DIR) + "/assets/floors"; }

std::vector<uint8_t> Shipped(int d) {
  return ReadBytes(testsupport::DataDir() + "/M_" + std::to_string(d) + ".mpt");
}

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += "  " + l + "\n";
  return s;
}

bool Mentions(const std::vector<std::string>& lines, const std::string& what) {
  for (const auto& l : lines)
    if (l.find(what) != std::string::npos) return true;
  return false;
}

uint8_t& TileAt(std::vector<uint8_t>& file, int f, int c, int r) {
  return file[f * floors::kFloorBytes + c * floors::kGrid + r];
}

}  // namespace

TEST(ShippedFloors, EveryDungeonKeepsEveryRule) {
  for (int d = 0; d < floors::kDungeonCount; ++d) {
    std::vector<uint8_t> file = Shipped(d);
    auto problems = floorcheck::CheckDungeon(file, floorcheck::ExpectationsFor(d));
    EXPECT_TRUE(problems.empty()) << Join(problems);
  }
}

TEST(ShippedFloors, AreExactlyWhatTheFloorSourcesMake) {
  for (int d = 0; d < floors::kDungeonCount; ++d)
    EXPECT_TRUE(Shipped(d) == floors::BuildDungeon(d, FloorsDir())) << "M_" << d << ".mpt is stale or edited";
}

TEST(ShippedFloors, RestComesBeforeEachBossAndFightsHaveRoom) {
  for (int d = 0; d < floors::kDungeonCount; ++d) {
    std::vector<uint8_t> file = Shipped(d);
    int boss = floors::BossFloor(d);
    int before = floors::EntryFloor(d) == 9 ? boss + 1 : boss - 1;
    int springs = 0;
    for (int k = 0; k < floors::kTileBytes; ++k) springs += file[before * floors::kFloorBytes + k] == floors::kSpring;
    EXPECT_GT(springs, 0) << "dungeon " << d << ": no spring on floor " << before << " before the boss";
  }
}

TEST(FloorGenerator, WritesTheSameBytesEveryRun) {
  fs::path base = fs::temp_directory_path() / ("mv_floors_" + std::to_string(::getpid()));
  fs::remove_all(base);
  GenerateFloors(std::string(MIROVAAN_SOURCE_DIR) + "/assets", (base / "a").string());
  GenerateFloors(std::string(MIROVAAN_SOURCE_DIR) + "/assets", (base / "b").string());
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(base / "a")) {
    if (!entry.is_regular_file()) continue;
    fs::path rel = fs::relative(entry.path(), base / "a");
    EXPECT_TRUE(ReadBytes(entry.path().string()) == ReadBytes((base / "b" / rel).string())) << rel;
    ++files;
  }
  EXPECT_EQ(files, 1 + 1 + 2 * floors::kDungeonCount);  // sheet, its preview, files and previews
  fs::remove_all(base);
}

TEST(FloorGenerator, RefusesABrokenMapWithItsName) {
  fs::path dir = fs::temp_directory_path() / ("mv_floor_maps_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const auto& entry : fs::directory_iterator(FloorsDir())) fs::copy(entry.path(), dir / entry.path().filename());
  {
    std::ofstream out(dir / "arena_hall.txt");
    out << "#####\n#.Q.#\n#####\n";
  }
  try {
    floors::BuildDungeon(1, dir.string());
    ADD_FAILURE() << "a map with an unknown character was taken";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("arena_hall"), std::string::npos) << e.what();
  }
  fs::remove(dir / "entrance.txt");
  EXPECT_THROW(floors::BuildDungeon(0, dir.string()), std::runtime_error);
  fs::remove_all(dir);
}

TEST(TileSheet, IsAnOpaqueRle8SheetOf64Cells) {
  std::vector<uint8_t> bytes = ReadBytes(testsupport::DataDir() + "/sheets/floor_tiles.bmp");
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[28], 8);  // bits per pixel
  EXPECT_EQ(bytes[30], 1);  // RLE8
  gfx::Bitmap sheet = gfx::LoadBmpFile(testsupport::DataDir() + "/sheets/floor_tiles.bmp");
  ASSERT_EQ(sheet.Width(), 192);
  ASSERT_EQ(sheet.Height(), 192);
  EXPECT_TRUE(sheet == floors::DrawTileSheet());
  // No two tiles alike, so every value can be told apart on screen.
  for (int a = 0; a < 64; ++a)
    for (int b = a + 1; b < 64; ++b) {
      bool same = true;
      for (int y = 0; y < 24 && same; ++y)
        for (int x = 0; x < 24 && same; ++x)
          same = sheet.Pixel((a % 8) * 24 + x, (a / 8) * 24 + y) == sheet.Pixel((b % 8) * 24 + x, (b / 8) * 24 + y);
      EXPECT_FALSE(same) << "tiles " << a << " and " << b << " look the same";
    }
}

TEST(TileSheet, CatalogueAgreesWithTheAttributeTables) {
  std::ifstream in(FloorsDir() + "/tiles.txt");
  ASSERT_TRUE(in) << "assets/floors/tiles.txt missing";
  std::string line;
  int listed = 0;
  bool solid[64] = {};
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == ';') continue;
    std::istringstream s(line);
    int value;
    std::string kind;
    ASSERT_TRUE(s >> value >> kind) << line;
    ASSERT_TRUE(value >= 0 && value < 64) << line;
    ASSERT_TRUE(kind == "solid" || kind == "passable") << line;
    EXPECT_EQ(value, listed) << "catalogue out of order at: " << line;
    solid[value] = kind == "solid";
    EXPECT_EQ(solid[value], floors::IsSolidTile(value)) << line;
    ++listed;
  }
  EXPECT_EQ(listed, 64);
  for (int d = 0; d < floors::kDungeonCount; ++d) {
    std::vector<uint8_t> file = Shipped(d);
    ASSERT_EQ(file.size(), static_cast<size_t>(floors::kDungeonBytes));
    for (int f = 0; f < floors::kFloorCount; ++f)
      for (int v = 0; v < 256; ++v) {
        int attr = file[f * floors::kFloorBytes + floors::kTileBytes + v];
        EXPECT_EQ(attr != 0, v >= 64 || solid[v]) << "dungeon " << d << " floor " << f << " value " << v;
      }
  }
}

// The checker must see the faults it is there for.
class FloorChecker : public ::testing::Test {
 protected:
  void SetUp() override { file = floors::BuildDungeon(0, FloorsDir()); }
  std::vector<std::string> Check() { return floorcheck::CheckDungeon(file, floorcheck::ExpectationsFor(0)); }
  // The first tile on floor f whose value satisfies pred.
  template <class Pred>
  floors::TilePos Find(int f, Pred pred) {
    for (int c = 1; c < 59; ++c)
      for (int r = 1; r < 59; ++r)
        if (pred(c, r)) return {c, r};
    ADD_FAILURE() << "nothing found on floor " << f;
    return {1, 1};
  }
  std::vector<uint8_t> file;
};

TEST_F(FloorChecker, PassesTheGeneratedDungeon) { EXPECT_TRUE(Check().empty()) << Join(Check()); }

TEST_F(FloorChecker, FindsAWalledInPocket) {
  auto p = Find(3, [&](int c, int r) {
    for (int dc = -1; dc <= 1; ++dc)
      for (int dr = -1; dr <= 1; ++dr)
        if (!floors::IsSolidTile(TileAt(file, 3, c + dc, r + dr))) return false;
    return true;
  });
  TileAt(file, 3, p.col, p.row) = floors::kGrass;
  std::string where = "floor 3, tile (" + std::to_string(p.col) + "," + std::to_string(p.row) + ")";
  EXPECT_TRUE(Mentions(Check(), where + ": walkable tile cut off")) << Join(Check());
}

TEST_F(FloorChecker, FindsAStairWithoutItsPartner) {
  auto p = Find(2, [&](int c, int r) { return floors::IsStairUp(TileAt(file, 2, c, r)); });
  TileAt(file, 3, p.col, p.row) = floors::kGrass;
  auto problems = Check();
  EXPECT_TRUE(Mentions(problems, "floor 2, tile (" + std::to_string(p.col) + "," + std::to_string(p.row) +
                                     "): stair up has no stair down")) << Join(problems);
  // The hero still lands on floor 3 (on the grass), so the floors above stay reachable;
  // put a wall there and they are lost.
  TileAt(file, 3, p.col, p.row) = floors::kTree;
  EXPECT_TRUE(Mentions(Check(), "floor 9 cannot be reached")) << Join(Check());
}

TEST_F(FloorChecker, FindsAStairThatTrapsTheHero) {
  auto p = Find(4, [&](int c, int r) { return floors::IsStairDown(TileAt(file, 4, c, r)); });
  for (int k = 0; k < 4; ++k) TileAt(file, 4, p.col + (k == 1) - (k == 3), p.row + (k == 2) - (k == 0)) = floors::kTree;
  EXPECT_TRUE(Mentions(Check(), "floor 4, tile (" + std::to_string(p.col) + "," + std::to_string(p.row) +
                                    "): a hero arriving on this stair cannot step off")) << Join(Check());
}

TEST_F(FloorChecker, FindsABadStartAndADistantWayOut) {
  TileAt(file, 0, 3, 4) = floors::kSpring;
  EXPECT_TRUE(Mentions(Check(), "floor 0, tile (3,4): the start tile is a spring")) << Join(Check());
  TileAt(file, 0, 3, 4) = floors::kTree;
  EXPECT_TRUE(Mentions(Check(), "floor 0, tile (3,4): the start tile is solid")) << Join(Check());
  EXPECT_TRUE(Mentions(Check(), "floor 1 cannot be reached")) << Join(Check());
}

TEST_F(FloorChecker, FindsBadTablesAndSizes) {
  file[2 * floors::kFloorBytes + floors::kTileBytes + 200] = 0;
  file[5 * floors::kFloorBytes + floors::kTileBytes + floors::kHotFloor] = 1;
  TileAt(file, 7, 0, 30) = floors::kGrass;
  auto problems = Check();
  EXPECT_TRUE(Mentions(problems, "floor 2: unused tile value 200 is marked passable")) << Join(problems);
  EXPECT_TRUE(Mentions(problems, "floor 5: effect tile 30 is solid")) << Join(problems);
  EXPECT_TRUE(Mentions(problems, "floor 7, tile (0,30): passable tile on the edge")) << Join(problems);
  file.resize(38559);
  EXPECT_TRUE(Mentions(Check(), "file holds 38559 bytes")) << Join(Check());
}

TEST_F(FloorChecker, KnowsThatALatchedStairDoesNotFire) {
  // Two stairs side by side: arriving on one and stepping straight onto the other does
  // nothing, so a floor reachable only that way is not reached.
  std::vector<uint8_t> f(floors::kDungeonBytes, 0);
  for (int fl = 0; fl < 10; ++fl) {
    for (int v = 0; v < 256; ++v) f[fl * floors::kFloorBytes + floors::kTileBytes + v] = floors::IsSolidTile(v);
    for (int c = 0; c < 60; ++c)
      for (int r = 0; r < 60; ++r) TileAt(f, fl, c, r) = floors::kTree;
  }
  TileAt(f, 0, 3, 4) = floors::kGrass;
  TileAt(f, 0, 3, 3) = floors::kStairDownRough;  // the way out
  TileAt(f, 0, 4, 4) = floors::kStairUpRough;    // to floor 1 ...
  TileAt(f, 1, 4, 4) = floors::kStairDownRough;  // ... arriving here, walled in but for
  TileAt(f, 1, 5, 4) = floors::kStairUpRough;    // a second stair right beside it
  TileAt(f, 2, 5, 4) = floors::kStairDownRough;
  TileAt(f, 2, 6, 4) = floors::kGrass;
  auto problems = floorcheck::CheckDungeon(f, floorcheck::ExpectationsFor(0));
  EXPECT_TRUE(Mentions(problems, "floor 1, tile (4,4): a hero arriving on this stair cannot step off")) << Join(problems);
  EXPECT_TRUE(Mentions(problems, "floor 2 cannot be reached")) << Join(problems);
  EXPECT_FALSE(Mentions(problems, "floor 1 cannot be reached")) << Join(problems);
}
