// libFuzzer target for loading a saved game: any bytes are either refused with a reason and
// the game left as it was, or loaded into a state the game then runs without fault.
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_game.h"
#include "persist/save.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzgame::StartOnce();
  // Short inputs are padded so that the fuzzer reaches the checks of every field.
  std::vector<uint8_t> record(data, data + size);
  if (record.size() < kSaveRecordSize) record.resize(kSaveRecordSize, 0);

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
