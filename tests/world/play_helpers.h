// Floors built in memory for the play tests, and a scratch content folder.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "state/random.h"
#include "state/state.h"
#include "gfx/bmp.h"

namespace playtest {

// Tile values used by the floors below: 0 passable ground, 1 solid wall.
constexpr uint8_t kGround = 0;
constexpr uint8_t kWall = 1;

// Floor f of G.Floors: every tile `fill`, value 1 solid, everything else passable.
inline void MakeFloor(int f, uint8_t fill = kGround) {
  FloorRecord& floor = G.Floors[f];
  std::memset(floor.Tiles, fill, sizeof floor.Tiles);
  std::memset(floor.Attr, 0, sizeof floor.Attr);
  floor.Attr[kWall] = 1;
}

inline void SetTile(int f, int column, int row, uint8_t value) {
  G.Floors[f].Tiles[column * kFloorTiles + row] = value;
}

inline void WallColumn(int f, int column) {
  for (int r = 0; r < kFloorTiles; ++r) SetTile(f, column, r, kWall);
}
inline void WallRow(int f, int row) {
  for (int c = 0; c < kFloorTiles; ++c) SetTile(f, c, row, kWall);
}

// The draws that Random will give next, without disturbing the generator.
inline std::vector<int> PeekRandom(const std::vector<int>& ranges) {
  uint32_t saved = RandSeed;
  std::vector<int> out;
  for (int n : ranges) out.push_back(Random(n));
  RandSeed = saved;
  return out;
}

// Number of Random calls made since the seed was `from` (searches up to `limit`).
inline long DrawsSince(uint32_t from, long limit = 2000000) {
  uint32_t s = from;
  for (long k = 0; k <= limit; ++k) {
    if (s == RandSeed) return k;
    s = s * 134775813u + 1u;
  }
  return -1;
}

// A fresh folder under the system's temporary folder, removed by the destructor.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag) {
    namespace fs = std::filesystem;
    path_ = fs::temp_directory_path() /
            ("mirovaan_play_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Slash() const { return path_.string() + "/"; }

  void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  void WritePicture(const std::string& name, int width, int height, gfx::Color fill) const {
    WriteBytes(name, gfx::EncodeBmp24(gfx::Bitmap(width, height, fill)));
  }
  void Remove(const std::string& name) const { std::filesystem::remove(path_ / name); }

 private:
  std::filesystem::path path_;
};

}  // namespace playtest
