// libFuzzer target for loading a saved game: any bytes are either refused with a reason and
// the game left as it was, or loaded into a state the game then runs without fault.
#include <cstring>
#include <memory>
#include <vector>

#include "content/heroes.h"
#include "world/floor_setup.h"
#include "fuzz_game.h"
#include "persist/save.h"

namespace {

// A game in the first dungeon, monsters on the floor and a few shots in flight.
const std::vector<uint8_t>& BaseRecord() {
  static const std::vector<uint8_t> base = [] {
    auto before = std::make_unique<GameState>(G);
    G.HeroIndex = 0;
    StartNewGame();
    G.FloorIndex = 2;
    G.HeroX = 24 * 30;
    G.HeroY = 24 * 30;
    SetUpFloor(0, true, true);
    G.GameMode = kModePlay;
    fuzzgame::RunTicks(10, 1 << kSpace | 1 << kRight);
    G.MusicOn = 0;  // quicker runs; the fuzzer may switch it on
    G.EffectsOn = 0;
    std::vector<uint8_t> record = BuildSaveRecord();
    G = *before;
    return record;
  }();
  return base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzgame::StartOnce();
  // A whole record is taken as it is. A shorter input patches a game in progress, three
  // bytes a patch (offset low, offset high, value), so that the fuzzer works near records
  // that load and reaches the rebuild and the ticks after it.
  std::vector<uint8_t> record;
  if (size >= kSaveRecordSize) {
    record.assign(data, data + size);
  } else {
    record = BaseRecord();
    for (size_t i = 0; i + 3 <= size; i += 3)
      record[(data[i] | data[i + 1] << 8) % kSaveRecordSize] = data[i + 2];
  }

  auto problem = persist::CheckSaveRecord(record.data());
  const std::string path = fuzzgame::ScratchAppDir() + "fuzz.sav";
  fuzzgame::WriteFile(path, record.data(), record.size());

  auto before = std::make_unique<GameState>(G);
  bool loaded = LoadGameFile(path);
  if (problem) {
    // A refused record never touches the game.
    if (loaded || std::memcmp(before.get(), &G, sizeof(GameState)) != 0) std::abort();
    fuzzgame::Os().lines.clear();
    return 0;
  }
  if (loaded) {
    // What was loaded saves again to the same record, padding aside.
    std::vector<uint8_t> again = BuildSaveRecord();
    if (persist::CheckSaveRecord(again.data())) std::abort();
    persist::ApplySaveRecord(again.data());
    if (BuildSaveRecord() != again) std::abort();
    fuzzgame::RunTicks(6, record[13531]);
  }
  // Back to a plain state for the next input.
  G = *before;
  fuzzgame::Os().lines.clear();
  return 0;
}
