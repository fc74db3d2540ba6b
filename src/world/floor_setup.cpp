// Dungeon files and the set-up of a floor: reading the ten floors of a dungeon, drawing the
// current one into FloorPicture, clearing what lay on the previous floor, repopulating and hiding
// the traps.
#include "world/floor_setup.h"

#include <cstring>
#include <string>
#include <vector>

#include "combat/spawn.h"
#include "platform/files.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "platform/language.h"


namespace {

constexpr Bilingual kCannotRead = {"ダンジョンファイルを読み込めません：{0}\n{1}",
                                   "Cannot read the dungeon file {0}\n{1}"};
constexpr Bilingual kTooShort = {"短すぎます（{0} バイト、{1} バイト必要です）",
                                 "It is too short ({0} bytes; {1} are needed)."};
constexpr Bilingual kNoDungeon = {"ダンジョン {0} はありません（ダンジョンは 0 から 8 までです）",
                                  "There is no dungeon {0} (dungeons are 0 to 8)."};
constexpr Bilingual kNoFloor = {"ダンジョン {0} の階 {1} はありません（階は 0 から 9 までです）",
                                "Dungeon {0} has no floor {1} (floors are 0 to 9)."};

}  // namespace

namespace {

constexpr size_t kDungeonFileSize = sizeof(FloorRecord) * 10;  // 38560
static_assert(kDungeonFileSize == 38560);

bool ValidFloor(int floor) { return floor >= 0 && floor <= 9; }
bool ValidDungeon(int dungeon) { return dungeon >= 0 && dungeon <= 8; }

}  // namespace

std::vector<uint8_t> ReadDungeonFile(int dungeon) {
  std::string name = "M_" + std::to_string(dungeon) + ".mpt";
  // Opened under AppDir, like the pictures: a file dialog that changes the current folder
  // must not make the dungeons disappear.
  std::string path = AppDir + name;
  std::vector<uint8_t> bytes;
  auto read = platform::ReadRegularFile(path, kDungeonFileSize, platform::Excess::Ignore, bytes);
  if (!read) throw DungeonFileError(Say(kCannotRead, {path, read.Reason}));
  if (bytes.size() < kDungeonFileSize) {
    throw DungeonFileError(Say(kCannotRead, {path, Say(kTooShort, {std::to_string(bytes.size()),
                                                                   std::to_string(kDungeonFileSize)})}));
  }
  return bytes;  // anything after the tenth floor is not read
}

namespace {

void LoadDungeonPictures(int dungeon) {
  // Dungeon 8 has a monster sheet per hero: c_r8<hero>.bmp.
  std::string monsters = "c_r" + std::to_string(dungeon);
  if (dungeon == 8) monsters += std::to_string(static_cast<int>(G.HeroIndex));
  Window.MonsterSheet.CX = 12;
  Window.MonsterSheet.CY = 3;
  Window.MonsterSheet.LoadPicture(AppDir + monsters + ".bmp", kMonsterSheetSize);
  Window.MonsterSheet.Refresh();
  Window.BossSheet.CX = 12;
  Window.BossSheet.CY = 1;
  Window.BossSheet.LoadPicture(AppDir + "c_boss" + std::to_string(dungeon) + ".bmp", kBossSheetSize);
  Window.BossSheet.Refresh();
}

void ResetObjects() {
  for (ShotRecord& shot : G.HeroShots) shot.Active = 0;
  for (ShotRecord& shot : G.MonsterShots) shot.Active = 0;
  for (TrapRecord& trap : G.Traps) trap.Armed = 0;
  for (TrapRecord& trap : G.Traps) trap.Sprung = 0;
  for (CoinRecord& coin : G.Coins) coin.Active = 0;
  for (FloorItemRecord& item : G.FloorItems) item.Present = 0;
  PopulateFloor();
  int traps = G.FloorIndex / 2 + 1;  // 1 on floors 0 and 1 ... 5 on floors 8 and 9
  for (int i = 0; i < traps; ++i) PlaceTrap();
}

}  // namespace

void SetUpFloor(int dungeon, bool readFile, bool resetObjects) {
  // Refuse what no table has a row for, before anything changes.
  int effective = readFile ? dungeon : G.DungeonIndex;
  if (!ValidDungeon(effective)) {
    throw DungeonFileError(Say(kNoDungeon, {std::to_string(effective)}));
  }
  if (!ValidFloor(G.FloorIndex)) {
    throw DungeonFileError(Say(kNoFloor, {std::to_string(effective), std::to_string(G.FloorIndex)}));
  }

  if (readFile) {
    std::vector<uint8_t> bytes = ReadDungeonFile(dungeon);
    std::memcpy(G.DungeonImage, bytes.data(), kDungeonFileSize);
    std::memcpy(G.Floors, G.DungeonImage, kDungeonFileSize);
    G.DungeonIndex = dungeon;
    LoadDungeonPictures(dungeon);  // a missing picture abandons the set-up here
  }
  DrawFloorPicture();
  if (resetObjects) ResetObjects();
}

void DrawFloorPicture() {
  if (!ValidFloor(G.FloorIndex)) return;
  gfx::Bitmap& picture = Window.FloorPicture.Picture;
  if (picture.Width() != kFloorPixels || picture.Height() != kFloorPixels) {
    picture.Resize(kFloorPixels, kFloorPixels);
  }
  gfx::TSprite& tiles = Window.FloorTileSheet;
  tiles.Destination = &Window.FloorPicture;
  const FloorRecord& floor = G.Floors[G.FloorIndex];
  for (int r = 0; r < kFloorTiles; ++r) {
    for (int c = 0; c < kFloorTiles; ++c) DrawCell(tiles, floor.TileAt(c, r), c * kTileSize, r * kTileSize);
  }
}

void PlaceTrap() {
  if (!ValidFloor(G.FloorIndex)) return;
  const FloorRecord& floor = G.Floors[G.FloorIndex];
  for (TrapRecord& trap : G.Traps) {
    if (trap.Armed == 1) continue;
    // A floor with no passable tile gives up after these attempts instead of hanging.
    for (int attempt = 0; attempt < 10000; ++attempt) {
      int r = Random(60);
      int c = Random(60);
      if (!floor.SolidAt(c, r)) {
        trap.X = c * kTileSize;
        trap.Y = r * kTileSize;
        trap.Armed = 1;
        trap.TrapKind = 0;
        return;  // one trap per call
      }
    }
  }
}
