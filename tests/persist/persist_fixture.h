// Shared helpers of the saved-game tests: a scratch folder, file bytes, the whole game state
// as bytes, and a small content folder of our own for loads into a dungeon.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "state/window_model.h"
#include "state/state.h"
#include "gfx/bmp.h"
#include "persist/record_fields.h"
#include "persist/save.h"
#include "support/test_support.h"

namespace persisttest {

namespace fs = std::filesystem;

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "mirovaan-persist-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The whole record, dungeon data and transient fields included: a refused or failed load
// must leave every byte of it as it was.
inline std::vector<uint8_t> StateBytes() {
  std::vector<uint8_t> bytes(sizeof(GameState));
  std::memcpy(bytes.data(), &G, sizeof(GameState));
  return bytes;
}

// A named value of a saved record ("HP", "Inventory[10]", "Monsters[3].Kind"), at the
// width the file gives it. A name the record does not have fails the test.
inline persist::FieldPlace Place(const std::string& name) {
  std::optional<persist::FieldPlace> place = persist::FindField(name);
  if (!place) ADD_FAILURE() << "the saved record has no field " << name;
  return place.value_or(persist::FieldPlace{0, nullptr});
}

inline void SetField(std::vector<uint8_t>& record, const std::string& name, int64_t value) {
  const persist::FieldPlace at = Place(name);
  if (!at.field || at.offset + at.field->width > record.size()) return;
  uint8_t* p = record.data() + at.offset;
  const auto bits = static_cast<uint32_t>(value);
  if (at.field->width == 1) *p = static_cast<uint8_t>(bits);
  if (at.field->width == 2) base::PutLe16(p, bits);
  if (at.field->width == 4) base::PutLe32(p, bits);
}

inline long long GetField(const std::vector<uint8_t>& record, const std::string& name) {
  const persist::FieldPlace at = Place(name);
  if (!at.field || at.offset + at.field->width > record.size()) return 0;
  return persist::ReadElement(record.data() + at.offset, *at.field, 0);
}

// The first value in which two records differ, by name, or "" when they are the same.
inline std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) return persist::FieldNameAt(i);
  return a.size() == b.size() ? std::string() : "the length";
}

// The same for two images of the whole game state (StateBytes).
inline std::string StateDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] == b[i]) continue;
    if (i < kSavedStretchSize) return persist::FieldNameAt(i);
    const size_t boss = offsetof(GameState, BossDefeated);
    if (i >= boss && i < boss + sizeof G.BossDefeated)
      return "BossDefeated[" + std::to_string(i - boss) + "]";
    return "state byte " + std::to_string(i) + ", outside the saved record";
  }
  return a.size() == b.size() ? std::string() : "the length";
}

// A game in progress on the world map, with values a real game could hold.
inline void MakeWorldMapGame() {
  G.GameMode = kModeWorld;
  G.HeroIndex = 1;
  G.HeroX = 120;
  G.HeroY = 88;
  G.WorldX = 120;
  G.WorldY = 88;
  G.Facing = 2;
  G.WalkFrame = 5;
  G.Level = 12;
  G.MaxHP = 240;
  G.HP = 199;
  G.Strength = 30;
  G.Defence = 41;
  G.Experience = 77;
  G.Gold = 12345;
  G.WeaponItem = 11;
  G.ArmourItem = 61;
  G.DungeonIndex = 2;
  G.FloorIndex = 3;
  G.MusicTrack = 11;
  G.MusicOn = 1;
  G.EffectsOn = 1;
  G.TickInterval = 50;
  std::memset(G.Inventory, 255, sizeof G.Inventory);
  G.Inventory[0] = 50;
  G.Inventory[5] = 101;
  G.InventoryCursor = 5;
  for (MonsterRecord& m : G.Monsters) m.State = Empty;
  G.BossDefeated[0] = 1;
  G.BossDefeated[1] = 1;
}

// A small content folder for loads: dungeon file, monster and boss sheets, the menu frame
// and the world map. Tile bytes and attributes follow a pattern, so a floor read from the
// file can be told from any other.
class ContentDir {
 public:
  explicit ContentDir(int dungeon = 2) {
    std::vector<uint8_t> dungeonFile(10 * sizeof(FloorRecord));
    for (size_t i = 0; i < dungeonFile.size(); ++i)
      dungeonFile[i] = static_cast<uint8_t>((i * 7 + dungeon) % 64);
    // Attributes: even tile values passable, odd ones solid.
    for (int f = 0; f < 10; ++f)
      for (int v = 0; v < 256; ++v)
        dungeonFile[f * sizeof(FloorRecord) + 3600 + v] = static_cast<uint8_t>(v & 1);
    WriteBytes(dir_.File("M_" + std::to_string(dungeon) + ".mpt"), dungeonFile);
    dungeonBytes_ = dungeonFile;
    Picture("c_r" + std::to_string(dungeon) + ".bmp", 288, 72, gfx::Rgb(200, 40, 40));
    Picture("c_r8" + std::to_string(1) + ".bmp", 288, 72, gfx::Rgb(200, 40, 40));
    Picture("c_boss" + std::to_string(dungeon) + ".bmp", 528, 44, gfx::Rgb(40, 200, 40));
    Picture("waku.bmp", 312, 216, gfx::Rgb(10, 20, 30));
    Picture("mainmap.bmp", 312, 216, gfx::Rgb(30, 90, 10));
  }

  void Picture(const std::string& name, int w, int h, gfx::Color c) {
    std::string error;
    gfx::WriteFile(dir_.File(name), gfx::EncodeBmp24(gfx::Bitmap(w, h, c)), error);
  }
  std::string Dir() const { return dir_.Path() + "/"; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  const std::vector<uint8_t>& DungeonBytes() const { return dungeonBytes_; }

 private:
  ScratchDir dir_;
  std::vector<uint8_t> dungeonBytes_;
};

}  // namespace persisttest
