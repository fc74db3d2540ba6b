// libFuzzer target for the dungeon files: any bytes as a dungeon file are refused with a
// Japanese message naming the file, or read and set up as floors: monsters placed on them
// and traps hidden, whatever tile values and attributes they hold. The dungeon's pictures
// (their reader has a target of its own), the floor's drawing and the play on it are left
// to the soak, so that the fuzzer spends its time on the reading and the placing.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "combat/spawn.h"
#include "world/floor_setup.h"
#include "fuzz_game.h"

namespace {

bool Japanese(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0xE3) return true;  // the lead byte of kana and most kanji in UTF-8
  return false;
}

// Traps lie hidden on tiles the hero can walk on, never in a wall.
void CheckPlaced() {
  for (const TrapRecord& t : G.Traps)
    if (t.Armed && G.Floors[G.FloorIndex].SolidAt(t.X / 24, t.Y / 24)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzgame::StartOnce();
  if (size < 3) return 0;
  const int dungeon = data[0] % 9;
  const int floor = data[1] % 10;
  const bool repeat = !(data[2] & 0x80);
  data += 3;
  size -= 3;
  // Mostly a whole file made of the input repeated, so that tiles and attributes of every
  // floor come from the fuzzer; sometimes the input as it is, short files included.
  std::vector<uint8_t> file(data, data + size);
  if (repeat && !file.empty() && file.size() < 10 * sizeof(FloorRecord)) {
    file.resize(10 * sizeof(FloorRecord));
    for (size_t at = size; at < file.size(); at += size)
      std::memcpy(file.data() + at, data, std::min(size, file.size() - at));
  }
  const std::string name = "M_" + std::to_string(dungeon) + ".mpt";
  fuzzgame::WriteFile(AppDir + name, file.data(), file.size());

  static auto before = std::make_unique<GameState>();
  *before = G;
  std::vector<uint8_t> read;
  try {
    read = ReadDungeonFile(dungeon);
  } catch (const DungeonFileError& e) {
    std::string what = e.what();
    if (file.size() >= 10 * sizeof(FloorRecord) || what.find(name) == std::string::npos ||
        !Japanese(what))
      std::abort();
    return 0;
  }
  // The whole of the ten floors and nothing past them (compared at a few places: a full
  // comparison would be traced byte by byte by the fuzzer and cost more than the rest).
  if (read.size() != sizeof G.Floors) std::abort();
  for (size_t at : {size_t{0}, read.size() / 2, read.size() - 1})
    if (read[at] != file[at]) std::abort();
  // As an entrance takes the file: the floors, the dungeon number, then the set-up.
  std::memcpy(G.DungeonImage, read.data(), read.size());
  std::memcpy(G.Floors, read.data(), read.size());
  G.DungeonIndex = dungeon;
  G.FloorIndex = floor;
  // Then what an entrance does with the floor but draw it: monsters placed and traps
  // hidden. A floor with no tile to walk on spends 10000 draws per trap before it gives
  // up, as the rule says; the fuzzer makes many such floors, so their traps are left out.
  bool walkable = false;
  for (int tile = 0; tile < kFloorTiles * kFloorTiles && !walkable; ++tile)
    walkable = G.Floors[floor].Attr[G.Floors[floor].Tiles[tile]] == 0;
  PopulateFloor();
  for (int trap = 0; walkable && trap < floor / 2 + 1; ++trap) PlaceTrap();
  CheckPlaced();
  G = *before;
  return 0;
}
