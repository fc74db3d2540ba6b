#include "saves.h"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>

#include "persist/record_fields.h"
#include "state/records.h"
#include "state/state.h"

namespace soak {

namespace {

template <typename T>
void Put(Record& r, size_t offset, T value) {
  if (offset + sizeof value <= r.size()) std::memcpy(r.data() + offset, &value, sizeof value);
}

#define AT(field) offsetof(GameState, field)

struct Spot {
  int x, y;
};

// Passable tiles and the tiles that do something (stairs, springs, hot floors) of one floor
// of a dungeon file.
void FloorSpots(const std::string& data, int dungeon, int floor, std::vector<Spot>& ground,
                std::vector<Spot>& stairs) {
  Record file = ReadFile(data + "/M_" + std::to_string(dungeon) + ".mpt");
  if (file.size() < sizeof(FloorRecord) * 10) return;
  FloorRecord f;
  std::memcpy(&f, file.data() + sizeof(FloorRecord) * floor, sizeof f);
  for (int c = 0; c < kFloorTiles; ++c) {
    for (int r = 0; r < kFloorTiles; ++r) {
      int t = f.TileAt(c, r);
      if (t == 24 || t == 25 || t == 38 || t == 39 || t == 7 || t == 30)
        stairs.push_back({c * 24, r * 24});
      else if (!f.SolidAt(c, r)) ground.push_back({c * 24, r * 24});
    }
  }
}

}  // namespace

Record AtEntrance(const Record& base, int x, int y) {
  Record r = base;
  Put<int32_t>(r, AT(GameMode), kModeWorld);
  Put<int32_t>(r, AT(HeroX), x - 2);
  Put<int32_t>(r, AT(HeroY), y - 2);
  Put<int32_t>(r, AT(Gold), 999999);
  return r;
}

Record InDungeon(const Record& base, const std::string& data, int dungeon, int floor,
                 std::mt19937& rng) {
  Record r = base;
  std::vector<Spot> ground, stairs;
  FloorSpots(data, dungeon, floor, ground, stairs);
  const std::vector<Spot>& from = !stairs.empty() && rng() % 2 == 0 ? stairs : ground;
  Spot at = from.empty() ? Spot{240, 240} : from[rng() % from.size()];
  Put<int32_t>(r, AT(GameMode), rng() % 5 == 0 ? kModeMenu : kModePlay);
  Put<int32_t>(r, AT(DungeonIndex), dungeon);
  Put<int32_t>(r, AT(FloorIndex), floor);
  Put<int32_t>(r, AT(HeroX), at.x);
  Put<int32_t>(r, AT(HeroY), at.y);
  const int level = 1 + static_cast<int>(rng() % 99);
  Put<int32_t>(r, AT(Level), level);
  Put<int32_t>(r, AT(MaxHP), 20 * level);
  Put<int32_t>(r, AT(HP), rng() % 3 ? 1 + static_cast<int>(rng() % (20 * level)) : 20 * level);
  Put<int32_t>(r, AT(Strength), static_cast<int32_t>(rng() % 1000));
  Put<int32_t>(r, AT(Defence), static_cast<int32_t>(rng() % 1000));
  Put<int32_t>(r, AT(Experience), static_cast<int32_t>(rng() % 1000000));
  Put<int32_t>(r, AT(Gold), static_cast<int32_t>(rng() % 1000000));
  Put<uint8_t>(r, AT(WeaponItem), static_cast<uint8_t>(rng() % 150));
  Put<uint8_t>(r, AT(ArmourItem), static_cast<uint8_t>(rng() % 150));
  for (size_t i = 0; i < 64; ++i)
    Put<uint8_t>(r, AT(Inventory) + i, rng() % 3 ? static_cast<uint8_t>(rng() % 150) : 255);
  const size_t bosses = persist::FindField("BossDefeated[0]")->offset;
  for (size_t i = 0; i < sizeof G.BossDefeated; ++i) Put<uint8_t>(r, bosses + i, rng() % 2);
  return r;
}

Record Damaged(const Record& good, std::mt19937& rng) {
  Record r = good;
  switch (rng() % 4) {
    case 0: r.resize(rng() % r.size()); break;
    case 1: r.resize(r.size() + rng() % 5000, static_cast<uint8_t>(rng())); break;
    default: {
      const int changes = 1 + static_cast<int>(rng() % 16);
      for (int i = 0; i < changes; ++i) r[rng() % r.size()] = static_cast<uint8_t>(rng());
    }
  }
  return r;
}

void WriteFile(const std::string& path, const Record& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Record ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Record(std::istreambuf_iterator<char>(in), {});
}

}  // namespace soak
